#include "store/ProjectStore.h"

#include "platform/Dialogs.h"
#include "store/ProjectSchema.h"
#include "store/Settings.h"

#include <QFile>
#include <QFileInfo>

namespace varnel {

namespace {

const QString kNewProject = QStringLiteral("新的项目");
const QString kEdition = QStringLiteral("滚轮版");
const QString kCurrentVersion = QStringLiteral("4.1");

QString readVar(ProjectDb& db, const QString& sql)
{
    QSqlQuery q = db.select(sql);
    return q.next() ? q.value(QStringLiteral("var")).toString() : QString();
}

QByteArray readFileBytes(const QString& path, bool& ok)
{
    QFile f(path);
    ok = f.open(QIODevice::ReadOnly);
    return ok ? f.readAll() : QByteArray();
}

} // namespace

ProjectStore::ProjectStore(ProjectDb& db, Dialogs& dialogs, QString programFolder,
                           QByteArray blankJpeg)
    : m_db(db), m_dialogs(dialogs), m_folder(std::move(programFolder)),
      m_blankJpeg(std::move(blankJpeg))
{
}

QString ProjectStore::fileFor(const QString& name) const
{
    return m_folder + name + QStringLiteral(".dat");
}

ProjectStore::Outcome ProjectStore::open(const QString& name)
{
    QStringList visited;
    return openOnce(name, visited);
}

QString ProjectStore::fallbackName(const QString& target, const QStringList& visited) const
{
    if (!visited.contains(target))
        return target;
    // The fallback leads back to a project this open has already been through: it would go
    // round for ever. Open a fresh project instead.
    QString fresh = target + QLatin1Char('_');
    while (visited.contains(fresh) || QFileInfo::exists(fileFor(fresh)))
        fresh += QLatin1Char('_');
    return fresh;
}

ProjectStore::Outcome ProjectStore::openOnce(const QString& name, QStringList& visited)
{
    visited << name;
    Outcome out;
    out.name = name;
    m_db.disconnect();
    const QString path = fileFor(name);
    try {
        const bool exists = QFileInfo::exists(path);
        m_db.connect(path);
        if (!exists) {
            create(path);
            out.created = true;
        }

        QString version = readVar(m_db, QStringLiteral("select * from z_set where name = '版本'"));
        if (version.isEmpty()) {
            const QString target = fallbackName(name + QLatin1Char('_'), visited);
            m_dialogs.message(QStringLiteral("项目文件版本不匹配,无法打开该项目") +
                              QLatin1Char('\r') + QStringLiteral("将创建或打开新项目 ") + target);
            return openOnce(target, visited);
        }

        upgrade(version);

        const QString edition =
            readVar(m_db, QStringLiteral("select * from z_set where name = '版本类型'"));
        if (edition != kEdition) {
            m_dialogs.message(QStringLiteral("非滚轮版项目,无法加载!请选择正确的项目文件."));
            const QString target =
                name != kNewProject ? kNewProject : kNewProject + QLatin1Char('_');
            return openOnce(fallbackName(target, visited), visited);
        }

        if (version != kCurrentVersion) {
            m_dialogs.message(QStringLiteral("请升级程序后再加载该抽奖项目: ") + name);
            return openOnce(fallbackName(kNewProject, visited), visited);
        }

        discardInterruptedWinners(m_db);
        out.ready = true;
    } catch (const DbError& e) {
        m_dialogs.error(e.text());
    }
    return out;
}

void ProjectStore::create(const QString& path)
{
    try {
        m_db.exec(QStringLiteral("BEGIN"));
        for (const char* sql : schema::creationStatements())
            m_db.exec(QString::fromUtf8(sql));

        const auto rows = schema::creationRows();
        auto insertRows = [this, &rows](schema::CreationStage stage) {
            for (const schema::CreationRow& r : rows) {
                if (r.stage != stage)
                    continue;
                m_db.exec(QStringLiteral("insert into z_set(name,var) values('") +
                          sqlQuote(QString::fromUtf8(r.name)) + QStringLiteral("','") +
                          sqlQuote(QString::fromUtf8(r.var)) + QStringLiteral("')"));
            }
        };
        // A row whose bytes come from a data file beside the program; without the file the row
        // is still made, with an empty name and no bytes.
        auto insertFileRow = [this](const QString& key, const QString& fileName,
                                    const QString& relPath) {
            bool ok = false;
            const QByteArray bytes = readFileBytes(m_folder + relPath, ok);
            m_db.exec(QStringLiteral("insert into z_set(name,var,Pic) values('") + sqlQuote(key) +
                          QStringLiteral("',?,?)"),
                      {ok ? fileName : QString(""), bytes});
        };

        insertRows(schema::CreationStage::Display);
        m_db.exec(QStringLiteral("insert into z_set(name,Pic) values('抽奖界面预览',?)"),
                  {m_blankJpeg});
        insertFileRow(QStringLiteral("抽奖界面背景图"), QStringLiteral("BJ001.JPG"),
                      QStringLiteral("bmp/BJ001.JPG"));
        insertRows(schema::CreationStage::Draw);
        insertFileRow(QStringLiteral("滚动声音"), QStringLiteral("dada.wav"),
                      QStringLiteral("Sound/dada.wav"));
        insertRows(schema::CreationStage::RollSound);
        insertFileRow(QStringLiteral("中奖声音"), QStringLiteral("ding.wav"),
                      QStringLiteral("Sound/ding.wav"));
        insertRows(schema::CreationStage::Positions);
        m_db.exec(QStringLiteral("COMMIT"));
    } catch (const DbError&) {
        // Leave no half-made project behind: a file without its settings would later open as
        // "version mismatch" and push the operator to another name.
        try {
            m_db.exec(QStringLiteral("ROLLBACK"));
        } catch (const DbError&) {
        }
        m_db.disconnect();
        QFile::remove(path);
        QFile::remove(path + QStringLiteral("-journal"));
        throw;
    }
}

void ProjectStore::upgrade(QString& version)
{
    static const QStringList upgradable = {"3.2", "3.3", "3.4", "3.5", "3.6",
                                           "3.7", "3.8", "3.9", "4.0"};
    if (!upgradable.contains(version))
        return;
    // The whole chain is one transaction: a step that fails (a table an old file lacks, a
    // full disk) leaves the file exactly as it was instead of half upgraded and stuck.
    m_db.exec(QStringLiteral("BEGIN"));
    try {
        upgradeSteps(version);
        m_db.exec(QStringLiteral("COMMIT"));
    } catch (const DbError&) {
        try {
            m_db.exec(QStringLiteral("ROLLBACK"));
        } catch (const DbError&) {
        }
        throw;
    }
}

void ProjectStore::upgradeSteps(QString& version)
{
    auto run = [this](std::initializer_list<const char*> statements) {
        for (const char* sql : statements)
            m_db.exec(QString::fromUtf8(sql));
    };
    if (version == QLatin1String("3.2")) {
        Settings(m_db).save(QStringLiteral("版本"), QStringLiteral("3.3"));
        run({"ALTER TABLE z_zj RENAME TO z_zj2",
             "create table z_zj([ListZJ] varchar,[ListBZ] varchar,[JXname] varchar,[LJ] Int,[BZ] "
             "varchar)",
             "insert into z_zj select * from z_zj2", "drop table z_zj2"});
        version = QStringLiteral("3.3");
    }
    if (version == QLatin1String("3.3")) {
        run({"update z_set set var = '3.4' where name = '版本'",
             "create index user_list on z_user(list,Memo,tj)"});
        version = QStringLiteral("3.4");
    }
    if (version == QLatin1String("3.4")) {
        run({"update z_set set var = '3.5' where name = '版本'", "drop index user_list",
             "create index user_list on z_user(NO,tj)", "drop table z_zj",
             "create table z_zj([ListNO] Int,[ListZJ] varchar,[ListBZ] varchar,[JXname] "
             "varchar,[LJ] Int,[BZ] varchar)",
             "delete from z_log"});
        version = QStringLiteral("3.5");
    }
    if (version == QLatin1String("3.5")) {
        run({"update z_set set var = '3.6' where name = '版本'", "drop table z_log",
             "drop table log", "drop table z_jx", schema::kCreateZLog, schema::kCreateLog,
             schema::kCreateZJx});
        version = QStringLiteral("3.6");
    }
    if (version == QLatin1String("3.6")) {
        run({"update z_set set var = '3.7' where name = '版本'",
             "insert into z_set(name,var) values('版本类型','滚轮版')",
             "insert into z_set(name,var) values('位置放大图X','418')",
             "insert into z_set(name,var) values('位置放大图Y','365')",
             "insert into z_set(name,var) values('位置放大图比例','2.6')",
             "insert into z_set(name,var) values('抽奖界面放大图显示','0')"});
        version = QStringLiteral("3.7");
    }
    if (version == QLatin1String("3.7")) {
        run({"update z_set set var = '3.8' where name = '版本'", schema::kCreateZzUser,
             schema::kCreateZScuser});
        version = QStringLiteral("3.8");
    }
    if (version == QLatin1String("3.8")) {
        run({"update z_set set var = '3.9' where name = '版本'", "Drop Table z_zj",
             schema::kCreateZZj});
        version = QStringLiteral("3.9");
    }
    if (version == QLatin1String("3.9") || version == QLatin1String("4.0")) {
        // Only a file left over from an earlier interrupted upgrade holds z_set2.
        if (m_db.hasTable(QStringLiteral("z_set2")))
            run({"drop table z_set2"});
        run({"ALTER TABLE z_set RENAME TO z_set2",
             "create table z_set(id INTEGER PRIMARY KEY, [name] varchar,[var] varchar,[beizhu] "
             "varchar,[Pic] Blob)",
             "insert into z_set([name],[var],[beizhu],[pic]) select [name],[var],[beizhu],[pic] "
             "from z_set2",
             "drop table z_set2", "update z_set set var = '4.1' where name = '版本'"});
        version = kCurrentVersion;
    }
}

bool itemAlreadyDrawn(ProjectDb& db, int n)
{
    const QVariant v = db.scalar(QStringLiteral("select Max(NO)NO from z_log where ZT = '完成'"));
    return v.isValid() && !v.isNull() && v.toLongLong() >= n;
}

void discardInterruptedWinners(ProjectDb& db)
{
    // Look first: opening a project should not write to it when there is nothing to mend.
    const QVariant n =
        db.scalar(QStringLiteral("select count(*) from z_zj where BZ = '*' or BZ = '-'"));
    if (n.toLongLong() > 0)
        db.exec(QStringLiteral("delete from z_zj where BZ = '*' or BZ = '-'"));
}

} // namespace varnel
