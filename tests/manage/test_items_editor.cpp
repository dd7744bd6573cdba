#include "TestProject.h"
#include "manage/ItemEditor.h"
#include "store/ValueCodec.h"

#include <QTest>

using namespace varnel;

namespace {

// Items A.. numbered 1..n.
void addItems(TestProject& tp, int n)
{
    for (int i = 0; i < n; ++i)
        tp.addItem(QString(QChar('A' + i)), 1);
}

// Plan rows done for items 1..upTo.
void completeItems(TestProject& tp, int upTo)
{
    for (int no = 1; no <= upTo; ++no)
        tp.db().exec(QStringLiteral("insert into z_log(XNO,NO,JXname,ZT) values(?,?,?,'完成')"),
                     {no, no, QString(QChar('A' + no - 1))});
}

// Item names in number order, with their numbers: "1A 2B ...".
QString order(TestProject& tp)
{
    QStringList out;
    QSqlQuery q = tp.db().select(QStringLiteral("select NO, JXname from z_jx order by NO"));
    while (q.next())
        out << q.value(0).toString() + q.value(1).toString();
    return out.join(QLatin1Char(' '));
}

ItemInput input(const QString& name, const QString& prize = QStringLiteral("奖品"),
                const QString& count = QStringLiteral("1"))
{
    ItemInput in;
    in.name = name;
    in.prize = prize;
    in.count = count;
    return in;
}

struct Stored {
    QVariant picName;
    QVariant pic;
    QVariant bgName;
    QVariant bg;
};

Stored stored(TestProject& tp, int no)
{
    QSqlQuery q =
        tp.db().select(QStringLiteral("select JPjpg, Pic, BJjpg, Bj from z_jx where NO = ?"), {no});
    Stored s;
    if (q.next())
        s = {q.value(0), q.value(1), q.value(2), q.value(3)};
    return s;
}

} // namespace

Q_DECLARE_METATYPE(ItemEditor::Move)

class TestItemsEditor : public QObject {
    Q_OBJECT

private slots:
    void moves_data();
    void moves();
    void failedSwapLeavesNumbers();
    void removeRenumbers_data();
    void removeRenumbers();
    void failedRemoveKeepsEverything();
    void newItemNumbers_data();
    void newItemNumbers();
    void savedValues();
    void countConversion_data();
    void countConversion();
    void tooLargeCountStoresNothing();
    void pictures_data();
    void pictures();
    void newItemPictures();
    void conditionTerms_data();
    void conditionTerms();
    void digitFilter_data();
    void digitFilter();
};

void TestItemsEditor::moves_data()
{
    QTest::addColumn<int>("done"); // items 1..done completed
    QTest::addColumn<int>("no");
    QTest::addColumn<bool>("up");
    QTest::addColumn<ItemEditor::Move>("result");
    QTest::addColumn<QString>("after");

    const QString same = QStringLiteral("1A 2B 3C 4D 5E");
    using M = ItemEditor::Move;
    QTest::newRow("3 up, 2 drawn") << 2 << 3 << true << M::Refused << same;
    QTest::newRow("3 down, 3 not drawn") << 2 << 3 << false << M::Moved << "1A 2B 3D 4C 5E";
    QTest::newRow("2 down, 2 drawn") << 2 << 2 << false << M::Refused << same;
    QTest::newRow("4 up") << 2 << 4 << true << M::Moved << "1A 2B 3D 4C 5E";
    QTest::newRow("last down") << 0 << 5 << false << M::Nothing << same;
    QTest::newRow("first up") << 0 << 1 << true << M::Nothing << same;
    QTest::newRow("2 up, nothing drawn") << 0 << 2 << true << M::Moved << "1B 2A 3C 4D 5E";
    QTest::newRow("4 down to last") << 0 << 4 << false << M::Moved << "1A 2B 3C 4E 5D";
}

