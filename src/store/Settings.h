#pragma once

#include "store/ProjectDb.h"

#include <QByteArray>
#include <QString>

namespace varnel {

// Access to the settings table z_set of the open project. Values are text; a missing row reads
// as the empty text and an empty blob. Every method throws DbError on a database error.
// Values containing single quotes are bound or quoted, so the stored text is unchanged.
class Settings {
public:
    explicit Settings(ProjectDb& db) : m_db(db) {}

    bool exists(const QString& key) const;
    QString read(const QString& key) const;        // first row's var
    QByteArray readBlob(const QString& key) const; // first row's Pic
    QString readBeizhu(const QString& key) const;

    // Save: insert a row when the key has none, else edit the first row (var only).
    void save(const QString& key, const QString& var);
    // Save with the Pic blob as well.
    void saveWithBlob(const QString& key, const QString& var, const QByteArray& pic);
    // Save only the Pic blob (var left as it is; a new row gets an empty var).
    void saveBlob(const QString& key, const QByteArray& pic);
    // Update: "update z_set set var = '..' where name = '..'"; every row of the key changes,
    // a missing row stays missing.
    void update(const QString& key, const QString& var);
    // Add a missing key with its default: inserts "insert into z_set(name,var) values(..)" when
    // there is no row and returns the value in force.
    QString addMissing(const QString& key, const QString& defaultValue);

    // Typed readers (see ValueCodec).
    bool flagOffOnlyAtZero(const QString& key) const;
    bool flagOnOnlyAtMinusOne(const QString& key) const;
    int integer(const QString& key) const;
    double decimal(const QString& key) const;

    ProjectDb& db() const { return m_db; }

private:
    ProjectDb& m_db;
};

} // namespace varnel
