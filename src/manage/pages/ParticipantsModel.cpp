#include "manage/pages/ParticipantsModel.h"

#include "manage/ParticipantImport.h"
#include "store/ProjectDb.h"

#include <sqlite3.h>

namespace varnel {

namespace {

const char* const kColumns[] = {"[List]", "[Memo]", "[TJ]", "[PicB]"};

QString columnText(sqlite3_stmt* st, int col)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, col));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(st, col)) : QString();
}

// Statements are finalized before returning: the connection may be closed at any time.
struct Statement {
    sqlite3_stmt* st = nullptr;
    Statement(sqlite3* db, const QByteArray& sql)
    {
        if (db &&
            sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &st, nullptr) != SQLITE_OK)
            st = nullptr;
    }
    ~Statement() { sqlite3_finalize(st); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
};

} // namespace

ParticipantsModel::ParticipantsModel(ProjectDb& db, QObject* parent)
    : QAbstractTableModel(parent), m_db(db)
{
}

void ParticipantsModel::reload()
{
    beginResetModel();
    m_rowids.clear();
    m_firstRowid = -1;
    m_count = 0;
    m_blocks.clear();
    m_blockOrder.clear();
    auto* handle = static_cast<sqlite3*>(m_db.nativeHandle());
    if (m_sortColumn < 0) {
        Statement span(handle, "select count(*), min(rowid), max(rowid) from z_user");
        if (span.st && sqlite3_step(span.st) == SQLITE_ROW) {
            const qint64 n = sqlite3_column_int64(span.st, 0);
            const qint64 lo = sqlite3_column_int64(span.st, 1);
            const qint64 hi = sqlite3_column_int64(span.st, 2);
            if (n == 0 || hi - lo + 1 == n) {
                m_firstRowid = lo;
                m_count = int(n);
                endResetModel();
                return;
            }
        }
    }
    QByteArray sql("select rowid from z_user");
    if (m_sortColumn >= 0 && m_sortColumn < 4)
        sql += QByteArray(" order by ") + kColumns[m_sortColumn] +
               (m_sortOrder == Qt::AscendingOrder ? " asc" : " desc") + ", rowid";
    Statement q(handle, sql);
    if (q.st) {
        while (sqlite3_step(q.st) == SQLITE_ROW)
            m_rowids.push_back(sqlite3_column_int64(q.st, 0));
        m_count = int(m_rowids.size());
    } else if (handle && onError) {
        onError(QString::fromUtf8(sqlite3_errmsg(handle)));
    }
    endResetModel();
}

void ParticipantsModel::clear()
{
    beginResetModel();
    m_rowids.clear();
    m_rowids.shrink_to_fit();
    m_firstRowid = -1;
    m_count = 0;
    m_blocks.clear();
    m_blockOrder.clear();
    endResetModel();
}

void ParticipantsModel::setSort(int column, Qt::SortOrder order)
{
    m_sortColumn = column;
    m_sortOrder = order;
}

void ParticipantsModel::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
}

int ParticipantsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_count;
}

int ParticipantsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 4;
}

void ParticipantsModel::loadBlock(int block) const
{
    QList<Row> rows;
    const int first = block * kBlock;
    const int last = qMin(m_count, first + kBlock);
    rows.resize(last - first);
    Statement q(static_cast<sqlite3*>(m_db.nativeHandle()),
                "select [List],[Memo],[TJ],[PicB] from z_user where rowid = ?");
    if (q.st) {
        for (int i = first; i < last; ++i) {
            sqlite3_bind_int64(q.st, 1, rowidAt(i));
            if (sqlite3_step(q.st) == SQLITE_ROW) {
                Row& r = rows[i - first];
                r.list = columnText(q.st, 0);
                r.memo = columnText(q.st, 1);
                switch (sqlite3_column_type(q.st, 2)) {
                case SQLITE_NULL:
                    break;
                case SQLITE_INTEGER:
                    r.tj = qlonglong(sqlite3_column_int64(q.st, 2));
                    break;
                default:
                    r.tj = columnText(q.st, 2);
                    break;
                }
                r.picb = columnText(q.st, 3);
            }
            sqlite3_reset(q.st);
        }
    }
    if (m_blockOrder.size() >= kMaxBlocks)
        m_blocks.remove(m_blockOrder.takeFirst());
    m_blocks.insert(block, rows);
    m_blockOrder.append(block);
}

const ParticipantsModel::Row* ParticipantsModel::rowAt(int row) const
{
    if (row < 0 || row >= m_count)
        return nullptr;
    const int block = row / kBlock;
    auto it = m_blocks.constFind(block);
    if (it == m_blocks.cend()) {
        loadBlock(block);
        it = m_blocks.constFind(block);
    }
    return &it->at(row % kBlock);
}

QVariant ParticipantsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole)
        return index.column() == 3 ? QVariant(Qt::AlignCenter)
                                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const Row* r = rowAt(index.row());
    if (!r)
        return {};
    switch (index.column()) {
    case 0:
        return r->list;
    case 1:
        return r->memo;
    case 2: // the editor is a plain line edit, so a mark can be cleared or mistyped
        return role == Qt::EditRole ? QVariant(r->tj.toString()) : r->tj;
    case 3:
        return r->picb;
    default:
        return {};
    }
}

QVariant ParticipantsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::TextAlignmentRole && orientation == Qt::Vertical)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    static const char* const titles[] = {"滚动数据列", "备注", "条件标识", "图片地址"};
    return section >= 0 && section < 4 ? QString::fromUtf8(titles[section]) : QVariant();
}

Qt::ItemFlags ParticipantsModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!m_readOnly && (index.column() == 1 || index.column() == 2))
        f |= Qt::ItemIsEditable;
    return f;
}

bool ParticipantsModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable) || m_posting)
        return false;
    const Row* current = rowAt(index.row());
    if (!current)
        return false;
    // A message box below takes the focus from the editor, which commits again: ignore that.
    m_posting = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_posting};

    const qint64 rowid = rowidAt(index.row());
    const QString text = value.toString();
    QVariant stored;
    QString sql;
    if (index.column() == 1) {
        if (text == current->memo)
            return true;
        stored = text;
        sql = QStringLiteral("update z_user set [Memo] = ? where rowid = ?");
    } else {
        qint32 mark = 0;
        switch (parseMark(text, mark)) {
        case MarkParse::Empty:
            stored = QVariant();
            break;
        case MarkParse::Value:
            stored = qlonglong(mark);
            break;
        case MarkParse::Invalid:
            if (onError)
                onError(QStringLiteral("\"") + text.trimmed() +
                        QStringLiteral("\" 不是有效的条件标识,条件标识必须为整数或者不填\r"
                                       "如:0,1,2,3..."));
            return false;
        }
        if (stored == current->tj && stored.isNull() == current->tj.isNull())
            return true;
        sql = QStringLiteral("update z_user set [TJ] = ? where rowid = ?");
    }
    try {
        m_db.exec(sql, {stored.isNull() ? QVariant(QMetaType(QMetaType::LongLong)) : stored,
                        QVariant(qlonglong(rowid))});
    } catch (const DbError& e) {
        if (onError)
            onError(e.text());
        return false;
    }
    auto it = m_blocks.find(index.row() / kBlock);
    if (it != m_blocks.end()) {
        Row& r = (*it)[index.row() % kBlock];
        if (index.column() == 1)
            r.memo = text;
        else
            r.tj = stored;
    }
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    if (onPosted)
        onPosted();
    return true;
}

} // namespace varnel
