#pragma once

#include "manage/ItemEditor.h"

#include <QAbstractTableModel>

namespace varnel {

// Read-only rows of z_jx for the item grid; columns NO, JXname, JPname, JPjpg, BJjpg, JXcount,
// CQcount, TJ.
class ItemsGridModel final : public QAbstractTableModel {
public:
    enum Column { No, Name, Prize, Picture, Background, Count, PerPress, Condition, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void setItems(QList<DrawItem> items);
    const QList<DrawItem>& items() const { return m_items; }
    const DrawItem* item(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QList<DrawItem> m_items;
};

} // namespace varnel
