#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QVariant>
#include <functional>

namespace varnel {

class ProjectDb;

// The winners (or all participants with their wins) in the records grid, held in memory and
// sorted there. Winner rows carry their rowid so that two identical rows are edited one at a
// time; edits of "已领" and "领奖备注" stay pending until the row is left or the grid lets go.
class RecordsModel final : public QAbstractTableModel {
public:
    enum Column { Listzj, ListBZ, JXname, LJ, BZ, ColumnCount };

    explicit RecordsModel(QObject* parent = nullptr);

    // Runs `sql` (five columns listzj, listbz, jxname, lj, bz; for editable rows a sixth, the
    // rowid) and shows its rows in the current sort order. Throws DbError.
    void load(ProjectDb& db, const QString& sql, bool editable);
    void clear();
    bool editable() const { return m_editable; }

    // Sorting in memory; column -1 is the stored order.
    void sortBy(int column, Qt::SortOrder order);
    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }
    void clearSort() { m_sortColumn = -1; }

    // Writes the pending edit of `row` (or of every row) to z_zj. Throws DbError.
    void commitRow(int row);
    void commitAll();
    bool hasPendingEdits() const;

    // Called with the refused text when a remark would read as an engine marker.
    std::function<void(const QString&)> onRemarkRefused;

    QVariant value(int row, int column) const { return m_rows.at(row).values[column]; }
    QVariant rowId(int row) const { return m_rows.at(row).rowid; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

    static const char* columnTitle(int column);
    static int columnWidth(int column);

private:
    struct Row {
        QVariant values[ColumnCount];
        QVariant rowid;
        int order = 0; // position in the statement's result
        bool ljDirty = false;
        bool bzDirty = false;
    };
    void applySort();

    QList<Row> m_rows;
    ProjectDb* m_db = nullptr;
    bool m_editable = false;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

// The check state shown for a stored "已领": 1 checked, NULL partially (never set), else not.
Qt::CheckState collectedState(const QVariant& lj);
// Whether a remark would be taken for a marker of the draw engine.
bool remarkIsMarker(const QString& remark);

} // namespace varnel
