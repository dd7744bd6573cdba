#include "TestProject.h"
#include "draw/Results.h"

#include <QGuiApplication>
#include <QTest>

using namespace varnel;

namespace {

const QChar S(0x3000); // ideographic space

QString fw(const char* latin)
{
    return ToFullWidth(QString::fromLatin1(latin));
}
QString pad(int n)
{
    return QString(n, S);
}

void addWinner(TestProject& tp, const QString& text, const QString& item,
               const QString& bz = QString(""))
{
    tp.db().exec(QStringLiteral("insert into z_zj(ListNO,ListZJ,ListBZ,JXname,BZ) "
                                "values(0,?,'',?,?)"),
                 {text, item, bz});
}

} // namespace

class TestResults : public QObject {
    Q_OBJECT
private slots:
    void itemText_data();
    void itemText();
    void temporaryBlockFollowsAndDoesNotWiden();
    void quotesInItemNames();
    void allItemsInOrder_data();
    void allItemsInOrder();
    void marqueeDropsOnlyIdeographicSpaces();
    void rollingListAddsColumnsAndTakesFirst500();
    void demonstrationList_data();
    void demonstrationList();
};

void TestResults::itemText_data()
{
    QTest::addColumn<QStringList>("winners");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("widthBefore");
    QTest::addColumn<int>("widthAfter");
    QTest::addColumn<QString>("expected");

    QTest::newRow("AB ABCDEFGHI XY in two columns")
        << QStringList{"AB", "ABCDEFGHI", "XY"} << 2 << 0 << 9
        << "\r[一等奖]\r " + fw("AB") + pad(7) + " " + fw("ABCDEFGHI") + " \r " + fw("XY") +
               pad(7) + " " + pad(9) + " \r ";
    QTest::newRow("width kept from earlier items")
        << QStringList{"AB"} << 2 << 4 << 4
        << "\r[一等奖]\r " + fw("AB") + pad(2) + " " + pad(4) + " \r ";
    QTest::newRow("padding capped at 40")
        << QStringList{"A"} << 1 << 60 << 60 << "\r[一等奖]\r " + fw("A") + pad(40) + " \r ";
    QTest::newRow("column count 0 reads as 1")
        << QStringList{"A", "BB"} << 0 << 0 << 2
        << "\r[一等奖]\r " + fw("A") + pad(1) + " \r " + fw("BB") + " \r ";
    QTest::newRow("negative column count reads as 1")
        << QStringList{"A"} << -3 << 0 << 1 << "\r[一等奖]\r " + fw("A") + " \r ";
    QTest::newRow("spaces and CJK")
        << QStringList{"张 三"} << 1 << 0 << 3 << "\r[一等奖]\r 张" + QString(S) + "三 \r ";
    QTest::newRow("no winners gives nothing") << QStringList{} << 2 << 5 << 5 << QString();
}

void TestResults::itemText()
{
    QFETCH(QStringList, winners);
    QFETCH(int, columns);
    QFETCH(int, widthBefore);
    QFETCH(int, widthAfter);
    QFETCH(QString, expected);
    TestProject tp;
    for (const QString& w : winners)
        addWinner(tp, w, "一等奖");
    addWinner(tp, "PENDINGXXXXXXXXXXXX", "一等奖", "*"); // never listed, never widens
    addWinner(tp, "OTHER", "二等奖");
    int width = widthBefore;
    ResultsFormat f;
    f.winnerColumns = columns;
    QCOMPARE(ItemWinnersText(tp.db(), "一等奖", f, width), expected);
    QCOMPARE(width, widthAfter);
}

void TestResults::temporaryBlockFollowsAndDoesNotWiden()
{
    TestProject tp;
    addWinner(tp, "AB", "一等奖");
    addWinner(tp, "LONGTEMPNAME", "[临]一等奖");
    addWinner(tp, "C", "[临]一等奖");
    int width = 0;
    ResultsFormat f;
    f.winnerColumns = 2;
    f.mask = {1, 1, "*"};
    const QString text = ItemWinnersText(tp.db(), "一等奖", f, width);
    QCOMPARE(width, 2);
    QCOMPARE(text, "\r[一等奖]\r " + fw("*B") + " " + pad(2) + " \r " + "\r[临 一等奖]\r " +
                       fw("*ONGTEMPNAME") + " " + fw("*") + pad(1) + " \r ");

    // Only temporary winners: the temporary block alone.
    TestProject tp2;
    addWinner(tp2, "X", "[临]二等奖");
    width = 0;
    QCOMPARE(ItemWinnersText(tp2.db(), "二等奖", ResultsFormat{}, width),
             "\r[临 二等奖]\r " + fw("X") + " " + pad(0) + " \r ");
}

void TestResults::quotesInItemNames()
{
    TestProject tp;
    addWinner(tp, "A", "O'Brien's 奖");
    addWinner(tp, "B", "[临]O'Brien's 奖");
    tp.addItem("O'Brien's 奖", 2);
    int width = 0;
    ResultsFormat f;
    f.winnerColumns = 1;
    const QString one = ItemWinnersText(tp.db(), "O'Brien's 奖", f, width);
    QCOMPARE(one,
             "\r[O'Brien's 奖]\r " + fw("A") + " \r \r[临 O'Brien's 奖]\r " + fw("B") + " \r ");
    QCOMPARE(allWinnersText(tp.db(), false, f, width), one);
}

