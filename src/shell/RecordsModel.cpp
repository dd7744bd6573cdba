#include "shell/RecordsModel.h"

#include "store/ProjectDb.h"

#include <QSqlQuery>
#include <algorithm>

namespace varnel {

namespace {

bool isNumber(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

// Nulls first, numbers by value, everything else as text.
int compareValues(const QVariant& a, const QVariant& b)
{
    const bool an = a.isNull(), bn = b.isNull();
    if (an || bn)
        return an == bn ? 0 : (an ? -1 : 1);
    if (isNumber(a) && isNumber(b)) {
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    return a.toString().compare(b.toString());
}

} // namespace

Qt::CheckState collectedState(const QVariant& lj)
{
    if (lj.isNull())
        return Qt::PartiallyChecked;
    bool ok = false;
    const qlonglong n = lj.toLongLong(&ok);
    return ok && n == 1 ? Qt::Checked : Qt::Unchecked;
}

bool remarkIsMarker(const QString& remark)
{
    return remark == QLatin1String("-") || remark == QLatin1String("*");
}

RecordsModel::RecordsModel(QObject* parent) : QAbstractTableModel(parent) {}

const char* RecordsModel::columnTitle(int column)
{
    static const char* titles[ColumnCount] = {"抽中的数据", "备注", "抽取项目", "已领", "领奖备注"};
    return titles[column];
}

int RecordsModel::columnWidth(int column)
{
    static const int widths[ColumnCount] = {150, 100, 122, 37, 93};
    return widths[column];
}

void RecordsModel::load(ProjectDb& db, const QString& sql, bool editable)
{
    QList<Row> rows;
    QSqlQuery q = db.select(sql);
    int order = 0;
    while (q.next()) {
        Row r;
        for (int c = 0; c < ColumnCount; ++c)
            r.values[c] = q.value(c);
        if (editable)
            r.rowid = q.value(ColumnCount);
        r.order = order++;
        rows.append(std::move(r));
    }
    beginResetModel();
    m_db = &db;
    m_rows = std::move(rows);
    m_editable = editable;
    applySort();
    endResetModel();
}

void RecordsModel::clear()
{
    beginResetModel();
    m_rows.clear();
    m_db = nullptr;
    endResetModel();
}

void RecordsModel::sortBy(int column, Qt::SortOrder order)
{
    m_sortColumn = column;
    m_sortOrder = order;
    beginResetModel();
    applySort();
    endResetModel();
}

void RecordsModel::applySort()
{
    const int col = m_sortColumn;
    const bool desc = m_sortOrder == Qt::DescendingOrder;
    std::stable_sort(m_rows.begin(), m_rows.end(), [col, desc](const Row& a, const Row& b) {
        if (col < 0 || col >= ColumnCount)
            return a.order < b.order;
        const int c = compareValues(a.values[col], b.values[col]);
        return desc ? c > 0 : c < 0;
    });
}

void RecordsModel::commitRow(int row)
{
    if (!m_db || row < 0 || row >= m_rows.size())
        return;
    Row& r = m_rows[row];
    if (!r.ljDirty && !r.bzDirty)
        return;
    if (r.ljDirty && r.bzDirty)
        m_db->exec(QStringLiteral("update z_zj set lj = ?, bz = ? where rowid = ?"),
                   {r.values[LJ], r.values[BZ], r.rowid});
    else if (r.ljDirty)
        m_db->exec(QStringLiteral("update z_zj set lj = ? where rowid = ?"),
                   {r.values[LJ], r.rowid});
    else
        m_db->exec(QStringLiteral("update z_zj set bz = ? where rowid = ?"),
                   {r.values[BZ], r.rowid});
    r.ljDirty = r.bzDirty = false;
}

void RecordsModel::commitAll()
{
    for (int i = 0; i < m_rows.size(); ++i)
        commitRow(i);
}

bool RecordsModel::hasPendingEdits() const
{
    return std::any_of(m_rows.begin(), m_rows.end(),
                       [](const Row& r) { return r.ljDirty || r.bzDirty; });
}

int RecordsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int RecordsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RecordsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const QVariant& v = m_rows.at(index.row()).values[index.column()];
    if (index.column() == LJ) {
        if (role == Qt::CheckStateRole)
            return int(collectedState(v));
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignCenter);
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return v.isNull() ? QString() : v.toString();
    return {};
}

bool RecordsModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!m_editable || !index.isValid() || index.row() >= m_rows.size())
        return false;
    Row& r = m_rows[index.row()];
    if (index.column() == LJ && role == Qt::CheckStateRole) {
        const bool on = value.toInt() != int(Qt::Unchecked);
        r.values[LJ] = on ? 1 : 0;
        r.ljDirty = true;
    } else if (index.column() == BZ && role == Qt::EditRole) {
        const QString text = value.toString();
        if (text == r.values[BZ].toString() && !r.values[BZ].isNull())
            return true;
        if (remarkIsMarker(text)) {
            if (onRemarkRefused)
                onRemarkRefused(text);
            return false;
        }
        // Never NULL: a winner's remark of NULL would drop out of "BZ <> '*'" lists.
        r.values[BZ] = text.isNull() ? QString(QLatin1String("")) : text;
        r.bzDirty = true;
    } else {
        return false;
    }
    emit dataChanged(index, index, {role});
    return true;
}

Qt::ItemFlags RecordsModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_editable && index.column() == LJ)
        f |= Qt::ItemIsUserCheckable;
    if (m_editable && index.column() == BZ)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant RecordsModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (role == Qt::UserRole && o == Qt::Horizontal && section >= 0 && section < ColumnCount)
        return columnWidth(section); // the base width, for printing in proportion
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, o, role);
    if (o == Qt::Vertical)
        return section + 1;
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(columnTitle(section))
                                                 : QVariant();
}

} // namespace varnel