void TestItemsEditor::moves()
{
    QFETCH(int, done);
    QFETCH(int, no);
    QFETCH(bool, up);
    QFETCH(ItemEditor::Move, result);
    QFETCH(QString, after);

    TestProject tp;
    addItems(tp, 5);
    completeItems(tp, done);
    ItemEditor editor(tp.db());
    QCOMPARE(up ? editor.moveUp(no) : editor.moveDown(no, 5), result);
    QCOMPARE(order(tp), after);
}

void TestItemsEditor::failedSwapLeavesNumbers()
{
    TestProject tp;
    addItems(tp, 3);
    tp.db().onExec = [](const QString& sql, const QVariantList&) {
        if (sql == QLatin1String("update z_jx set NO = 2 where NO = 3"))
            throw DbError(QStringLiteral("disk I/O error"));
    };
    ItemEditor editor(tp.db());
    QVERIFY_THROWS_EXCEPTION(DbError, editor.moveDown(2, 3));
    tp.db().onExec = nullptr;
    QCOMPARE(order(tp), QStringLiteral("1A 2B 3C"));
}

void TestItemsEditor::removeRenumbers_data()
{
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("remove");
    QTest::addColumn<QString>("after");

    QTest::newRow("2 of 4") << 4 << 2 << "1A 2C 3D";
    QTest::newRow("first") << 3 << 1 << "1B 2C";
    QTest::newRow("last") << 3 << 3 << "1A 2B";
    QTest::newRow("only") << 1 << 1 << "";
}

void TestItemsEditor::removeRenumbers()
{
    QFETCH(int, items);
    QFETCH(int, remove);
    QFETCH(QString, after);

    TestProject tp;
    addItems(tp, items);
    ItemEditor editor(tp.db());
    const QList<DrawItem> rows = editor.items();
    QVERIFY(editor.remove(rows[remove - 1].rowId));
    QCOMPARE(order(tp), after);
}

void TestItemsEditor::failedRemoveKeepsEverything()
{
    TestProject tp;
    addItems(tp, 3);
    ItemEditor editor(tp.db());
    const qint64 first = editor.items().first().rowId;
    tp.db().onExec = [](const QString& sql, const QVariantList& binds) {
        if (sql.startsWith(QLatin1String("update z_jx set NO")) && binds.value(0).toInt() == 2)
            throw DbError(QStringLiteral("database is locked"));
    };
    QVERIFY(!editor.remove(first));
    tp.db().onExec = nullptr;
    QCOMPARE(order(tp), QStringLiteral("1A 2B 3C"));
}

void TestItemsEditor::newItemNumbers_data()
{
    QTest::addColumn<QList<int>>("present");
    QTest::addColumn<int>("expected");

    QTest::newRow("empty table") << QList<int>{} << 1;
    QTest::newRow("1 to 3") << QList<int>{1, 2, 3} << 4;
    QTest::newRow("after the highest") << QList<int>{2, 7} << 8;
}

void TestItemsEditor::newItemNumbers()
{
    QFETCH(QList<int>, present);
    QFETCH(int, expected);

    TestProject tp;
    for (int no : present)
        tp.db().exec(QStringLiteral("insert into z_jx(NO,JXname) values(?,'x')"), {no});
    QCOMPARE(ItemEditor(tp.db()).add(input(QStringLiteral("新"))), expected);
    QCOMPARE(tp.column(QStringLiteral("select NO from z_jx where JXname = '新'")),
             QVariantList{expected});
}

