#include "TestProject.h"
#include "manage/ImportError.h"
#include "manage/ParticipantImport.h"
#include "manage/TextImport.h"

#include <QGuiApplication>
#include <QStringEncoder>
#include <QTest>

using namespace varnel;

namespace {

struct Stored {
    qint64 no;
    QString list;
    QVariant memo;
    QVariant tj;
    QString picb;
    qint64 picBytes;
};

QList<Stored> storedRows(ProjectDb& db)
{
    QList<Stored> out;
    QSqlQuery q = db.select(
        QStringLiteral("select NO, List, Memo, TJ, PicB, length(Pic) from z_user order by rowid"));
    while (q.next())
        out.append({q.value(0).toLongLong(), q.value(1).toString(), q.value(2), q.value(3),
                    q.value(4).toString(), q.value(5).toLongLong()});
    return out;
}

QStringList records(const QByteArray& utf8, qint64 limit = 1000000)
{
    TextRecordSource src(utf8, limit);
    QStringList out;
    ImportRecord r;
    while (src.next(r))
        out << QString::fromUtf8(r.list) + QLatin1Char('|') + QString::fromUtf8(r.memo) +
                   QLatin1Char('|') + QString::fromUtf8(r.mark) +
                   (r.hasPicture ? QLatin1Char('|') + QString::fromUtf8(r.picture) : QString());
    return out;
}

QByteArray encoded(const QString& text, QStringConverter::Encoding enc, bool bom)
{
    QStringEncoder e(enc, bom ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default);
    return e(text);
}

// Yields two records, then fails the way a damaged file does in the middle of an import.
class FailingSource final : public RecordSource {
public:
    bool next(ImportRecord& r) override
    {
        if (++m_calls > 2)
            throw ImportError(QStringLiteral("读取失败"));
        r = {};
        r.list = "新人";
        return true;
    }

private:
    int m_calls = 0;
};

} // namespace

class TestImportText : public QObject {
    Q_OBJECT

private slots:
    void splitting_data();
    void splitting();
    void encodings_data();
    void encodings();
    void sourceEnds_data();
    void sourceEnds();
    void numberingAppendAndReplace();
    void storedFields();
    void replaceFailureKeepsOldRows();
    void unreadableAndBinaryFiles();
};

void TestImportText::splitting_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("space splits a name") << "张 三,销售部" << QStringList{"张", "三", "销售部"};
    QTest::newRow("quoted name stays whole")
        << "\"张 三\",销售部" << QStringList{"张 三", "销售部"};
    QTest::newRow("two commas") << "a,,b" << QStringList{"a", "", "b"};
    QTest::newRow("comma at the end") << "a," << QStringList{"a", ""};
    QTest::newRow("comma then blanks at the end") << "a, " << QStringList{"a"};
    QTest::newRow("blank between commas") << "a, ,b" << QStringList{"a", "", "b"};
    QTest::newRow("leading comma") << ",a" << QStringList{"", "a"};
    QTest::newRow("blanks around commas") << " \t a ,  b  " << QStringList{"a", "b"};
    QTest::newRow("control characters separate") << "a\x01\x1f"
                                                    "b"
                                                 << QStringList{"a", "b"};
    QTest::newRow("doubled quote") << "\"a\"\"b\",c" << QStringList{"a\"b", "c"};
    QTest::newRow("comma inside quotes") << "a,\"x,y\",5" << QStringList{"a", "x,y", "5"};
    QTest::newRow("empty quotes are a field") << "\"\"" << QStringList{""};
    QTest::newRow("text after closing quote") << "\"ab\"cd,e" << QStringList{"ab", "cd", "e"};
    QTest::newRow("quote inside a plain field") << "a\"b,c" << QStringList{"a\"b", "c"};
    QTest::newRow("unterminated quote keeps all") << "\"abc" << QStringList{"abc"};
    QTest::newRow("single quotes are plain") << "O'Brien,it's" << QStringList{"O'Brien", "it's"};
    QTest::newRow("full-width space is text") << "张\u3000三" << QStringList{"张\u3000三"};
    QTest::newRow("empty line") << "" << QStringList{};
    QTest::newRow("blank line") << " \t  " << QStringList{};
}

