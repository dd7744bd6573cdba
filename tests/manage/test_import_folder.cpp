#include "TestProject.h"
#include "manage/FolderImport.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTest>

using namespace varnel;

namespace {

void put(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// NO, List, TJ (or "-"), PicB, in number order; "Memo!" when a Memo was written.
QStringList rows(TestProject& tp)
{
    QStringList out;
    QSqlQuery q = tp.db().select(
        QStringLiteral("select NO, List, TJ, PicB, Memo is null from z_user order by NO"));
    while (q.next()) {
        if (!q.value(4).toBool())
            out << QStringLiteral("Memo!");
        out << QStringLiteral("%1 %2 %3 %4")
                   .arg(q.value(0).toString(), q.value(1).toString(),
                        q.value(2).isNull() ? QStringLiteral("-") : q.value(2).toString(),
                        q.value(3).toString());
    }
    return out;
}

} // namespace

class TestImportFolder : public QObject {
    Q_OBJECT

private slots:
    void namesAndMarks();
    void everyKindOfEntry();
    void emptyAndMissingFolders();
};

void TestImportFolder::namesAndMarks()
{
    TestProject tp;
    tp.addParticipants(3);
    QTemporaryDir dir;
    const QByteArray jpg = TestProject::makeJpeg(40, 30, Qt::red);
    for (const char* name : {"A_5.jpg", "C_x.jpg", "_7.jpg", "D_1_2.jpeg"})
        put(dir.filePath(name), jpg);
    put(dir.filePath("B.bmp"), TestProject::makeBmp(30, 20, Qt::green));
    put(dir.filePath("readme.txt"), "text");

    QList<qint64> progress;
    const FolderImportOutcome out =
        importFolder(tp.db(), dir.path(), [&](qint64 n) { progress << n; });
    QVERIFY(out.listed);
    QVERIFY(out.markError);    // C_x, D_1_2
    QVERIFY(out.pictureError); // readme.txt, _7
    QCOMPARE(rows(tp), (QStringList{"1 A 5 有", "2 B - 有"}));
    QCOMPARE(progress, (QList<qint64>{0, 1, 2}));
    // The stored picture is the loader's bitmap.
    const QByteArray pic = tp.column("select Pic from z_user where NO = 2").value(0).toByteArray();
    QVERIFY(pic.startsWith("BM"));
    QCOMPARE(QImage::fromData(pic).size(), QSize(30, 20));
}

void TestImportFolder::everyKindOfEntry()
{
    TestProject tp;
    QTemporaryDir dir;
    const QByteArray jpg = TestProject::makeJpeg(20, 20, Qt::blue);
    put(dir.filePath(".hidden.jpg"), jpg);
    put(dir.filePath("a.jpg"), jpg);
    QVERIFY(QFile::link(dir.filePath("a.jpg"), dir.filePath("b.jpg")));
    put(dir.filePath("c.JPG"), jpg);
    put(dir.filePath("d.jpg"), "damaged");
    put(dir.filePath(" E_ 3 .jpeg"), jpg);
    QVERIFY(QDir(dir.path()).mkdir("sub"));
    QVERIFY(QDir(dir.path()).mkdir("sub2.jpg"));
    put(dir.filePath("O'Brien.bmp"), TestProject::makeBmp(8, 8, Qt::gray));

    const FolderImportOutcome out = importFolder(tp.db(), dir.path() + "/", {});
    // Sorted by the untrimmed name; the link uses up number 4; "sub" has no picture extension;
    // d.jpg does not decode; a folder named like a picture is stored without one.
    QCOMPARE(rows(tp), (QStringList{"1 E 3 有", "2 .hidden - 有", "3 a - 有", "5 c - 有",
                                    "6 d - 无", "7 O'Brien - 有", "8 sub2 - 无"}));
    QVERIFY(!out.markError);
    QVERIFY(out.pictureError);
    QCOMPARE(out.lastNumber, qint64(8));
}

void TestImportFolder::emptyAndMissingFolders()
{
    TestProject tp;
    tp.addParticipants(4);
    const FolderImportOutcome missing = importFolder(tp.db(), "/nonexistent/folder", {});
    QVERIFY(!missing.listed);
    QCOMPARE(tp.count("z_user"), 4);

    QTemporaryDir empty; // lists only "." and "..": the participants go all the same
    const FolderImportOutcome out = importFolder(tp.db(), empty.path(), {});
    QVERIFY(out.listed);
    QVERIFY(!out.markError && !out.pictureError);
    QCOMPARE(tp.count("z_user"), 0);
}

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    TestImportFolder t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_import_folder.moc"
