#include "TestProject.h"
#include "store/ProjectSchema.h"

#include <QCryptographicHash>
#include <QFile>
#include <QGuiApplication>
#include <QTest>

using namespace varnel;

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// "table(col type, ...)" for every table and index of the open file, sorted by name: the
// layout as the engine sees it, whatever statement text made it.
QStringList layout(ProjectDb& db)
{
    QStringList out;
    QSqlQuery q = db.select(QStringLiteral(
        "select type, name from sqlite_master where name not like 'sqlite_%' order by name"));
    QList<QPair<QString, QString>> objects;
    while (q.next())
        objects.append({q.value(0).toString(), q.value(1).toString()});
    q.finish();
    for (const auto& [type, name] : objects) {
        QStringList cols;
        QSqlQuery c = db.select(QStringLiteral("pragma %1_info(%2)")
                                    .arg(type == QLatin1String("index") ? "index" : "table", name));
        while (c.next())
            cols << (type == QLatin1String("index")
                         ? c.value(2).toString().toLower()
                         : c.value(1).toString() + QLatin1Char(' ') + c.value(2).toString() +
                               (c.value(5).toInt() ? QStringLiteral(" key") : QString()));
        out << name + QLatin1Char('(') + cols.join(QLatin1Char(',')) + QLatin1Char(')');
    }
    return out;
}

// Builds a project file in the layout an earlier version of the program wrote, with a few
// settings, participants, items, plan rows and winners.
void writeOldProject(ProjectDb& db, const QString& path, const QString& version, bool leftoverSet2)
{
    const double v = version.toDouble();
    db.connect(path);
    db.exec("BEGIN");
    auto run = [&db](const QString& sql) { db.exec(sql); };
    run("create table z_set([name] varchar,[var] varchar,[beizhu] varchar,[Pic] Blob)");
    auto set = [&db](const QString& name, const QString& var) {
        db.exec("insert into z_set(name,var) values(?,?)", {name, var});
    };
    set("版本", version);
    set("抽奖界面主标题", "老板's 年会");
    set("滚动显示速度", "25");
    db.exec("insert into z_set(name,var,Pic) values('抽奖界面背景图','old.jpg',?)",
            {QByteArray("\xFF\xD8\xFF\xE0old", 7)});
    if (v >= 3.7) {
        set("版本类型", "滚轮版");
        set("位置放大图X", "418");
        set("位置放大图Y", "365");
        set("位置放大图比例", "2.6");
        set("抽奖界面放大图显示", "0");
    }
    run("create table z_user([NO] Int,[List] varchar,[Memo] varchar,[TJ] Int,[PicB] "
        "varchar,[Pic] Blob)");
    for (int i = 1; i <= 5; ++i)
        db.exec("insert into z_user(NO,List,Memo,TJ,PicB) values(?,?,'',?,'无')",
                {i, QStringLiteral("人员%1").arg(i), i});
    if (v >= 3.5)
        run("create index user_list on z_user(NO,tj)");
    else if (v >= 3.4)
        run("create index user_list on z_user(list,Memo,tj)");

    if (v >= 3.6) {
        run(schema::kCreateZJx);
        run(schema::kCreateZLog);
        run(schema::kCreateLog);
        run("insert into z_jx(NO,JXname,JPname,JXcount,CQcount,TJ) "
            "values(1,'一等奖','电视',2,1,'')");
        run("insert into z_log(XNO,NO,JXname,JPname,indx,count,CQcount,TJ,ZT) "
            "values(1,1,'一等奖','电视',1,2,1,'','完成')");
    } else {
        run("create table z_jx([NO] Int,[JXname] varchar,[JPname] varchar,[JXcount] int)");
        run("create table z_log([NO] Int,[JXname] varchar,[ZT] varchar)");
        run("create table log([NO] Int,[JXname] varchar,[ZT] varchar)");
        run("insert into z_jx values(1,'一等奖','电视',2)");
        run("insert into z_log values(1,'一等奖','完成')");
    }
    if (v >= 3.8) {
        run(schema::kCreateZzUser);
        run(schema::kCreateZScuser);
    }
    if (v >= 3.9) {
        run(schema::kCreateZZj);
        run("insert into z_zj(ListNO,ListZJ,ListBZ,JXname,BZ) values(1,'人员1','','一等奖','')");
        run("insert into z_zj(ListNO,ListZJ,ListBZ,JXname,BZ) values(2,'人员2','','一等奖','*')");
    } else if (v >= 3.5) {
        run("create table z_zj([ListNO] Int,[ListZJ] varchar,[ListBZ] varchar,[JXname] "
            "varchar,[LJ] Int,[BZ] varchar)");
        run("insert into z_zj values(1,'人员1','','一等奖',NULL,'')");
    } else {
        // The oldest layout: five columns, copied by position into the 3.3 layout.
        run("create table z_zj([ZJname] varchar,[ZJbz] varchar,[JX] varchar,[LJ] Int,[BZ] "
            "varchar)");
        run("insert into z_zj values('人员1','','一等奖',NULL,'')");
    }
    if (leftoverSet2)
        run("create table z_set2([name] varchar,[var] varchar,[beizhu] varchar,[Pic] Blob)");
    db.exec("COMMIT");
    db.disconnect();
}

