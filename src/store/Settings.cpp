#include "store/Settings.h"

#include "store/ValueCodec.h"

namespace varnel {

namespace {

const QString kSelect = QStringLiteral("select * from z_set where name = ?");

// Rows are edited by rowid: it is `id` in the current layout and exists in the older ones too.
QVariant firstRowId(ProjectDb& db, const QString& key)
{
    return db.scalar(
        QStringLiteral("select rowid from z_set where name = ? order by rowid limit 1"), {key});
}

QVariant blobValue(const QByteArray& pic)
{
    // An empty picture is stored as an empty blob, not as NULL text.
    return pic.isNull() ? QVariant(QByteArray("", 0)) : QVariant(pic);
}

} // namespace

bool Settings::exists(const QString& key) const
{
    return firstRowId(m_db, key).isValid();
}

QString Settings::read(const QString& key) const
{
    QSqlQuery q = m_db.select(kSelect, {key});
    return q.next() ? q.value(QStringLiteral("var")).toString() : QString();
}

QByteArray Settings::readBlob(const QString& key) const
{
    QSqlQuery q = m_db.select(kSelect, {key});
    return q.next() ? q.value(QStringLiteral("Pic")).toByteArray() : QByteArray();
}

QString Settings::readBeizhu(const QString& key) const
{
    QSqlQuery q = m_db.select(kSelect, {key});
    return q.next() ? q.value(QStringLiteral("beizhu")).toString() : QString();
}

void Settings::save(const QString& key, const QString& var)
{
    const QVariant id = firstRowId(m_db, key);
    if (id.isValid())
        m_db.exec(QStringLiteral("update z_set set name = ?, var = ? where rowid = ?"),
                  {key, var, id});
    else
        m_db.exec(QStringLiteral("insert into z_set(name,var) values(?,?)"), {key, var});
}

void Settings::saveWithBlob(const QString& key, const QString& var, const QByteArray& pic)
{
    const QVariant id = firstRowId(m_db, key);
    if (id.isValid())
        m_db.exec(QStringLiteral("update z_set set name = ?, var = ?, Pic = ? where rowid = ?"),
                  {key, var, blobValue(pic), id});
    else
        m_db.exec(QStringLiteral("insert into z_set(name,var,Pic) values(?,?,?)"),
                  {key, var, blobValue(pic)});
}

void Settings::saveBlob(const QString& key, const QByteArray& pic)
{
    const QVariant id = firstRowId(m_db, key);
    if (id.isValid())
        m_db.exec(QStringLiteral("update z_set set name = ?, Pic = ? where rowid = ?"),
                  {key, blobValue(pic), id});
    else
        m_db.exec(QStringLiteral("insert into z_set(name,var,Pic) values(?,?,?)"),
                  {key, QString(""), blobValue(pic)});
}

void Settings::update(const QString& key, const QString& var)
{
    m_db.exec(QStringLiteral("update z_set set var = ? where name = ?"), {var, key});
}

QString Settings::addMissing(const QString& key, const QString& defaultValue)
{
    QSqlQuery q = m_db.select(kSelect, {key});
    if (q.next())
        return q.value(QStringLiteral("var")).toString();
    q.finish();
    m_db.exec(QStringLiteral("insert into z_set(name,var) values(?,?)"), {key, defaultValue});
    return defaultValue;
}

bool Settings::flagOffOnlyAtZero(const QString& key) const
{
    return varnel::flagOffOnlyAtZero(read(key));
}

bool Settings::flagOnOnlyAtMinusOne(const QString& key) const
{
    return varnel::flagOnOnlyAtMinusOne(read(key));
}

int Settings::integer(const QString& key) const
{
    return toIntOr0(read(key));
}

double Settings::decimal(const QString& key) const
{
    return toDoubleOr0(read(key));
}

} // namespace varnel
