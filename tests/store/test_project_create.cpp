#include "TestProject.h"
#include "store/Pictures.h"
#include "store/ProjectSchema.h"
#include "store/SettingsCatalogue.h"

#include <QFile>
#include <QGuiApplication>
#include <QSqlRecord>
#include <QTest>

using namespace varnel;

namespace {

struct Row {
    QString name;
    QVariant var;
    QByteArray pic;
};

QList<Row> settingsRows(ProjectDb& db)
{
    QList<Row> rows;
    QSqlQuery q = db.select(QStringLiteral("select name, var, Pic from z_set order by id"));
    while (q.next())
        rows.append({q.value(0).toString(), q.value(1), q.value(2).toByteArray()});
    return rows;
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every (name, var) a new project holds, in order, as written out in full.
const QStringList kExpectedRows = {
    "版本=4.1",
    "版本类型=滚轮版",
    "抽奖界面单位名称显示=1",
    "抽奖界面单位名称=某某股份有限公司",
    "抽奖界面单位名称字体=黑体;16777215;26;[fsBold];",
    "抽奖界面主标题=二零零某年年终晚会",
    "抽奖界面主标题字体=黑体;16777215;26;[fsBold];",
    "抽奖界面主标题显示=1",
    "抽奖界面副标题=抽奖仪式",
    "抽奖界面副标题字体=黑体;16777215;30;[fsBold];",
    "抽奖界面副标题显示=1",
    "抽奖界面滚动栏=祝你好运!",
    "抽奖界面滚动栏文字=1",
    "抽奖界面滚动栏图片=0",
    "抽奖界面窗口模式=0",
    "抽奖界面窗口高=280",
    "抽奖界面窗口宽=300",
    "抽奖界面窗口顶=0",
    "抽奖界面窗口左=0",
    "抽奖界面滚动栏字体=黑体;16777215;18;[fsBold];",
    "滚动清单字体=黑体;16777215;20;[fsBold];",
    "抽奖界面状态栏字体=楷体_GB2312;16777215;18;[fsBold];",
    "抽奖界面状态栏显示=1",
    "抽奖界面奖品栏显示=1",
    "抽奖界面奖品栏图片显示=0",
    "抽奖界面放大图显示=0",
    "抽奖界面中奖列数=2",
    "抽奖界面单位徽标=",
    "抽奖界面单位徽标显示=0",
    "抽奖界面预览=<null>",
    "抽奖界面背景图=BJ001.JPG",
    "抽奖界面预览信息=",
    "滚动显示星星开始=0",
    "滚动显示星星个数=0",
    "滚动显示星星符号=*",
    "滚动显示速度=40",
    "多点滚动=1",
    "可重复中奖=0",
    "显示奖项中奖清单=0",
    "中奖清单倒序显示=0",
    "显示已中奖清单=1",
    "抽奖间隔=0",
    "默认条件=",
    "滚动声音=dada.wav",
    "滚动有声音=1",
    "中奖声音=ding.wav",
    "中奖有声音=1",
    "抽奖人追加导入方式=0",
    "位置单位名称X=128",
    "位置单位名称Y=63",
    "位置主标题名称X=388",
    "位置主标题名称Y=113",
    "位置副标题名称X=295",
    "位置副标题名称Y=176",
    "位置滚动栏固定=1",
    "位置滚动栏名称X=418",
    "位置滚动栏名称Y=365",
    "位置放大图X=418",
    "位置放大图Y=365",
    "位置放大图比例=2.6",
    "位置滚动栏名称W=120",
    "位置滚动栏名称H=30",
    "位置滚动栏间隔=5",
    "位置状态栏名称X=35",
    "位置状态栏名称Y=553",
    "位置奖品名称X=35",
    "位置奖品名称Y=580",
    "位置奖品图X=554",
    "位置奖品图Y=597",
    "位置徽标图X=536",
    "位置徽标图Y=8",
    "中奖清单背景图=",
};

QString rowText(const Row& r)
{
    return r.name + QLatin1Char('=') +
           (r.var.isNull() ? QStringLiteral("<null>") : r.var.toString());
}

} // namespace

class TestProjectCreate : public QObject {
    Q_OBJECT
private slots:
    void newProjectLayout();
    void newProjectRows();
    void statementsRunInOneTransaction();
    void missingDataFilesLeaveEmptyRows();
    void failedCreationLeavesNoFile_data();
    void failedCreationLeavesNoFile();
    void catalogueAgreesWithCreation();
};

void TestProjectCreate::newProjectLayout()
{
    TestProject tp;
    QVERIFY(tp.lastOutcome().ready);
    QVERIFY(tp.lastOutcome().created);
    QCOMPARE(tp.lastOutcome().name, QStringLiteral("新的项目"));
    QVERIFY(QFile::exists(tp.file(QStringLiteral("新的项目.dat"))));
    QCOMPARE(tp.db().path(), tp.file(QStringLiteral("新的项目.dat")));

    QStringList objects;
    QSqlQuery q =
        tp.db().select(QStringLiteral("select type, name, sql from sqlite_master order by rowid"));
    while (q.next())
        objects << q.value(0).toString() + QLatin1Char(' ') + q.value(1).toString() +
                       QLatin1Char(':') + q.value(2).toString().mid(12); // after "CREATE TABLE"
    QStringList expected;
    const QStringList names = {"z_set", "z_user", "user_list", "zz_user", "z_scuser",
                               "z_jx",  "z_log",  "log",       "z_zj"};
    const auto statements = schema::creationStatements();
    QCOMPARE(qsizetype(statements.size()), names.size());
    for (qsizetype i = 0; i < names.size(); ++i)
        expected << (names[i] == QLatin1String("user_list") ? QStringLiteral("index ")
                                                            : QStringLiteral("table ")) +
                        names[i] + QLatin1Char(':') +
                        QString::fromUtf8(statements[size_t(i)]).mid(12);
    QCOMPARE(objects, expected);
    // The exact texts of the format, so a typo in the statements cannot hide.
    QCOMPARE(QString::fromUtf8(schema::kCreateZZj),
             QStringLiteral("create table z_zj([ListNO] Int,[scuserNO] Int,[ListZJ] "
                            "varchar,[ListBZ] varchar,[JXname] varchar,[LJ] Int,[BZ] varchar)"));
    QCOMPARE(QString::fromUtf8(schema::kCreateZSet),
             QStringLiteral("create table z_set(id INTEGER PRIMARY KEY,[name] varchar,[var] "
                            "varchar,[beizhu] varchar,[Pic] Blob)"));
    for (const char* t : {"z_user", "zz_user", "z_scuser", "z_jx", "z_log", "log", "z_zj"})
        QCOMPARE(tp.count(QString::fromUtf8(t)), 0);
}

void TestProjectCreate::newProjectRows()
{
    TestProject tp;
    const QList<Row> rows = settingsRows(tp.db());
    QStringList texts;
    for (const Row& r : rows)
        texts << rowText(r);
    QCOMPARE(texts, kExpectedRows);

    auto pic = [&rows](const char* key) {
        for (const Row& r : rows)
            if (r.name == QString::fromUtf8(key))
                return r.pic;
        return QByteArray();
    };
    QCOMPARE(pic("抽奖界面预览"), tp.ctx().blankJpeg);
    QVERIFY(!LoadJpegBlob(pic("抽奖界面预览"), QImage()).isNull());
    QCOMPARE(pic("抽奖界面背景图"), fileBytes(tp.file("bmp/BJ001.JPG")));
    QCOMPARE(pic("滚动声音"), fileBytes(tp.file("Sound/dada.wav")));
    QCOMPARE(pic("中奖声音"), fileBytes(tp.file("Sound/ding.wav")));
    QVERIFY(!pic("滚动声音").isEmpty());
}

void TestProjectCreate::statementsRunInOneTransaction()
{
    TestProject tp(TestProject::folderOnly());
    QStringList sql;
    tp.db().onExec = [&sql](const QString& s, const QVariantList&) { sql << s; };
    QVERIFY(tp.openProject().ready);
    tp.db().onExec = nullptr;
    QCOMPARE(sql.first(), QStringLiteral("BEGIN"));
    const qsizetype commit = sql.indexOf(QStringLiteral("COMMIT"));
    QVERIFY(commit > 0);
    QCOMPARE(sql.mid(1, 9).join('\n'),
             QStringList({schema::kCreateZSet, schema::kCreateZUser, schema::kCreateUserIndex,
                          schema::kCreateZzUser, schema::kCreateZScuser, schema::kCreateZJx,
                          schema::kCreateZLog, schema::kCreateLog, schema::kCreateZZj})
                 .join('\n'));
    QCOMPARE(sql.at(10), QStringLiteral("insert into z_set(name,var) values('版本','4.1')"));
    QCOMPARE(commit, 10 + qsizetype(kExpectedRows.size()));
    // After the transaction: version and edition checks, then the clean-up of the draw.
    const QStringList after = sql.mid(commit + 1);
    QCOMPARE(after, QStringList({"select * from z_set where name = '版本'",
                                 "select * from z_set where name = '版本类型'",
                                 "select count(*) from z_zj where BZ = '*' or BZ = '-'"}));
}

void TestProjectCreate::missingDataFilesLeaveEmptyRows()
{
    TestProject tp(TestProject::folderOnly(false));
    QVERIFY(tp.openProject().ready);
    QVERIFY(tp.dialogs().shown.isEmpty());
    for (const char* key : {"抽奖界面背景图", "滚动声音", "中奖声音"}) {
        QVERIFY2(tp.settings().exists(QString::fromUtf8(key)), key);
        QCOMPARE(tp.settings().read(QString::fromUtf8(key)), QString());
        QVERIFY(tp.settings().readBlob(QString::fromUtf8(key)).isEmpty());
    }
    QCOMPARE(tp.count("z_set"), kExpectedRows.size());
}

void TestProjectCreate::failedCreationLeavesNoFile_data()
{
    QTest::addColumn<QString>("failAt");
    QTest::newRow("table") << "create table z_jx";
    QTest::newRow("first row") << "insert into z_set(name,var) values('版本'";
    QTest::newRow("sound row") << "insert into z_set(name,var,Pic) values('中奖声音'";
    QTest::newRow("commit") << "COMMIT";
}

void TestProjectCreate::failedCreationLeavesNoFile()
{
    QFETCH(QString, failAt);
    TestProject tp(TestProject::folderOnly());
    tp.db().onExec = [failAt](const QString& s, const QVariantList&) {
        if (s.startsWith(failAt))
            throw DbError(QStringLiteral("disk I/O error"));
    };
    const ProjectStore::Outcome out = tp.openProject(QStringLiteral("年会"));
    tp.db().onExec = nullptr;
    QVERIFY(!out.ready);
    QCOMPARE(tp.dialogs().texts(), QStringList{"disk I/O error"});
    QCOMPARE(tp.dialogs().shown.first().kind, QStringLiteral("error"));
    QVERIFY(!QFile::exists(tp.projectFile(QStringLiteral("年会"))));
    QVERIFY(!QFile::exists(tp.projectFile(QStringLiteral("年会")) + "-journal"));

    // The next open makes the project properly.
    tp.dialogs().clear();
    QVERIFY(tp.openProject(QStringLiteral("年会")).ready);
    QVERIFY(tp.dialogs().shown.isEmpty());
    QCOMPARE(tp.count("z_set"), kExpectedRows.size());
}

void TestProjectCreate::catalogueAgreesWithCreation()
{
    // Each created row is in the catalogue with that creation value, and every catalogue key
    // marked as created is made by a new project.
    TestProject tp;
    QStringList created;
    for (const Row& r : settingsRows(tp.db())) {
        created << r.name;
        const SettingKey* k = findSettingKey(r.name);
        QVERIFY2(k, qPrintable(r.name));
        QVERIFY2(k->createdWithProject, qPrintable(r.name));
        QCOMPARE(r.var.toString(), QString::fromUtf8(k->creation));
    }
    QStringList seen;
    for (const SettingKey& k : settingsCatalogue()) {
        const QString key = QString::fromUtf8(k.key);
        QVERIFY2(!seen.contains(key), k.key);
        seen << key;
        QCOMPARE(created.contains(key), k.createdWithProject);
    }
    const SettingKey* speed = findSettingKey(QStringLiteral("滚动显示速度"));
    QVERIFY(speed && speed->kind == SettingKind::Integer);
    QCOMPARE(findSettingKey(QStringLiteral("抽奖界面窗口模式"))->kind,
             SettingKind::FlagOnOnlyAtMinusOne);
    QCOMPARE(findSettingKey(QStringLiteral("滚动名单中奖列数"))->creation, "3");
    QVERIFY(!findSettingKey(QStringLiteral("不存在")));
}

QTEST_MAIN(TestProjectCreate)
#include "test_project_create.moc"