const QStringList kLastStep = {
    "ALTER TABLE z_set RENAME TO z_set2",
    "create table z_set(id INTEGER PRIMARY KEY, [name] varchar,[var] varchar,[beizhu] "
    "varchar,[Pic] Blob)",
    "insert into z_set([name],[var],[beizhu],[pic]) select [name],[var],[beizhu],[pic] from "
    "z_set2",
    "drop table z_set2", "update z_set set var = '4.1' where name = '版本'"};

QStringList chainFrom37()
{
    return QStringList{"update z_set set var = '3.8' where name = '版本'",
                       schema::kCreateZzUser,
                       schema::kCreateZScuser,
                       "update z_set set var = '3.9' where name = '版本'",
                       "Drop Table z_zj",
                       schema::kCreateZZj} +
           kLastStep;
}

QStringList chainFrom32()
{
    return QStringList{"select rowid from z_set where name = ? order by rowid limit 1",
                       "update z_set set name = ?, var = ? where rowid = ?",
                       "ALTER TABLE z_zj RENAME TO z_zj2",
                       "create table z_zj([ListZJ] varchar,[ListBZ] varchar,[JXname] varchar,[LJ] "
                       "Int,[BZ] varchar)",
                       "insert into z_zj select * from z_zj2",
                       "drop table z_zj2",
                       "update z_set set var = '3.4' where name = '版本'",
                       "create index user_list on z_user(list,Memo,tj)",
                       "update z_set set var = '3.5' where name = '版本'",
                       "drop index user_list",
                       "create index user_list on z_user(NO,tj)",
                       "drop table z_zj",
                       "create table z_zj([ListNO] Int,[ListZJ] varchar,[ListBZ] varchar,[JXname] "
                       "varchar,[LJ] Int,[BZ] varchar)",
                       "delete from z_log",
                       "update z_set set var = '3.6' where name = '版本'",
                       "drop table z_log",
                       "drop table log",
                       "drop table z_jx",
                       schema::kCreateZLog,
                       schema::kCreateLog,
                       schema::kCreateZJx,
                       "update z_set set var = '3.7' where name = '版本'",
                       "insert into z_set(name,var) values('版本类型','滚轮版')",
                       "insert into z_set(name,var) values('位置放大图X','418')",
                       "insert into z_set(name,var) values('位置放大图Y','365')",
                       "insert into z_set(name,var) values('位置放大图比例','2.6')",
                       "insert into z_set(name,var) values('抽奖界面放大图显示','0')"} +
           chainFrom37();
}

} // namespace

class TestProjectOpen : public QObject {
    Q_OBJECT
private slots:
    void reopenWritesNothing();
    void nameWithQuote();
    void upgrades_data();
    void upgrades();
    void fallbacks_data();
    void fallbacks();
    void failedUpgradeKeepsTheFile_data();
    void failedUpgradeKeepsTheFile();
    void badFilesAreKept_data();
    void badFilesAreKept();
    void interruptedWinnersAreDiscarded();
    void itemAlreadyDrawn_data();
    void itemAlreadyDrawn();
};

void TestProjectOpen::reopenWritesNothing()
{
    TestProject tp;
    tp.addParticipants(3);
    tp.db().disconnect();
    const QByteArray before = fileBytes(tp.projectFile("新的项目"));
    QStringList sql;
    tp.db().onExec = [&sql](const QString& s, const QVariantList&) { sql << s; };
    const auto out = tp.openProject();
    tp.db().onExec = nullptr;
    QVERIFY(out.ready);
    QVERIFY(!out.created);
    QCOMPARE(sql, QStringList({"select * from z_set where name = '版本'",
                               "select * from z_set where name = '版本类型'",
                               "select count(*) from z_zj where BZ = '*' or BZ = '-'"}));
    tp.db().disconnect();
    QCOMPARE(fileBytes(tp.projectFile("新的项目")), before);
}

