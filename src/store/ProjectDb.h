#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <functional>
#include <stdexcept>

namespace varnel {

// A database error; its text is what the operator sees in the application's error message.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

// A text-to-number or font spec conversion error (the operator sees its text, like DbError).
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const QString& text)
        : std::runtime_error(text.toStdString()), m_text(text)
    {
    }
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

// The program's one SQLite connection (`con`). Every operation makes its own short-lived
// query on it. All helpers throw DbError on failure.
class ProjectDb {
public:
    explicit ProjectDb(const QString& connectionName = QStringLiteral("con"));
    ~ProjectDb();
    ProjectDb(const ProjectDb&) = delete;
    ProjectDb& operator=(const ProjectDb&) = delete;

    // True when the QSQLITE driver is available at all.
    static bool driverAvailable();

    // Connects to `path` (SQLite creates the file when it does not exist). Throws DbError.
    void connect(const QString& path);
    void disconnect();
    bool isConnected() const;
    QString path() const { return m_path; }
    QSqlDatabase database() const;

    // Runs one statement. `binds` are positional ("?") values.
    void exec(const QString& sql, const QVariantList& binds = {});
    // Runs a statement and returns the query positioned before the first row.
    QSqlQuery select(const QString& sql, const QVariantList& binds = {});
    // First column of the first row, or an invalid QVariant when there is no row.
    QVariant scalar(const QString& sql, const QVariantList& binds = {});
    // Whether a table (or index) of that name exists.
    bool hasTable(const QString& name);

    // Native handle for bulk paths (sqlite3*), or null.
    void* nativeHandle() const;

    // Called with every statement before it runs (exec, select, scalar, hasTable). Tests use
    // it to record the statements in order, or throw DbError from it to make one fail.
    std::function<void(const QString& sql, const QVariantList& binds)> onExec;

private:
    QSqlQuery run(const QString& sql, const QVariantList& binds);

    QString m_name;
    QString m_path;
};

// Doubles single quotes so a value can stand between single quotes in a statement.
QString sqlQuote(const QString& value);

} // namespace varnel