void TestImportText::splitting()
{
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    QCOMPARE(splitCommaList(line), fields);
}

void TestImportText::encodings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QString text = QStringLiteral("张三,销售部,5\r\n李四,技术部\n王五\r赵六,,7");
    QTest::newRow("utf-8") << encoded(text, QStringConverter::Utf8, false);
    QTest::newRow("utf-8 bom") << encoded(text, QStringConverter::Utf8, true);
    QTest::newRow("utf-16 le bom") << encoded(text, QStringConverter::Utf16LE, true);
    QTest::newRow("utf-16 be bom") << encoded(text, QStringConverter::Utf16BE, true);
    QStringEncoder gbk("GB18030");
    QVERIFY(gbk.isValid());
    const QByteArray gb = gbk(text);
    QVERIFY(!QByteArrayView(gb).isValidUtf8());
    QTest::newRow("gbk without bom") << gb;
}

void TestImportText::encodings()
{
    QFETCH(QByteArray, bytes);
    bool binary = true;
    const QByteArray utf8 = importTextToUtf8(bytes, &binary);
    QVERIFY(!binary);
    QCOMPARE(records(utf8), (QStringList{"张三|销售部|5", "李四|技术部|", "王五||", "赵六||7"}));
}

void TestImportText::sourceEnds_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<QStringList>("expected");
    const qint64 big = 1000000;
    QTest::newRow("empty line ends") << QByteArray("a\n\nb") << big << QStringList{"a||"};
    QTest::newRow("blank line ends") << QByteArray("a\r\n \t\r\nb") << big << QStringList{"a||"};
    QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << big << QStringList{"a||"};
    QTest::newRow("final break adds nothing")
        << QByteArray("a\nb\r\n") << big << QStringList{"a||", "b||"};
    QTest::newRow("empty file") << QByteArray() << big << QStringList{};
    QTest::newRow("empty quoted name keeps going")
        << QByteArray("\"\",x\nb") << big << QStringList{"|x|", "b||"};
    QTest::newRow("row limit") << QByteArray("a\nb\nc") << qint64(2) << QStringList{"a||", "b||"};
    QTest::newRow("fourth field is the picture")
        << QByteArray("a,b,1,p.jpg,extra") << big << QStringList{"a|b|1|p.jpg"};
}

void TestImportText::sourceEnds()
{
    QFETCH(QByteArray, text);
    QFETCH(qint64, limit);
    QFETCH(QStringList, expected);
    QCOMPARE(records(text, limit), expected);
}

void TestImportText::numberingAppendAndReplace()
{
    TestProject tp;
    tp.addParticipants(10);
    TextRecordSource append(QByteArray("甲\n乙\n丙"), 1000000);
    ImportOutcome out = importRecords(tp.db(), append, {false, {}, {}});
    QCOMPARE(out.count, qint64(3));
    QCOMPARE(tp.column("select NO from z_user where NO > 10 order by NO"),
             (QVariantList{11, 12, 13}));
    QCOMPARE(tp.count("z_user"), 13);

    QList<qint64> progress;
    TextRecordSource replace(QByteArray("丁\n戊"), 1000000);
    out = importRecords(tp.db(), replace, {true, {}, [&](qint64 n) { progress << n; }});
    QCOMPARE(progress, (QList<qint64>{1, 2}));
    QCOMPARE(tp.column("select NO||List from z_user order by NO"), (QVariantList{"1丁", "2戊"}));

    // Replacing with an empty file empties the table.
    TextRecordSource empty(QByteArray(), 1000000);
    importRecords(tp.db(), empty, {true, {}, {}});
    QCOMPARE(tp.count("z_user"), 0);
}