void TestProjectOpen::nameWithQuote()
{
    TestProject tp(TestProject::folderOnly());
    const QString name = QStringLiteral("O'Neil 年会");
    const auto out = tp.openProject(name);
    QVERIFY(out.ready);
    QCOMPARE(out.name, name);
    QVERIFY(QFile::exists(tp.file(name + ".dat")));
    tp.openProject("另一个");
    QCOMPARE(tp.db().path(), tp.file("另一个.dat"));
    QVERIFY(tp.openProject(name).ready);
    QVERIFY(tp.dialogs().shown.isEmpty());
}

void TestProjectOpen::upgrades_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("leftoverSet2");
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<int>("winners");
    QTest::addColumn<int>("items");
    QTest::newRow("3.2") << "3.2" << false << chainFrom32() << 0 << 0;
    QTest::newRow("3.7") << "3.7" << false << chainFrom37() << 0 << 1;
    QTest::newRow("3.9") << "3.9" << false << kLastStep << 1 << 1;
    QTest::newRow("4.0") << "4.0" << false << kLastStep << 1 << 1;
    QTest::newRow("4.0 with leftover z_set2")
        << "4.0" << true << QStringList{"drop table z_set2"} + kLastStep << 1 << 1;
}

void TestProjectOpen::upgrades()
{
    QFETCH(QString, version);
    QFETCH(bool, leftoverSet2);
    QFETCH(QStringList, statements);
    QFETCH(int, winners);
    QFETCH(int, items);

    TestProject tp;
    const QStringList current = layout(tp.db());
    tp.db().disconnect();
    writeOldProject(tp.db(), tp.projectFile("往年"), version, leftoverSet2);

    QStringList sql;
    tp.db().onExec = [&sql](const QString& s, const QVariantList&) { sql << s; };
    const auto out = tp.openProject("往年");
    tp.db().onExec = nullptr;
    QVERIFY(out.ready);
    QVERIFY(!out.created);
    QCOMPARE(out.name, QStringLiteral("往年"));
    QVERIFY(tp.dialogs().shown.isEmpty());

    // Between the version read and the edition read: the upgrade statements, in order.
    QCOMPARE(sql.first(), QStringLiteral("select * from z_set where name = '版本'"));
    const qsizetype edition = sql.indexOf("select * from z_set where name = '版本类型'");
    QCOMPARE(sql.at(1), QStringLiteral("BEGIN"));
    QCOMPARE(sql.at(edition - 1), QStringLiteral("COMMIT"));
    QCOMPARE(sql.mid(2, edition - 3).join('\n'), statements.join('\n'));

    QCOMPARE(layout(tp.db()), current);
    QCOMPARE(tp.settings().read("版本"), QStringLiteral("4.1"));
    QCOMPARE(tp.settings().read("版本类型"), QStringLiteral("滚轮版"));
    QCOMPARE(tp.settings().read("抽奖界面主标题"), QStringLiteral("老板's 年会"));
    QCOMPARE(tp.settings().read("抽奖界面背景图"), QStringLiteral("old.jpg"));
    QCOMPARE(tp.settings().readBlob("抽奖界面背景图"), QByteArray("\xFF\xD8\xFF\xE0old", 7));
    QCOMPARE(tp.settings().read("位置放大图比例"), QStringLiteral("2.6"));
    QCOMPARE(tp.count("z_set where name = '位置放大图X'"), 1);
    // The settings got their row ids.
    QCOMPARE(tp.count("z_set where id is null"), 0);
    QCOMPARE(tp.count("z_user"), 5);
    QCOMPARE(tp.count("z_zj"), winners); // a pending winner of the old file is discarded too
    QCOMPARE(tp.count("z_jx"), items);
    QVERIFY(!tp.db().hasTable("z_set2"));
    QVERIFY(!tp.db().hasTable("z_zj2"));
}

