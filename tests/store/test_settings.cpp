#include "TestProject.h"

#include <QGuiApplication>
#include <QTest>
#include <sqlite3.h>

using namespace varnel;

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void missingKeyReadsEmpty();
    void saveInsertsThenEditsFirstRow();
    void updateChangesEveryRowAndAddsNone();
    void addMissing();
    void blobs();
    void quotesKeepTheirText_data();
    void quotesKeepTheirText();
    void typedReaders_data();
    void typedReaders();
    void dbErrorsCarryTheEngineText();
    void nativeHandleIsTheConnection();
};

void TestSettings::missingKeyReadsEmpty()
{
    TestProject tp;
    Settings& s = tp.settings();
    QVERIFY(!s.exists("没有这个键"));
    QCOMPARE(s.read("没有这个键"), QString());
    QVERIFY(s.readBlob("没有这个键").isEmpty());
    QCOMPARE(s.readBeizhu("没有这个键"), QString());
    QVERIFY(s.flagOffOnlyAtZero("加密新建"));
    QVERIFY(!s.flagOnOnlyAtMinusOne("使用项目密码"));
    QCOMPARE(s.integer("没有这个键"), 0);
}

void TestSettings::saveInsertsThenEditsFirstRow()
{
    TestProject tp;
    Settings& s = tp.settings();
    s.save("项目密码", "abc");
    QCOMPARE(tp.column("select var from z_set where name = '项目密码'"), QVariantList{"abc"});
    // Two rows of one key: save edits the first only, and reads take the first.
    tp.db().exec("insert into z_set(name,var) values('项目密码','second')");
    s.save("项目密码", "xyz");
    QCOMPARE(tp.column("select var from z_set where name = '项目密码' order by id"),
             QVariantList({"xyz", "second"}));
    QCOMPARE(s.read("项目密码"), QStringLiteral("xyz"));
}

void TestSettings::updateChangesEveryRowAndAddsNone()
{
    TestProject tp;
    Settings& s = tp.settings();
    s.update("初始化", "0");
    QVERIFY(!s.exists("初始化"));
    tp.db().exec("insert into z_set(name,var) values('商场抽取条件','2026-01-01 08:00:00')");
    tp.db().exec("insert into z_set(name,var) values('商场抽取条件','2026-01-01 09:00:00')");
    s.update("商场抽取条件", "x");
    QCOMPARE(tp.column("select var from z_set where name = '商场抽取条件'"),
             QVariantList({"x", "x"}));
}

void TestSettings::addMissing()
{
    TestProject tp;
    Settings& s = tp.settings();
    QCOMPARE(s.addMissing("大小奖品图宽", "120"), QStringLiteral("120"));
    QCOMPARE(s.read("大小奖品图宽"), QStringLiteral("120"));
    s.save("大小奖品图宽", "0");
    QCOMPARE(s.addMissing("大小奖品图宽", "120"), QStringLiteral("0"));
    QCOMPARE(tp.count("z_set where name = '大小奖品图宽'"), 1);
}

void TestSettings::blobs()
{
    TestProject tp;
    Settings& s = tp.settings();
    const QByteArray bytes("\x00\x01\xFFpicture", 10);
    s.saveWithBlob("中奖清单背景图", "bg.jpg", bytes);
    QCOMPARE(s.read("中奖清单背景图"), QStringLiteral("bg.jpg"));
    QCOMPARE(s.readBlob("中奖清单背景图"), bytes);
    QCOMPARE(tp.count("z_set where name = '中奖清单背景图'"), 1);

    s.saveBlob("平滑字体", QByteArray("[lbDWname]\r\n", 12));
    QCOMPARE(s.read("平滑字体"), QString());
    QCOMPARE(s.readBlob("平滑字体"), QByteArray("[lbDWname]\r\n", 12));
    s.save("平滑字体", "kept");
    s.saveBlob("平滑字体", QByteArray("new"));
    QCOMPARE(s.read("平滑字体"), QStringLiteral("kept"));
    QCOMPARE(s.readBlob("平滑字体"), QByteArray("new"));
}

