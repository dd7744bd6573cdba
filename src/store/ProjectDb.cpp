#include "store/ProjectDb.h"

#include <QSqlDriver>
#include <QSqlError>
#include <sqlite3.h>
#include <utility>

namespace varnel {

namespace {

// The engine's own message ("no such table: z_set", "file is not a database") is what the
// operator can act on; Qt's generic wrapper text is only used when the engine gave none.
QString errorText(const QSqlError& e)
{
    const QString engine = e.databaseText().trimmed();
    return engine.isEmpty() ? e.text().trimmed() : engine;
}

} // namespace

ProjectDb::ProjectDb(const QString& connectionName) : m_name(connectionName)
{
    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
}

ProjectDb::~ProjectDb()
{
    disconnect();
    QSqlDatabase::removeDatabase(m_name);
}

bool ProjectDb::driverAvailable()
{
    return QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"));
}

QSqlDatabase ProjectDb::database() const
{
    return QSqlDatabase::database(m_name, false);
}

void ProjectDb::connect(const QString& path)
{
    disconnect();
    QSqlDatabase db = database();
    if (!db.isValid())
        throw DbError(QStringLiteral("QSQLITE driver not loaded"));
    db.setDatabaseName(path);
    if (!db.open())
        throw DbError(errorText(db.lastError()));
    m_path = path;
}

void ProjectDb::disconnect()
{
    QSqlDatabase db = database();
    if (db.isValid() && db.isOpen())
        db.close();
    m_path.clear();
}

bool ProjectDb::isConnected() const
{
    const QSqlDatabase db = database();
    return db.isValid() && db.isOpen();
}

QSqlQuery ProjectDb::run(const QString& sql, const QVariantList& binds)
{
    if (onExec)
        onExec(sql, binds);
    const QSqlDatabase db = database();
    if (!db.isOpen())
        throw DbError(QStringLiteral("Database not connected"));
    QSqlQuery q(db);
    q.setForwardOnly(true);
    bool ok;
    if (binds.isEmpty()) {
        ok = q.exec(sql);
    } else {
        ok = q.prepare(sql);
        if (ok) {
            for (const QVariant& v : binds)
                q.addBindValue(v);
            ok = q.exec();
        }
    }
    if (!ok)
        throw DbError(errorText(q.lastError()));
    return q;
}

void ProjectDb::exec(const QString& sql, const QVariantList& binds)
{
    QSqlQuery q = run(sql, binds);
    q.finish();
}

QSqlQuery ProjectDb::select(const QString& sql, const QVariantList& binds)
{
    return run(sql, binds);
}

QVariant ProjectDb::scalar(const QString& sql, const QVariantList& binds)
{
    QSqlQuery q = run(sql, binds);
    QVariant v;
    if (q.next())
        v = q.value(0);
    q.finish();
    return v;
}

bool ProjectDb::hasTable(const QString& name)
{
    // A look-up of the catalogue, not one of the program's statements: not passed to onExec.
    const auto hook = std::exchange(onExec, nullptr);
    try {
        const bool found =
            scalar(QStringLiteral("select count(*) from sqlite_master where name = ?"), {name})
                .toInt() > 0;
        onExec = hook;
        return found;
    } catch (...) {
        onExec = hook;
        throw;
    }
}

void* ProjectDb::nativeHandle() const
{
    const QSqlDatabase db = database();
    if (!db.isOpen() || !db.driver())
        return nullptr;
    const QVariant v = db.driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(v.constData());
}

QString sqlQuote(const QString& value)
{
    QString out = value;
    out.replace(QLatin1Char('\''), QStringLiteral("''"));
    return out;
}

} // namespace varnel
