#include "manage/ParticipantWriter.h"

#include "store/ProjectDb.h"

#include <sqlite3.h>

namespace varnel {

namespace {
constexpr char kInsert[] = "insert into z_user([NO],[List],[Memo],[TJ],[PicB],[Pic]) "
                           "values(?,?,?,?,?,?)";
const char kHas[] = "有";
const char kHasNot[] = "无";
} // namespace

ParticipantWriter::ParticipantWriter(ProjectDb& db) : m_db(static_cast<sqlite3*>(db.nativeHandle()))
{
    if (!m_db)
        throw DbError(QStringLiteral("数据库未连接"));
}

ParticipantWriter::~ParticipantWriter()
{
    if (m_insert)
        sqlite3_finalize(m_insert);
    if (m_open)
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

void ParticipantWriter::fail()
{
    throw DbError(QString::fromUtf8(sqlite3_errmsg(m_db)));
}

void ParticipantWriter::exec(const char* sql)
{
    char* err = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
        const QString text = QString::fromUtf8(err ? err : sqlite3_errmsg(m_db));
        sqlite3_free(err);
        throw DbError(text);
    }
}

void ParticipantWriter::begin()
{
    exec("BEGIN");
    m_open = true;
    if (sqlite3_prepare_v2(m_db, kInsert, -1, &m_insert, nullptr) != SQLITE_OK)
        fail();
}

void ParticipantWriter::deleteAll()
{
    exec("delete from z_user");
}

qint64 ParticipantWriter::maxNo()
{
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(m_db, "select max(NO)NO from z_user", -1, &st, nullptr) != SQLITE_OK)
        fail();
    qint64 value = 0;
    const int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW && sqlite3_column_type(st, 0) != SQLITE_NULL)
        value = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        fail();
    return value;
}

void ParticipantWriter::insert(qint64 no, QByteArrayView list, std::optional<QByteArrayView> memo,
                               std::optional<qint32> tj, const QByteArray* pic)
{
    sqlite3_stmt* st = m_insert;
    // The views stay valid until the step below; SQLITE_STATIC spares a copy per value.
    sqlite3_bind_int64(st, 1, no);
    sqlite3_bind_text(st, 2, list.data() ? list.data() : "", int(list.size()), SQLITE_STATIC);
    if (memo)
        sqlite3_bind_text(st, 3, memo->data() ? memo->data() : "", int(memo->size()),
                          SQLITE_STATIC);
    else
        sqlite3_bind_null(st, 3);
    if (tj)
        sqlite3_bind_int(st, 4, *tj);
    else
        sqlite3_bind_null(st, 4);
    if (pic && !pic->isEmpty()) {
        sqlite3_bind_text(st, 5, kHas, int(sizeof kHas - 1), SQLITE_STATIC);
        sqlite3_bind_blob64(st, 6, pic->constData(), sqlite3_uint64(pic->size()), SQLITE_STATIC);
    } else {
        sqlite3_bind_text(st, 5, kHasNot, int(sizeof kHasNot - 1), SQLITE_STATIC);
        sqlite3_bind_null(st, 6);
    }
    const int rc = sqlite3_step(st);
    sqlite3_reset(st);
    if (rc != SQLITE_DONE)
        fail();
}

void ParticipantWriter::suspendIndexesIfEmpty()
{
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(m_db, "select exists(select 1 from z_user)", -1, &st, nullptr) !=
        SQLITE_OK)
        fail();
    const bool empty = sqlite3_step(st) == SQLITE_ROW && sqlite3_column_int(st, 0) == 0;
    sqlite3_finalize(st);
    if (!empty)
        return;
    QList<QByteArray> names;
    if (sqlite3_prepare_v2(m_db,
                           "select name, sql from sqlite_master where type = 'index' and "
                           "tbl_name = 'z_user' and sql is not null",
                           -1, &st, nullptr) != SQLITE_OK)
        fail();
    while (sqlite3_step(st) == SQLITE_ROW) {
        names << QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        m_indexes << QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
    }
    sqlite3_finalize(st);
    for (const QByteArray& name : names) {
        QByteArray quoted = name;
        quoted.replace('"', "\"\"");
        exec(QByteArray("drop index \"" + quoted + "\"").constData());
    }
}

void ParticipantWriter::commit()
{
    if (m_insert) {
        sqlite3_finalize(m_insert);
        m_insert = nullptr;
    }
    for (const QByteArray& sql : std::as_const(m_indexes))
        exec(sql.constData());
    m_indexes.clear();
    exec("COMMIT");
    m_open = false;
}

} // namespace varnel