void TestSettings::quotesKeepTheirText_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("value") << "抽奖界面主标题"
                           << "O'Brien's \"年会\"";
    QTest::newRow("key") << "it's"
                         << "'";
    QTest::newRow("sql text") << "默认条件"
                              << "'); drop table z_user; --";
}

void TestSettings::quotesKeepTheirText()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    TestProject tp;
    Settings& s = tp.settings();
    s.save(key, value);
    QCOMPARE(s.read(key), value);
    s.update(key, value + value);
    QCOMPARE(s.read(key), value + value);
    QCOMPARE(s.addMissing(key + "2", value), value);
    QCOMPARE(s.read(key + "2"), value);
    QVERIFY(tp.db().hasTable("z_user"));
    QCOMPARE(sqlQuote(value).count(QLatin1Char('\'')), 2 * value.count(QLatin1Char('\'')));
    QCOMPARE(tp.db().scalar("select '" + sqlQuote(value) + "'").toString(), value);
}

void TestSettings::typedReaders_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("integer");
    QTest::addColumn<double>("decimal");
    QTest::addColumn<bool>("offOnlyAtZero");
    QTest::addColumn<bool>("onOnlyAtMinusOne");
    QTest::newRow("roll speed") << "滚动显示速度" << 40 << 40.0 << true << false;
    QTest::newRow("zoom ratio") << "位置放大图比例" << 0 << 2.6 << true << false;
    QTest::newRow("created on") << "多点滚动" << 1 << 1.0 << true << false;
    QTest::newRow("created off") << "可重复中奖" << 0 << 0.0 << false << false;
    QTest::newRow("text") << "抽奖界面单位名称" << 0 << 0.0 << true << false;
}

void TestSettings::typedReaders()
{
    QFETCH(QString, key);
    QFETCH(int, integer);
    QFETCH(double, decimal);
    QFETCH(bool, offOnlyAtZero);
    QFETCH(bool, onOnlyAtMinusOne);
    TestProject tp;
    Settings& s = tp.settings();
    QCOMPARE(s.integer(key), integer);
    QCOMPARE(s.decimal(key), decimal);
    QCOMPARE(s.flagOffOnlyAtZero(key), offOnlyAtZero);
    QCOMPARE(s.flagOnOnlyAtMinusOne(key), onOnlyAtMinusOne);
}

void TestSettings::dbErrorsCarryTheEngineText()
{
    TestProject tp;
    try {
        tp.db().exec("select * from nope");
        QFAIL("no error");
    } catch (const DbError& e) {
        QCOMPARE(e.text(), QStringLiteral("no such table: nope"));
    }
    QVERIFY_THROWS_EXCEPTION(DbError, tp.db().select("selec 1"));
    QVERIFY_THROWS_EXCEPTION(DbError, tp.db().scalar("select x from z_set"));
    QVERIFY(!tp.db().scalar("select var from z_set where name = 'none'").isValid());
    tp.db().disconnect();
    QVERIFY(!tp.db().isConnected());
    QVERIFY_THROWS_EXCEPTION(DbError, tp.db().exec("select 1"));
    QVERIFY(!tp.db().nativeHandle());
}

void TestSettings::nativeHandleIsTheConnection()
{
    TestProject tp;
    auto* h = static_cast<sqlite3*>(tp.db().nativeHandle());
    QVERIFY(h);
    QCOMPARE(QString::fromUtf8(sqlite3_db_filename(h, "main")),
             tp.projectFile(QStringLiteral("新的项目")));
    QCOMPARE(sqlite3_exec(h, "insert into zz_user(NO) values(7)", nullptr, nullptr, nullptr),
             SQLITE_OK);
    QCOMPARE(tp.column("select NO from zz_user"), QVariantList{7});
}

QTEST_MAIN(TestSettings)
#include "test_settings.moc"