void TestProjectOpen::fallbacks_data()
{
    // A file's "版本" and "版本类型" ("<none>": no row); the project opened; what it ends in.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("files"); // name|version|edition, "-" for no row
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("opened");

    const QString mismatch = "项目文件版本不匹配,无法打开该项目\r将创建或打开新项目 ";
    const QString edition = "非滚轮版项目,无法加载!请选择正确的项目文件.";
    const QString newer = "请升级程序后再加载该抽奖项目: ";

    QTest::newRow("empty version")
        << "abc" << QStringList{"abc||滚轮版"} << QStringList{mismatch + "abc_"} << "abc_";
    QTest::newRow("no version row")
        << "abc" << QStringList{"abc|-|滚轮版"} << QStringList{mismatch + "abc_"} << "abc_";
    QTest::newRow("empty version twice")
        << "abc" << QStringList{"abc||滚轮版", "abc_||滚轮版"}
        << QStringList{mismatch + "abc_", mismatch + "abc__"} << "abc__";
    QTest::newRow("other edition")
        << "年会" << QStringList{"年会|4.1|豪华版"} << QStringList{edition} << "新的项目";
    QTest::newRow("no edition row")
        << "年会" << QStringList{"年会|4.1|-"} << QStringList{edition} << "新的项目";
    QTest::newRow("default project of other edition")
        << "新的项目" << QStringList{"新的项目|4.1|豪华版"} << QStringList{edition} << "新的项目_";
    QTest::newRow("newer format") << "年会" << QStringList{"年会|4.2|滚轮版"}
                                  << QStringList{newer + "年会"} << "新的项目";
    QTest::newRow("unknown older format")
        << "年会" << QStringList{"年会|3.1|滚轮版"} << QStringList{newer + "年会"} << "新的项目";
    // Fallbacks that lead back to a project already tried end in a fresh project.
    QTest::newRow("default project of newer format")
        << "新的项目" << QStringList{"新的项目|4.2|滚轮版"} << QStringList{newer + "新的项目"}
        << "新的项目_";
    QTest::newRow("both default projects of other edition")
        << "新的项目" << QStringList{"新的项目|4.1|豪华版", "新的项目_|4.1|豪华版"}
        << QStringList{edition, edition} << "新的项目__";
    QTest::newRow("newer, and the fallback of other edition")
        << "年会" << QStringList{"年会|4.2|滚轮版", "新的项目|4.1|豪华版", "新的项目_|9|滚轮版"}
        << QStringList{newer + "年会", edition, newer + "新的项目_"} << "新的项目__";
}

void TestProjectOpen::fallbacks()
{
    QFETCH(QString, name);
    QFETCH(QStringList, files);
    QFETCH(QStringList, messages);
    QFETCH(QString, opened);

    TestProject tp(TestProject::folderOnly());
    QMap<QString, QByteArray> before;
    for (const QString& entry : files) {
        const QStringList f = entry.split('|');
        const QString path = tp.projectFile(f[0]);
        tp.db().connect(path);
        tp.db().exec(schema::kCreateZSet);
        tp.db().exec(schema::kCreateZZj);
        if (f[1] != "-")
            tp.db().exec("insert into z_set(name,var) values('版本',?)", {f[1]});
        if (f[2] != "-")
            tp.db().exec("insert into z_set(name,var) values('版本类型',?)", {f[2]});
        tp.db().exec("insert into z_zj(ListNO,ListZJ,BZ) values(1,'人员1','*')");
        tp.db().disconnect();
        before[path] = fileBytes(path);
    }

    const auto out = tp.openProject(name);
    QCOMPARE(tp.dialogs().texts(), messages);
    for (const auto& shown : tp.dialogs().shown)
        QCOMPARE(shown.kind, QStringLiteral("message"));
    QCOMPARE(out.name, opened);
    QVERIFY(out.ready);
    QVERIFY(out.created);
    QCOMPARE(tp.db().path(), tp.projectFile(opened));
    QCOMPARE(tp.settings().read("版本"), QStringLiteral("4.1"));
    tp.db().disconnect();
    // Files that could not be opened are left exactly as they were.
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        QCOMPARE(fileBytes(it.key()), it.value());
}

void TestProjectOpen::failedUpgradeKeepsTheFile_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("drop"); // a table the old file lacks
    QTest::addColumn<QString>("message");
    QTest::newRow("3.4 without z_log") << "3.4"
                                       << "z_log"
                                       << "no such table: z_log";
    QTest::newRow("3.7 without z_zj") << "3.7"
                                      << "z_zj"
                                      << "no such table: z_zj";
}

void TestProjectOpen::failedUpgradeKeepsTheFile()
{
    QFETCH(QString, version);
    QFETCH(QString, drop);
    QFETCH(QString, message);
    TestProject tp(TestProject::folderOnly());
    const QString path = tp.projectFile("往年");
    writeOldProject(tp.db(), path, version, false);
    tp.db().connect(path);
    tp.db().exec("drop table " + drop);
    tp.db().disconnect();
    const QByteArray before = fileBytes(path);

    const auto out = tp.openProject("往年");
    QVERIFY(!out.ready);
    QCOMPARE(tp.dialogs().texts(), QStringList{message});
    QCOMPARE(tp.dialogs().shown.first().kind, QStringLiteral("error"));
    QCOMPARE(tp.settings().read("版本"), version);
    tp.db().disconnect();
    QCOMPARE(fileBytes(path), before);
}

