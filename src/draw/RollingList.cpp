#include "draw/RollingList.h"

#include "store/Pictures.h"
#include "store/ProjectDb.h"

#include <QSqlError>

namespace varnel {

RollingList::~RollingList()
{
    close();
}

void RollingList::open(ProjectDb& db, const QString& sql)
{
    close();
    auto query = std::make_unique<QSqlQuery>(db.database());
    query->setForwardOnly(true);
    if (!query->exec(sql))
        throw DbError(query->lastError().text());
    m_query = std::move(query);
    m_db = &db;
    m_complete = false;
    m_pos = 0;
}

void RollingList::close()
{
    if (m_query)
        m_query->finish();
    m_query.reset();
    m_rows.clear();
    m_complete = true;
    m_pos = 0;
    m_db = nullptr;
}

bool RollingList::fetchUpTo(size_t index)
{
    while (index >= m_rows.size() && !m_complete) {
        if (!m_query || !m_query->next()) {
            // The end (or an aborted statement): what was read is the whole list.
            m_complete = true;
            if (m_query)
                m_query->finish();
            break;
        }
        Row r;
        r.no = m_query->value(0).toLongLong();
        r.list = m_query->value(1).toString();
        r.memo = m_query->value(2).toString();
        r.picB = m_query->value(3).toString();
        m_rows.push_back(std::move(r));
    }
    return index < m_rows.size();
}

bool RollingList::eof()
{
    return !fetchUpTo(m_pos);
}

void RollingList::first()
{
    m_pos = 0;
}

void RollingList::next()
{
    if (fetchUpTo(m_pos))
        ++m_pos;
}

const RollingList::Row& RollingList::current()
{
    fetchUpTo(m_pos);
    return m_rows.at(m_pos);
}

QString RollingList::currentList()
{
    return eof() ? QString() : m_rows[m_pos].list;
}

bool RollingList::isEmpty()
{
    return !fetchUpTo(0);
}

int RollingList::countUpTo(int cap)
{
    if (cap <= 0)
        return 0;
    fetchUpTo(size_t(cap) - 1);
    return int(std::min(m_rows.size(), size_t(cap)));
}

int RollingList::count()
{
    while (!m_complete)
        fetchUpTo(m_rows.size());
    return int(m_rows.size());
}

QImage RollingList::picture(const Row& row, const QImage& blank) const
{
    if (!m_db)
        return blank;
    try {
        QSqlQuery q =
            row.picB == QLatin1String("*")
                ? m_db->select(QStringLiteral("select pic from z_scuser where no = ?"),
                               {row.memo.toLongLong()})
                : m_db->select(QStringLiteral("select Pic from z_user where NO = ?"), {row.no});
        if (q.next())
            return loadParticipantPicture(q.value(0).toByteArray(), blank);
    } catch (const DbError&) {
        // a picture that cannot be read shows the blank picture; the roll goes on
    }
    return blank;
}

} // namespace varnel
