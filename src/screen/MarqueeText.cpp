#include "screen/MarqueeText.h"

#include "screen/EffectText.h"

#include <QPainter>

namespace varnel {

MarqueeText::MarqueeText(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(kIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &MarqueeText::step);
}

QString MarqueeText::oneLine(const QString& resultsText)
{
    QStringList parts;
    for (const QString& line : textLines(resultsText)) {
        const QString t = line.trimmed();
        if (!t.isEmpty())
            parts << t;
    }
    return parts.join(QStringLiteral("    "));
}

void MarqueeText::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    m_display = oneLine(text);
    m_offset = 0;
    rebuild();
}

void MarqueeText::setLabelFont(const QFont& font)
{
    m_font = font;
    rebuild();
}

void MarqueeText::setFontColour(const QColor& colour)
{
    m_colour = colour;
    rebuild();
}

void MarqueeText::setEffect(const TextEffect& effect)
{
    m_effect = effect;
    m_effect.transparent = true; // the marquee always runs over the background
    rebuild();
}

void MarqueeText::setActive(bool on)
{
    if (on && !m_timer.isActive())
        m_timer.start();
    else if (!on)
        m_timer.stop();
}

void MarqueeText::rebuild()
{
    m_strip = QImage();
    if (m_display.isEmpty())
        return;
    const QMargins m = effectMargins(m_effect);
    const QSize block = plainTextSize(m_font, {m_display});
    const QSize size(block.width() + m.left() + m.right(),
                     std::max(height(), block.height() + m.top() + m.bottom()));
    m_strip = renderEffectText(size, devicePixelRatioF(), {m_display}, m_font, m_colour, m_effect,
                               Qt::AlignLeft | Qt::AlignVCenter);
    update();
}

void MarqueeText::resizeEvent(QResizeEvent*)
{
    rebuild();
}

void MarqueeText::step()
{
    const int stripWidth = m_strip.isNull() ? 0 : int(m_strip.width() / m_strip.devicePixelRatio());
    m_offset += kStepPixels;
    // Once the line's end has left on the left, it enters again from the right.
    if (m_offset > width() + stripWidth)
        m_offset = 0;
    if (isVisible())
        repaint();
}

void MarqueeText::paintEvent(QPaintEvent*)
{
    if (m_strip.isNull())
        return;
    QPainter p(this);
    p.setOpacity(std::clamp(m_effect.alpha, 0, 100) / 100.0);
    const int stripHeight = int(m_strip.height() / m_strip.devicePixelRatio());
    p.drawImage(QPoint(width() - m_offset, (height() - stripHeight) / 2), m_strip);
}

} // namespace varnel