void TestProjectOpen::badFilesAreKept_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message"); // empty: any error text
    QTest::newRow("not a database") << "text"
                                    << "file is not a database";
    QTest::newRow("truncated") << "truncated"
                               << "";
    QTest::newRow("without z_set") << "noset"
                                   << "no such table: z_set";
    QTest::newRow("empty file") << "empty"
                                << "no such table: z_set";
}

void TestProjectOpen::badFilesAreKept()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);

    TestProject tp(TestProject::folderOnly());
    const QString path = tp.projectFile("坏的");
    if (kind == "text") {
        tp.writeFile("坏的.dat", QByteArray("not a project, just some text\n").repeated(300));
    } else if (kind == "truncated") {
        tp.openProject("坏的");
        tp.addParticipants(2000);
        tp.db().disconnect();
        QByteArray bytes = fileBytes(path);
        QVERIFY(bytes.size() > 20000);
        bytes.truncate(4096);
        tp.writeFile("坏的.dat", bytes);
    } else if (kind == "noset") {
        tp.db().connect(path);
        tp.db().exec(schema::kCreateZUser);
        tp.db().disconnect();
    } else {
        tp.writeFile("坏的.dat", QByteArray());
    }
    const QByteArray before = fileBytes(path);
    tp.dialogs().clear();

    const auto out = tp.openProject("坏的");
    QVERIFY(!out.ready);
    QCOMPARE(out.name, QStringLiteral("坏的"));
    QCOMPARE(tp.dialogs().shown.size(), 1);
    QCOMPARE(tp.dialogs().shown.first().kind, QStringLiteral("error"));
    if (message.isEmpty())
        QVERIFY(!tp.dialogs().shown.first().text.isEmpty());
    else
        QCOMPARE(tp.dialogs().shown.first().text, message);
    tp.db().disconnect();
    QCOMPARE(fileBytes(path), before);
    QVERIFY(!QFile::exists(tp.projectFile("坏的_")));
}

void TestProjectOpen::interruptedWinnersAreDiscarded()
{
    TestProject tp;
    const QStringList markers = {"", "*", "-", "已领", "**"};
    for (const QString& m : markers)
        tp.db().exec("insert into z_zj(ListNO,ListZJ,JXname,BZ) values(1,?,'一等奖',?)",
                     {QString("人员" + m), m});
    tp.db().exec("insert into z_zj(ListNO,ListZJ,JXname,BZ) values(2,'无标记','一等奖',NULL)");
    tp.addParticipants(2);
    tp.addWinner(2, "二等奖", "*");
    tp.addWinner(1, "二等奖");
    QVERIFY(tp.openProject().ready);
    QCOMPARE(tp.column("select ListZJ from z_zj order by rowid"),
             QVariantList({"人员", "人员已领", "人员**", "无标记", "人员0001"}));
}

void TestProjectOpen::itemAlreadyDrawn_data()
{
    QTest::addColumn<QStringList>("plan"); // "NO:ZT"
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("drawn");
    QTest::newRow("no plan") << QStringList{} << 1 << false;
    QTest::newRow("nothing done") << QStringList{"1:", "2:进行中"} << 1 << false;
    QTest::newRow("done up to 2, item 1")
        << QStringList{"1:完成", "2:完成", "3:进行中"} << 1 << true;
    QTest::newRow("done up to 2, item 2")
        << QStringList{"1:完成", "2:完成", "3:进行中"} << 2 << true;
    QTest::newRow("done up to 2, item 3")
        << QStringList{"1:完成", "2:完成", "3:进行中"} << 3 << false;
    QTest::newRow("only a later item done") << QStringList{"4:完成"} << 2 << true;
}

void TestProjectOpen::itemAlreadyDrawn()
{
    QFETCH(QStringList, plan);
    QFETCH(int, n);
    QFETCH(bool, drawn);
    TestProject tp;
    int x = 0;
    for (const QString& p : plan) {
        const QStringList f = p.split(':');
        tp.db().exec("insert into z_log(XNO,NO,ZT) values(?,?,?)", {++x, f[0].toInt(), f[1]});
    }
    QCOMPARE(varnel::itemAlreadyDrawn(tp.db(), n), drawn);
}

QTEST_MAIN(TestProjectOpen)
#include "test_project_open.moc"