void TestImportText::storedFields()
{
    TestProject tp;
    tp.writeFile("pics/a.jpg", TestProject::makeJpeg(800, 600, Qt::red));
    tp.writeFile("pics/broken.jpg", "not a jpeg");
    tp.writeFile("pics/c.png", TestProject::makePng(20, 20, Qt::blue));
    const QString longName(100000, QChar(u'长'));
    const QByteArray text = "A,销售部,5," + tp.file("pics/a.jpg").toUtf8() +
                            "\n"
                            "张 三,销售部\n"
                            "O'Brien,\"it's \"\"quoted\"\"\",-7\n"
                            "B,x,abc,pics/c.png\n"
                            "C,,99999999999,pics/broken.jpg\n"
                            "D,,2147483647,pics/missing.jpg\n" +
                            longName.toUtf8() + "\n";
    TextRecordSource src(text, 1000000);
    const ImportOutcome out = importRecords(tp.db(), src, {true, tp.folder(), {}});
    QCOMPARE(out.count, qint64(7));
    QVERIFY(out.markError);    // the page shows nothing for text files; the flags are the
    QVERIFY(out.pictureError); // sheet path's business

    const QList<Stored> rows = storedRows(tp.db());
    QCOMPARE(rows.size(), 7);
    QCOMPARE(rows[0].list, QString("A"));
    QCOMPARE(rows[0].memo.toString(), QString("销售部"));
    QCOMPARE(rows[0].tj, QVariant(5));
    QCOMPARE(rows[0].picb, QString("有"));
    QVERIFY(rows[0].picBytes > 0);
    QCOMPARE(rows[1].list, QString("张"));
    QCOMPARE(rows[1].memo.toString(), QString("三"));
    QVERIFY(rows[1].tj.isNull());
    QCOMPARE(rows[2].list, QString("O'Brien"));
    QCOMPARE(rows[2].memo.toString(), QString("it's \"quoted\""));
    QCOMPARE(rows[2].tj, QVariant(-7));
    QCOMPARE(rows[3].picb, QString("无")); // a .png is a plain failure
    QVERIFY(rows[3].tj.isNull());
    QVERIFY(rows[4].tj.isNull()); // past 32 bits
    QCOMPARE(rows[4].picb, QString("无"));
    QCOMPARE(rows[5].tj, QVariant(2147483647));
    QCOMPARE(rows[6].list, longName);
    QVERIFY(rows[6].memo.isValid() && rows[6].memo.toString().isEmpty());
    for (const Stored& r : rows.mid(1))
        QCOMPARE(r.picBytes, qint64(0));

    // The stored picture is the loader's bitmap, shrunk to fit 400 x 520.
    const QByteArray pic =
        tp.db().scalar(QStringLiteral("select Pic from z_user where List = 'A'")).toByteArray();
    QCOMPARE(QImage::fromData(pic).size(), QSize(400, 300));
}

void TestImportText::replaceFailureKeepsOldRows()
{
    TestProject tp;
    tp.addParticipants(5);
    FailingSource src;
    QVERIFY_THROWS_EXCEPTION(ImportError, importRecords(tp.db(), src, {true, {}, {}}));
    QCOMPARE(tp.count("z_user"), 5);
    QCOMPARE(tp.column("select count(*) from z_user where List = '新人'"), QVariantList{0});
    // The connection is usable again: no transaction was left open.
    TextRecordSource ok(QByteArray("x"), 10);
    importRecords(tp.db(), ok, {false, {}, {}});
    QCOMPARE(tp.count("z_user"), 6);
}

void TestImportText::unreadableAndBinaryFiles()
{
    TestProject tp;
    tp.writeFile("bin.txt", QByteArray("PK\x03\x04\x00\x00"
                                       "binary\x00\xff",
                                       14));
    try {
        readImportTextFile(tp.file("bin.txt"));
        QFAIL("binary file accepted");
    } catch (const ImportError& e) {
        QVERIFY(e.text().contains(QStringLiteral("不是文本文件")));
    }
    QVERIFY_THROWS_EXCEPTION(ImportError, readImportTextFile(tp.file("missing.txt")));
}

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    TestImportText t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_import_text.moc"
