#include "shell/RecordsGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <algorithm>
#include <functional>

namespace varnel {

namespace {

QRect centredCheckRect(const QStyleOptionViewItem& option, const QWidget* widget)
{
    QStyle* style = widget ? widget->style() : QApplication::style();
    QStyleOptionButton button;
    const QRect r = style->subElementRect(QStyle::SE_CheckBoxIndicator, &button, widget);
    return QStyle::alignedRect(option.direction, Qt::AlignCenter, r.size(), option.rect);
}

} // namespace

void CentredCheckDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    // Cell background and selection without the default check box.
    opt.features &= ~QStyleOptionViewItem::HasCheckIndicator;
    opt.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    QStyleOptionViewItem check = option;
    check.rect = centredCheckRect(option, widget);
    check.state = option.state & ~QStyle::State_HasFocus;
    switch (Qt::CheckState(index.data(Qt::CheckStateRole).toInt())) {
    case Qt::Checked:
        check.state |= QStyle::State_On;
        break;
    case Qt::PartiallyChecked:
        check.state |= QStyle::State_NoChange;
        break;
    default:
        check.state |= QStyle::State_Off;
    }
    if (!(index.flags() & Qt::ItemIsUserCheckable))
        check.state &= ~QStyle::State_Enabled;
    style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &check, painter, widget);
}

bool CentredCheckDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                       const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (!(index.flags() & Qt::ItemIsUserCheckable) || !(index.flags() & Qt::ItemIsEnabled))
        return false;
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() != Qt::LeftButton ||
            !centredCheckRect(option, option.widget).contains(me->position().toPoint()))
            return false;
    } else if (event->type() == QEvent::MouseButtonDblClick) {
        return true; // a double click is two toggles' worth of clicks; take just the clicks
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Space && key != Qt::Key_Select)
            return false;
    } else {
        return false;
    }
    const auto state = Qt::CheckState(index.data(Qt::CheckStateRole).toInt());
    return model->setData(index, state == Qt::Checked ? Qt::Unchecked : Qt::Checked,
                          Qt::CheckStateRole);
}

RecordsGrid::RecordsGrid(QWidget* parent) : QTableView(parent)
{
    setCornerButtonEnabled(false);
    m_corner = new QToolButton(this);
    m_corner->setObjectName(QStringLiteral("btnCorner"));
    m_corner->setArrowType(Qt::DownArrow);
    m_corner->setAutoRaise(true);
    m_corner->setToolTip(QStringLiteral("导出到文本文件 / 打印"));
}

void RecordsGrid::setBaseWidths(const QList<int>& widths)
{
    m_baseWidths = widths;
    fitColumns();
}

void RecordsGrid::fitColumns()
{
    if (m_baseWidths.isEmpty() || !model())
        return;
    int total = 0;
    for (int w : m_baseWidths)
        total += w;
    const int avail = viewport()->width();
    if (total <= 0 || avail <= 0)
        return;
    int used = 0;
    for (int c = 0; c < m_baseWidths.size(); ++c) {
        const int w = c + 1 == m_baseWidths.size() ? std::max(20, avail - used)
                                                   : std::max(20, m_baseWidths[c] * avail / total);
        setColumnWidth(c, w);
        used += w;
    }
}

void RecordsGrid::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    fitColumns();
    placeCorner();
}

void RecordsGrid::updateGeometries()
{
    QTableView::updateGeometries();
    placeCorner();
}

void RecordsGrid::placeCorner()
{
    const int f = frameWidth();
    m_corner->setGeometry(f, f, std::max(verticalHeader()->width(), 16),
                          std::max(horizontalHeader()->height(), 16));
    m_corner->raise();
}

void RecordsGrid::finishEditing()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    QWidget* editor = QApplication::focusWidget();
    if (editor && editor != this && isAncestorOf(editor)) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

QString RecordsGrid::selectionText() const
{
    QModelIndexList cells =
        selectionModel() ? selectionModel()->selectedIndexes() : QModelIndexList();
    if (cells.isEmpty() && currentIndex().isValid())
        cells << currentIndex();
    std::sort(cells.begin(), cells.end(), [](const QModelIndex& a, const QModelIndex& b) {
        return a.row() != b.row() ? a.row() < b.row() : a.column() < b.column();
    });
    QString out;
    int row = -1;
    for (const QModelIndex& i : cells) {
        if (row != -1)
            out += i.row() != row ? QStringLiteral("\r\n") : QStringLiteral("\t");
        row = i.row();
        QVariant v = i.data(Qt::DisplayRole);
        if (!v.isValid() && i.data(Qt::CheckStateRole).isValid())
            v = i.data(Qt::CheckStateRole).toInt() == Qt::Checked ? 1 : 0;
        out += v.toString();
    }
    return out;
}

void RecordsGrid::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(selectionText());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

FindBar::FindBar(QTableView* grid, QWidget* parent) : QWidget(parent), m_grid(grid)
{
    setObjectName(QStringLiteral("findBar"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 2);
    auto* label = new QLabel(QStringLiteral("查找:"), this);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("edtFind"));
    auto* next = new QPushButton(QStringLiteral("查找下一个"), this);
    next->setObjectName(QStringLiteral("btnFindNext"));
    auto* close = new QToolButton(this);
    close->setObjectName(QStringLiteral("btnFindClose"));
    close->setText(QStringLiteral("×"));
    close->setAutoRaise(true);
    layout->addWidget(label);
    layout->addWidget(m_edit, 1);
    layout->addWidget(next);
    layout->addWidget(close);
    auto find = [this] {
        if (!findNext(m_edit->text()) && onNotFound)
            onNotFound(m_edit->text());
    };
    QObject::connect(next, &QPushButton::clicked, this, find);
    QObject::connect(m_edit, &QLineEdit::returnPressed, this, find);
    QObject::connect(close, &QToolButton::clicked, this, [this] {
        hide();
        m_grid->setFocus();
    });
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    esc->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(esc, &QShortcut::activated, this, [this] {
        hide();
        m_grid->setFocus();
    });
    hide();
}

void FindBar::open()
{
    show();
    m_edit->setFocus();
    m_edit->selectAll();
}

bool FindBar::findNext(const QString& text)
{
    QAbstractItemModel* model = m_grid->model();
    if (!model || text.isEmpty())
        return false;
    const int rows = model->rowCount();
    const int cols = model->columnCount();
    const int total = rows * cols;
    if (total == 0)
        return false;
    const QModelIndex cur = m_grid->currentIndex();
    const int start = cur.isValid() ? cur.row() * cols + cur.column() : -1;
    for (int step = 1; step <= total; ++step) {
        const int pos = (start + step) % total;
        const QModelIndex i = model->index(pos / cols, pos % cols);
        if (i.data(Qt::DisplayRole).toString().contains(text, Qt::CaseInsensitive)) {
            m_grid->setCurrentIndex(i);
            m_grid->scrollTo(i);
            return true;
        }
    }
    return false;
}

} // namespace varnel
