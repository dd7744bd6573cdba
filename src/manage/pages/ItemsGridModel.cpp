#include "manage/pages/ItemsGridModel.h"

namespace varnel {

void ItemsGridModel::setItems(QList<DrawItem> items)
{
    beginResetModel();
    m_items = std::move(items);
    endResetModel();
}

const DrawItem* ItemsGridModel::item(int row) const
{
    return row >= 0 && row < m_items.size() ? &m_items[row] : nullptr;
}

int ItemsGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

int ItemsGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ItemsGridModel::data(const QModelIndex& index, int role) const
{
    const DrawItem* it = item(index.row());
    if (!it)
        return {};
    if (role == Qt::TextAlignmentRole) {
        const bool number =
            index.column() == No || index.column() == Count || index.column() == PerPress;
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case No:
        return it->no;
    case Name:
        return it->name;
    case Prize:
        return it->prize;
    case Picture:
        return it->picture;
    case Background:
        return it->background;
    case Count:
        return it->count;
    case PerPress:
        return it->perPress;
    case Condition:
        return it->condition;
    default:
        return {};
    }
}

QVariant ItemsGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const titles[ColumnCount] = {"编号",   "项目名称", "奖品名称", "奖品图片",
                                                    "背景图", "项目数量", "一次抽取", "抽取条件"};
    if (section < 0 || section >= ColumnCount)
        return {};
    return QString::fromUtf8(titles[section]);
}

} // namespace varnel