void TestResults::allItemsInOrder_data()
{
    QTest::addColumn<bool>("reversed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("z_jx order") << false
                                << "\r[一等奖]\r " + fw("A") + " \r \r[三等奖]\r " + fw("C") +
                                       " \r ";
    QTest::newRow("reversed") << true
                              << "\r[三等奖]\r " + fw("C") + " \r \r[一等奖]\r " + fw("A") + " \r ";
}

void TestResults::allItemsInOrder()
{
    QFETCH(bool, reversed);
    QFETCH(QString, expected);
    TestProject tp;
    tp.addItem("一等奖", 1);
    tp.addItem("二等奖", 1); // no winners: skipped
    tp.addItem("三等奖", 1);
    addWinner(tp, "C", "三等奖");
    addWinner(tp, "A", "一等奖");
    int width = 0;
    ResultsFormat f;
    f.winnerColumns = 1;
    QCOMPARE(allWinnersText(tp.db(), reversed, f, width), expected);
}

void TestResults::marqueeDropsOnlyIdeographicSpaces()
{
    TestProject tp;
    addWinner(tp, "AB", "一等奖");
    addWinner(tp, "ABCDEFGHI", "一等奖");
    int width = 0;
    const QString text = ItemWinnersText(tp.db(), "一等奖", ResultsFormat{}, width);
    const QString marquee = marqueeText(text);
    QVERIFY(!marquee.contains(S));
    QCOMPARE(marquee, "\r[一等奖]\r " + fw("AB") + " " + fw("ABCDEFGHI") + " \r ");
    QCOMPARE(resultLines(text).size(), 4);
}

void TestResults::rollingListAddsColumnsAndTakesFirst500()
{
    TestProject tp;
    tp.db().exec("delete from z_set where name = '滚动名单中奖列数'");
    tp.addParticipants(503, "P");
    int width = 0;
    const QString text = allRollingText(tp.db(), StarMaskParams{}, width);
    QCOMPARE(tp.column("select var from z_set where name = '滚动名单中奖列数'"),
             QVariantList{QString("3")});
    QCOMPARE(width, 5); // "P" + four digits
    QVERIFY(text.startsWith("\r[全部滚动数据清单]\r " + fw("P0001") + " " + fw("P0002") + " " +
                            fw("P0003") + " \r "));
    const QStringList lines = resultLines(text);
    QCOMPARE(lines.size(), 2 + 167 + 1); // empty, heading, 167 rows, trailing " "
    QVERIFY(lines.at(168).startsWith(" " + fw("P0499") + " " + fw("P0500") + " " + pad(5)));
    QVERIFY(!text.contains(fw("P0501")));

    // A stored count of 0 is read as one column.
    tp.db().exec("update z_set set var = '0' where name = '滚动名单中奖列数'");
    QCOMPARE(resultLines(allRollingText(tp.db(), StarMaskParams{}, width)).size(), 2 + 500 + 1);

    TestProject empty;
    QCOMPARE(allRollingText(empty.db(), StarMaskParams{}, width), QString());
}

void TestResults::demonstrationList_data()
{
    QTest::addColumn<QStringList>("people");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QStringList>("expectedLines");

    const QString in = pad(2);
    QTest::newRow("3 columns, 7 participants")
        << QStringList{"A1", "B2", "C3", "D4", "E5", "F6", "G7"} << 3
        << QStringList{"",
                       "[滚动中奖清单演示数据]",
                       in + fw("A1") + in + fw("B2") + in + fw("C3") + in,
                       in + fw("D4") + in + fw("E5") + in + fw("F6") + in,
                       in + fw("G7") + in + pad(2) + in + pad(2) + in,
                       in};
    QTest::newRow("longest value sets the padding")
        << QStringList{"LONGEST", "ab"} << 2
        << QStringList{"", "[滚动中奖清单演示数据]",
                       in + fw("LONGEST") + in + fw("ab") + pad(5) + in, in};
    QTest::newRow("column count 0 reads as 1")
        << QStringList{"A", "B"} << 0
        << QStringList{"", "[滚动中奖清单演示数据]", in + fw("A") + in, in + fw("B") + in, in};
    QTest::newRow("no participants") << QStringList{} << 3 << QStringList{""};
}

void TestResults::demonstrationList()
{
    QFETCH(QStringList, people);
    QFETCH(int, columns);
    QFETCH(QStringList, expectedLines);
    TestProject tp;
    for (int i = 0; i < people.size(); ++i)
        tp.addParticipant(i + 1, people.at(i));
    QCOMPARE(resultLines(demonstrationListText(tp.db(), columns, 2, StarMaskParams{})),
             expectedLines);
}

QTEST_MAIN(TestResults)
#include "test_results.moc"