// Values are stored as typed, quotes included; the count per press is always 1, also over an
// item that held another value; duplicate names are accepted.
void TestItemsEditor::savedValues()
{
    TestProject tp;
    tp.addItem(QStringLiteral("一等奖"), 2, QString(), 3);
    ItemEditor editor(tp.db());

    ItemInput in =
        input(QStringLiteral("O'Brien's 奖"), QStringLiteral("it's \"big\""), QStringLiteral("7"));
    in.condition = QStringLiteral(">=3|=0");
    editor.update(editor.items().first(), in);
    editor.add(input(QStringLiteral("一等奖"), QStringLiteral("x'"), QString()));
    editor.add(input(QStringLiteral("一等奖"), QStringLiteral("y"), QStringLiteral("0")));

    const QList<DrawItem> items = editor.items();
    QCOMPARE(items.size(), 3);
    QCOMPARE(items[0].name, QStringLiteral("O'Brien's 奖"));
    QCOMPARE(items[0].prize, QStringLiteral("it's \"big\""));
    QCOMPARE(items[0].condition, QStringLiteral(">=3|=0"));
    QCOMPARE(items[0].count, QStringLiteral("7"));
    QCOMPARE(items[1].name, QStringLiteral("一等奖"));
    QCOMPARE(items[1].count, QStringLiteral("1")); // empty count
    QCOMPARE(items[2].name, QStringLiteral("一等奖"));
    QCOMPARE(items[2].count, QStringLiteral("0")); // 0 accepted
    QCOMPARE(tp.column(QStringLiteral("select CQcount from z_jx order by NO")),
             (QVariantList{1, 1, 1}));
    QCOMPARE(tp.column(QStringLiteral("select typeof(JXcount) from z_jx order by NO")),
             (QVariantList{"integer", "integer", "integer"}));
}

void TestItemsEditor::countConversion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count"); // -1: conversion error

    QTest::newRow("empty") << "" << 1;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("leading zeros") << "007" << 7;
    QTest::newRow("32-bit max") << "2147483647" << 2147483647;
    QTest::newRow("too large") << "2147483648" << -1;
    QTest::newRow("pasted text") << "abc" << -1;
}

void TestItemsEditor::countConversion()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    if (count < 0)
        QVERIFY_THROWS_EXCEPTION(ConversionError, ItemEditor::countOf(text));
    else
        QCOMPARE(ItemEditor::countOf(text), count);
}

void TestItemsEditor::tooLargeCountStoresNothing()
{
    TestProject tp;
    tp.addItem(QStringLiteral("一等奖"), 3, QStringLiteral("=1"));
    tp.writeFile(QStringLiteral("p.jpg"), QByteArrayLiteral("JPEGBYTES"));
    ItemEditor editor(tp.db());
    ItemInput in = input(QStringLiteral("改"), QStringLiteral("改"), QStringLiteral("99999999999"));
    in.picturePath = tp.file(QStringLiteral("p.jpg"));
    try {
        editor.update(editor.items().first(), in);
        QFAIL("no conversion error");
    } catch (const ConversionError& e) {
        QCOMPARE(e.text(), QStringLiteral("'99999999999' is not a valid integer value"));
    }
    QVERIFY_THROWS_EXCEPTION(ConversionError, editor.add(in));

    const QList<DrawItem> items = editor.items();
    QCOMPARE(items.size(), 1);
    QCOMPARE(items[0].name, QStringLiteral("一等奖"));
    QCOMPARE(items[0].count, QStringLiteral("3"));
    QCOMPARE(items[0].picture, QString());
}

void TestItemsEditor::pictures_data()
{
    QTest::addColumn<QString>("path");     // "@x" = the file x in the program folder
    QTest::addColumn<QString>("name");     // JPjpg after the save
    QTest::addColumn<QByteArray>("bytes"); // Pic after the save (null: NULL)

    const QByteArray old = QByteArrayLiteral("OLD-PICTURE");
    QTest::newRow("edit shows the stored name") << "old.jpg"
                                                << "old.jpg" << old;
    QTest::newRow("edit cleared") << ""
                                  << "" << QByteArray();
    QTest::newRow("new file") << "@bmp/new.jpg"
                              << "new.jpg" << QByteArray("NEW\0BYTES", 9);
    QTest::newRow("unreadable file") << "@bmp/missing.jpg"
                                     << "" << QByteArray();
    QTest::newRow("any format as it is") << "@shot.png"
                                         << "shot.png" << QByteArray("PNGDATA");
}

