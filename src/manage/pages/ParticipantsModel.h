#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <functional>
#include <vector>

namespace varnel {

class ProjectDb;

// The participants grid over z_user: 滚动数据列 (List), 备注 (Memo), 条件标识 (TJ), 图片地址
// (PicB). It keeps only the row ids of the whole table (in the sort order) and reads the
// shown rows in small blocks when the view asks for them, so 100,000 participants open at
// once; the picture blobs are never read. Existing rows can be edited (Memo and TJ only),
// none inserted or deleted; each edit is written to z_user at once.
class ParticipantsModel final : public QAbstractTableModel {
public:
    explicit ParticipantsModel(ProjectDb& db, QObject* parent = nullptr);

    // Re-reads the row ids ("select * from z_user", in the current sort order).
    void reload();
    // Drops everything (the page is left).
    void clear();
    // -1: the table's own order.
    void setSort(int column, Qt::SortOrder order);
    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }

    // Called after an edit was written (the data-changed flag).
    std::function<void()> onPosted;
    // Called with the text to show when an edit is refused or fails.
    std::function<void(const QString&)> onError;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    struct Row {
        QString list;
        QString memo;
        QVariant tj;
        QString picb;
    };
    static constexpr int kBlock = 128;
    static constexpr int kMaxBlocks = 64;

    const Row* rowAt(int row) const;
    qint64 rowidAt(int row) const
    {
        return m_firstRowid >= 0 ? m_firstRowid + row : m_rowids[size_t(row)];
    }
    void loadBlock(int block) const;

    ProjectDb& m_db;
    // In the table's own order the row ids are usually 1..n after an import: then only the
    // first one and the count are kept.
    std::vector<qint64> m_rowids;
    qint64 m_firstRowid = -1;
    int m_count = 0;
    mutable QHash<int, QList<Row>> m_blocks;
    mutable QList<int> m_blockOrder; // least recently loaded first
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    bool m_readOnly = false;
    bool m_posting = false;
};

} // namespace varnel
