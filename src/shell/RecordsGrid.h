#pragma once

#include <QStyledItemDelegate>
#include <QTableView>

class QLineEdit;
class QToolButton;

namespace varnel {

// Draws a check box centred in its cell and toggles it on a click or the space key.
class CentredCheckDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
};

// The records grid: base column widths scaled to fit, copy of the selection as tab-separated
// text, a drop-down button in the top-left corner and a find bar on Ctrl+F.
class RecordsGrid final : public QTableView {
public:
    explicit RecordsGrid(QWidget* parent = nullptr);

    void setBaseWidths(const QList<int>& widths);
    // Commits an open cell editor into the model and closes it.
    void finishEditing();
    // The text of the selected cells: columns separated by tabs, rows by line ends.
    QString selectionText() const;
    QToolButton* cornerButton() const { return m_corner; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void updateGeometries() override;

private:
    void fitColumns();
    void placeCorner();

    QList<int> m_baseWidths;
    QToolButton* m_corner = nullptr;
};

// A small bar below the grid: text, "查找下一个" and a close button; searches every column from
// the cell after the current one, round the end.
class FindBar final : public QWidget {
public:
    FindBar(QTableView* grid, QWidget* parent);
    void open();
    // Moves to the next cell containing `text` (case-insensitive); false when there is none.
    bool findNext(const QString& text);
    QLineEdit* edit() const { return m_edit; }
    std::function<void(const QString&)> onNotFound;

private:
    QTableView* m_grid;
    QLineEdit* m_edit;
};

} // namespace varnel
