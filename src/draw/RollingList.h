#pragma once

#include <QImage>
#include <QSqlQuery>
#include <QString>
#include <memory>
#include <vector>

namespace varnel {

class ProjectDb;

// qryRoll: the rolling list. Rows are fetched one at a time as the roll asks for them and kept
// in memory, so reopening on 100,000 participants costs no more than preparing the statement,
// and going back to the first row never touches the database. Pictures are read lazily, only
// for the rows a cell actually shows.
class RollingList {
public:
    struct Row {
        qint64 no = 0;
        QString list;
        QString memo;
        QString picB;
    };

    RollingList() = default;
    ~RollingList();
    RollingList(const RollingList&) = delete;
    RollingList& operator=(const RollingList&) = delete;

    // Opens on a statement whose columns start NO, List, Memo, PicB. Throws DbError.
    void open(ProjectDb& db, const QString& sql);
    void close();
    bool isOpen() const { return m_db != nullptr; }

    bool eof(); // past the last row (an empty list is always at its end)
    void first();
    void next();
    const Row& current();  // only when !eof()
    QString currentList(); // the current List value, empty at the end

    bool isEmpty();
    // Number of rows, counting at most `cap` (the landing only needs to know small lists).
    int countUpTo(int cap);
    int count();

    // The current row's picture: its own Pic, or the mall prize's for PicB "*"; blank when
    // empty or unreadable.
    QImage picture(const Row& row, const QImage& blank) const;

private:
    bool fetchUpTo(size_t index); // true when row `index` exists

    ProjectDb* m_db = nullptr;
    std::unique_ptr<QSqlQuery> m_query;
    std::vector<Row> m_rows;
    bool m_complete = true;
    size_t m_pos = 0;
};

} // namespace varnel