void TestItemsEditor::pictures()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);

    TestProject tp;
    tp.writeFile(QStringLiteral("bmp/new.jpg"), QByteArray("NEW\0BYTES", 9));
    tp.writeFile(QStringLiteral("shot.png"), QByteArrayLiteral("PNGDATA"));
    tp.addItem(QStringLiteral("一等奖"), 1);
    tp.db().exec(QStringLiteral("update z_jx set JPjpg = 'old.jpg', Pic = ?, BJjpg = 'old.jpg', "
                                "Bj = ?"),
                 {QByteArrayLiteral("OLD-PICTURE"), QByteArrayLiteral("OLD-PICTURE")});
    if (path.startsWith(QLatin1Char('@')))
        path = tp.file(path.mid(1));

    // Prize picture and background follow the same rule; each is tested with the other kept.
    ItemEditor editor(tp.db());
    ItemInput in = input(QStringLiteral("一等奖"));
    in.picturePath = path;
    in.backgroundPath = QStringLiteral("old.jpg");
    editor.update(editor.items().first(), in);
    Stored s = stored(tp, 1);
    QCOMPARE(s.picName.toString(), name);
    QCOMPARE(s.pic.toByteArray(), bytes);
    QCOMPARE(s.pic.isNull(), bytes.isNull());
    QCOMPARE(s.bg.toByteArray(), QByteArrayLiteral("OLD-PICTURE"));

    in.picturePath = name;
    in.backgroundPath = path;
    editor.update(editor.items().first(), in);
    s = stored(tp, 1);
    QCOMPARE(s.bgName.toString(), name);
    QCOMPARE(s.bg.toByteArray(), bytes);
    QCOMPARE(s.pic.toByteArray(), bytes);
}

void TestItemsEditor::newItemPictures()
{
    TestProject tp;
    tp.writeFile(QStringLiteral("bmp/bg.jpg"), QByteArrayLiteral("BG"));
    ItemEditor editor(tp.db());
    ItemInput in = input(QStringLiteral("一等奖"));
    in.picturePath = tp.file(QStringLiteral("bmp/none.jpg"));
    in.backgroundPath = tp.file(QStringLiteral("bmp/bg.jpg"));
    editor.add(in);
    const Stored s = stored(tp, 1);
    QCOMPARE(s.picName, QVariant(QString()));
    QVERIFY(s.pic.isNull());
    QCOMPARE(s.bgName.toString(), QStringLiteral("bg.jpg"));
    QCOMPARE(s.bg.toByteArray(), QByteArrayLiteral("BG"));
}

void TestItemsEditor::conditionTerms_data()
{
    // Steps: "+op number" adds a term, "-" removes the last one; the texts after each step.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow(">=3 then =0, removed twice") << QStringList{"+>= 3", "+= 0", "-", "-", "-"}
                                                << QStringList{">=3", ">=3|=0", ">=3", "", ""};
    QTest::newRow("no operator or no number")
        << QStringList{"+ 5", "+<> ", "+<> 12"} << QStringList{"", "", "<>12"};
    QTest::newRow("three terms") << QStringList{"+< 10", "+> 100", "+= 007", "-"}
                                 << QStringList{"<10", "<10|>100", "<10|>100|=007", "<10|>100"};
}

void TestItemsEditor::conditionTerms()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, texts);
    QString text;
    for (int i = 0; i < steps.size(); ++i) {
        const QString step = steps[i];
        if (step == QLatin1String("-")) {
            text = removeLastConditionTerm(text);
        } else {
            const QStringList parts = step.mid(1).split(QLatin1Char(' '));
            text = addConditionTerm(text, parts[0], parts.value(1));
        }
        QCOMPARE(text, texts[i]);
    }
}

void TestItemsEditor::digitFilter_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("discarded");

    QTest::newRow("digit") << "7" << false;
    QTest::newRow("backspace") << "\b" << false;
    QTest::newRow("no character (arrow key)") << "" << false;
    QTest::newRow("letter") << "a" << true;
    QTest::newRow("minus") << "-" << true;
    QTest::newRow("space") << " " << true;
    QTest::newRow("full-width digit") << "３" << true;
    QTest::newRow("dot") << "." << true;
}

void TestItemsEditor::digitFilter()
{
    QFETCH(QString, typed);
    QFETCH(bool, discarded);
    QCOMPARE(digitFilterDiscards(typed), discarded);
}

QTEST_MAIN(TestItemsEditor)
#include "test_items_editor.moc"
