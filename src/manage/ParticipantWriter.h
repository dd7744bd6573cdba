#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

namespace varnel {

class ProjectDb;

// Bulk writer of z_user rows on the native handle: one transaction, one prepared insert with
// bound values (so quotes in names never matter). Until commit() succeeds the destructor rolls
// the transaction back, so a failed import leaves the stored participants as they were.
// Every method throws DbError with the engine's own text.
class ParticipantWriter {
public:
    explicit ParticipantWriter(ProjectDb& db);
    ~ParticipantWriter();
    ParticipantWriter(const ParticipantWriter&) = delete;
    ParticipantWriter& operator=(const ParticipantWriter&) = delete;

    void begin();
    void deleteAll();
    // "select max(NO)NO from z_user"; 0 when the table is empty.
    qint64 maxNo();
    // memo: std::nullopt leaves Memo NULL. tj: std::nullopt stores NULL. pic: null or empty
    // stores "无" and no picture, else "有" and the bytes.
    void insert(qint64 no, QByteArrayView list, std::optional<QByteArrayView> memo,
                std::optional<qint32> tj, const QByteArray* pic);
    // For a bulk load into an empty table: drops the table's indexes now and builds them again
    // in commit(), which is much cheaper than keeping them up to date row by row. Does nothing
    // when the table holds rows.
    void suspendIndexesIfEmpty();
    void commit();

private:
    void exec(const char* sql);
    [[noreturn]] void fail();

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_insert = nullptr;
    bool m_open = false;
    QList<QByteArray> m_indexes; // "create index" statements to run again before COMMIT
};

} // namespace varnel
