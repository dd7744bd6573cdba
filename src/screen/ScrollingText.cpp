#include "screen/ScrollingText.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace varnel {

ScrollingText::ScrollingText(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(30);
    QObject::connect(&m_timer, &QTimer::timeout, this, [this] { advance(m_step); });
}

void ScrollingText::setLines(const QStringList& lines)
{
    m_lines = lines;
    m_offset = 0;
    update();
}

void ScrollingText::setBackground(const QImage& picture)
{
    m_picture = picture;
    prepareBackground();
    update();
}

void ScrollingText::setBackColour(const QColor& colour)
{
    m_backColour = colour;
    update();
}

void ScrollingText::setTextStyle(const ListTextStyle& style)
{
    m_renderer.setStyle(style);
    update();
}

void ScrollingText::setActive(bool on)
{
    if (on && !m_timer.isActive()) {
        // Render the lines of the first screen before the first step, so it starts smoothly.
        QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&scratch);
        drawLines(p, 0, height(), 0);
    }
    if (on)
        m_timer.start();
    else
        m_timer.stop();
}

void ScrollingText::setFadeHeight(int px)
{
    m_fade = std::max(0, px);
    prepareFadeMasks();
    update();
}

void ScrollingText::advance(int px)
{
    m_offset += px;
    update();
}

void ScrollingText::resizeEvent(QResizeEvent*)
{
    prepareBackground();
    prepareFadeMasks();
}

void ScrollingText::prepareBackground()
{
    if (m_picture.isNull() || width() <= 0 || height() <= 0) {
        m_scaled = m_mirrored = QImage();
        return;
    }
    m_scaled = m_picture.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                   .convertToFormat(QImage::Format_RGB32);
    m_mirrored = m_scaled.mirrored(false, true);
}

void ScrollingText::prepareFadeMasks()
{
    const int f = std::min(m_fade, height() / 2);
    if (f <= 0 || width() <= 0) {
        m_topMask = m_bottomMask = m_band = QImage();
        return;
    }
    m_topMask = QImage(width(), f, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&m_topMask);
    QLinearGradient g(0, 0, 0, f);
    g.setColorAt(0, QColor(0, 0, 0, 0));
    g.setColorAt(1, QColor(0, 0, 0, 255));
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(m_topMask.rect(), g);
    p.end();
    m_bottomMask = m_topMask.mirrored(false, true);
    m_band = QImage(width(), f, QImage::Format_ARGB32_Premultiplied);
}

int ScrollingText::cycleLength() const
{
    // A third of the window between the end of the list and its next start; a short list comes
    // back at the bottom just as it leaves at the top, so it is never shown twice at once.
    const int text = int(m_lines.size()) * m_renderer.lineHeight();
    return std::max(text + height() / 3, std::max(1, height()));
}

int ScrollingText::firstLineTop() const
{
    // The list starts in view just below the fade zone, then leaves at the top and comes back
    // from the bottom.
    const int start = std::min(m_fade, height() / 3);
    const int cycle = cycleLength();
    const qint64 pos = (m_offset + (height() - start)) % cycle;
    return int(height() - pos);
}

void ScrollingText::drawLines(QPainter& p, int top, int bottom, int yShift)
{
    const int lh = m_renderer.lineHeight();
    const int n = int(m_lines.size());
    if (n == 0)
        return;
    const int cycle = cycleLength();
    const int m = m_renderer.margin();
    // Copies of the list at first, first - cycle, first + cycle ... that reach the strip.
    int copyTop = firstLineTop();
    while (copyTop > top)
        copyTop -= cycle;
    for (; copyTop < bottom; copyTop += cycle) {
        const int firstIndex = std::max(0, (top - copyTop - lh - m) / lh);
        for (int i = firstIndex; i < n; ++i) {
            const int y = copyTop + i * lh;
            if (y - m >= bottom)
                break;
            if (y + lh + m <= top)
                continue;
            const QImage* img = m_renderer.line(m_lines.at(i));
            if (!img || img->isNull())
                continue;
            const int x = (width() - (img->width() - 2 * m)) / 2 - m;
            p.drawImage(x, y - m - yShift, *img);
        }
    }
}

void ScrollingText::renderFrame(QPainter& p, const QRect& area)
{
    const int w = width();
    const int h = height();
    // Background: the stretched picture, scrolling with the text, mirrored every other tile.
    if (m_scaled.isNull()) {
        p.fillRect(area, m_backColour);
    } else {
        const qint64 period = 2LL * h;
        const int y0 = -int(m_offset % period);
        for (int k = 0; k < 3; ++k) {
            const int y = y0 + k * h;
            if (y >= h || y + h <= 0)
                continue;
            p.drawImage(0, y, (k % 2) ? m_mirrored : m_scaled);
        }
    }
    if (m_lines.isEmpty())
        return;
    const int f = m_topMask.isNull() ? 0 : m_topMask.height();
    // Middle: straight blits.
    p.save();
    p.setClipRect(QRect(0, f, w, h - 2 * f).intersected(area));
    drawLines(p, f, h - f, 0);
    p.restore();
    if (f == 0)
        return;
    // Fade zones: the lines through a gradient mask.
    const int bandTops[2] = {0, h - f};
    const QImage* masks[2] = {&m_topMask, &m_bottomMask};
    for (int b = 0; b < 2; ++b) {
        if (!area.intersects(QRect(0, bandTops[b], w, f)))
            continue;
        m_band.fill(Qt::transparent);
        QPainter bp(&m_band);
        drawLines(bp, bandTops[b], bandTops[b] + f, bandTops[b]);
        bp.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        bp.drawImage(0, 0, *masks[b]);
        bp.end();
        p.drawImage(0, bandTops[b], m_band);
    }
}

void ScrollingText::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    renderFrame(p, event->rect());
}

} // namespace varnel
