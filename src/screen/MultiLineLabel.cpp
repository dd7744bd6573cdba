#include "screen/MultiLineLabel.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace varnel {

MultiLineLabel::MultiLineLabel(QWidget* parent) : QWidget(parent), m_renderer(48) {}

void MultiLineLabel::setLines(const QStringList& lines)
{
    m_lines = lines;
    fitText();
    update();
}

void MultiLineLabel::setTextStyle(const ListTextStyle& style)
{
    m_renderer.setStyle(style);
    fitText();
    update();
}

void MultiLineLabel::setTransparent(bool on)
{
    m_transparent = on;
    update();
}

void MultiLineLabel::setAutoSize(bool on)
{
    m_autoSize = on;
    fitText();
}

void MultiLineLabel::fitText()
{
    if (!m_autoSize)
        return;
    int w = 0;
    for (const QString& line : std::as_const(m_lines))
        w = std::max(w, m_renderer.textWidth(line));
    resize(std::max(1, w + 2 * m_renderer.margin()),
           std::max(1, int(m_lines.size()) * m_renderer.lineHeight()));
}

void MultiLineLabel::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    const QRect area = event->rect();
    if (!m_transparent)
        p.fillRect(area, Qt::white);
    const int lh = m_renderer.lineHeight();
    const int m = m_renderer.margin();
    const int first = std::max(0, (area.top() - m) / lh - 1);
    for (int i = first; i < m_lines.size(); ++i) {
        const int y = i * lh;
        if (y - m > area.bottom())
            break;
        const QImage* img = m_renderer.line(m_lines.at(i));
        if (!img || img->isNull())
            continue;
        const int x = (width() - (img->width() - 2 * m)) / 2 - m;
        p.drawImage(x, y - m, *img);
    }
}

} // namespace varnel
