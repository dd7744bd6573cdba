#include "shell/RecordsPrint.h"

#include <QAbstractItemModel>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <vector>

namespace varnel {

namespace {

QFont printFont(int points, bool bold, bool italic = false, bool underline = false)
{
    QFont f(QStringLiteral("WenQuanYi Zen Hei"));
    f.setPointSize(points);
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    return f;
}

class Page {
public:
    Page(QPainter& p, QPrinter& printer) : m_p(p), m_printer(printer)
    {
        m_rect = p.viewport();
        m_rect.moveTo(0, 0);
    }
    int width() const { return m_rect.width(); }
    int y = 0;
    bool fits(int h) const { return y + h <= m_rect.height(); }
    bool newPage()
    {
        y = 0;
        return m_printer.newPage();
    }
    // A line of text in `font`, aligned within the page width; an empty text still takes its
    // line.
    bool line(const QString& text, const QFont& font, Qt::Alignment align)
    {
        const QFontMetrics fm(font, &m_printer);
        if (!fits(fm.height()) && y > 0 && !newPage())
            return false;
        m_p.setFont(font);
        m_p.drawText(QRect(0, y, width(), fm.height()), int(align | Qt::AlignVCenter), text);
        y += fm.height();
        return true;
    }

private:
    QPainter& m_p;
    QPrinter& m_printer;
    QRect m_rect;
};

QString cellText(const QAbstractItemModel& model, int row, int col)
{
    const QModelIndex i = model.index(row, col);
    const QVariant check = i.data(Qt::CheckStateRole);
    if (check.isValid())
        return check.toInt() == Qt::Checked ? QStringLiteral("√") : QString();
    return i.data(Qt::DisplayRole).toString();
}

} // namespace

void setRecordsPageLayout(QPrinter& printer)
{
    printer.setPageMargins(QMarginsF(40, 10, 40, 10), QPageLayout::Millimeter);
}

bool printRecords(QPrinter& printer, const QAbstractItemModel& model,
                  const RecordsPrintTexts& texts)
{
    QPainter p;
    if (!p.begin(&printer))
        return false;
    p.setPen(Qt::black);
    Page page(p, printer);
    page.line(texts.title, printFont(23, true), Qt::AlignHCenter);
    page.line(texts.miTitle, printFont(10, true), Qt::AlignHCenter);
    page.line(texts.xMiTitle, printFont(7, false, true, true), Qt::AlignHCenter);
    page.y += QFontMetrics(printFont(7, false), &printer).height() / 2;

    // Columns in the grid's proportions, fitted to the page width.
    const int cols = model.columnCount();
    std::vector<int> widths(cols), lefts(cols);
    int total = 0;
    for (int c = 0; c < cols; ++c)
        total += std::max(1, model.headerData(c, Qt::Horizontal, Qt::UserRole).toInt());
    int x = 0;
    for (int c = 0; c < cols; ++c) {
        const int base = std::max(1, model.headerData(c, Qt::Horizontal, Qt::UserRole).toInt());
        widths[c] = c + 1 == cols ? page.width() - x : page.width() * base / total;
        lefts[c] = x;
        x += widths[c];
    }
    const QFont cellFont = printFont(9, false);
    const QFont titleFont = printFont(9, true);
    const int rowH = QFontMetrics(cellFont, &printer).height() * 14 / 10;
    const int pad = QFontMetrics(cellFont, &printer).averageCharWidth() / 2;
    QPen grid(Qt::black);
    grid.setWidthF(std::max(1.0, printer.resolution() / 150.0));

    std::vector<bool> centred(cols, false); // the check column prints its tick centred
    for (int c = 0; c < cols && model.rowCount() > 0; ++c)
        centred[c] = model.index(0, c).data(Qt::CheckStateRole).isValid();
    auto drawRow = [&](const QStringList& cells, bool title) {
        p.setPen(grid);
        if (title)
            p.fillRect(QRect(0, page.y, page.width(), rowH), QColor(0xe8, 0xe8, 0xe8));
        p.setFont(title ? titleFont : cellFont);
        for (int c = 0; c < cols; ++c) {
            const QRect cell(lefts[c], page.y, widths[c], rowH);
            p.drawRect(cell);
            const QRect inner = cell.adjusted(pad, 0, -pad, 0);
            const QString text = QFontMetrics(p.font(), &printer)
                                     .elidedText(cells.value(c), Qt::ElideRight, inner.width());
            p.drawText(
                inner,
                int(Qt::AlignVCenter | (title || centred[c] ? Qt::AlignHCenter : Qt::AlignLeft)),
                text);
        }
        page.y += rowH;
    };
    QStringList titles;
    for (int c = 0; c < cols; ++c)
        titles << model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    drawRow(titles, true);
    for (int r = 0; r < model.rowCount(); ++r) {
        if (!page.fits(rowH)) {
            if (!page.newPage())
                return false;
            drawRow(titles, true);
        }
        QStringList cells;
        for (int c = 0; c < cols; ++c)
            cells << cellText(model, r, c);
        drawRow(cells, false);
    }
    p.setPen(Qt::black);
    const QFont bold10 = printFont(10, true);
    page.line(QString(), bold10, Qt::AlignLeft);
    page.line(texts.corp, bold10, Qt::AlignHCenter);
    page.line(QString(), bold10, Qt::AlignLeft);
    page.line(texts.sysCaption + QStringLiteral("打印  ") + texts.today, printFont(9, true),
              Qt::AlignRight);
    return p.end();
}

} // namespace varnel
