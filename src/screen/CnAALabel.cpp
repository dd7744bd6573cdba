#include "screen/CnAALabel.h"

#include "screen/EffectText.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

namespace varnel {

TCnAALabel::TCnAALabel(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    setFocusPolicy(Qt::NoFocus);
}

void TCnAALabel::contentChanged()
{
    m_cache = QImage();
    if (m_autoSize) {
        const QSize s = textExtent();
        if (s != size())
            resize(s);
    }
}

void TCnAALabel::setText(const QString& text)
{
    m_notice = {};
    if (text == m_text)
        return;
    m_text = text;
    contentChanged();
}

void TCnAALabel::setLabelFont(const QFont& font)
{
    m_font = font;
    contentChanged();
}

void TCnAALabel::setFontColour(const QColor& colour)
{
    m_colour = colour;
    m_cache = QImage();
}

void TCnAALabel::setEffect(const TextEffect& effect)
{
    m_effect = effect;
    setAttribute(Qt::WA_TranslucentBackground, effect.transparent);
    contentChanged();
}

void TCnAALabel::setAutoSize(bool on)
{
    m_autoSize = on;
    contentChanged();
}

void TCnAALabel::setCentred(bool on)
{
    m_centred = on;
    m_cache = QImage();
}

QSize TCnAALabel::plainTextExtent() const
{
    return plainTextExtent(m_text);
}

QSize TCnAALabel::plainTextExtent(const QString& text) const
{
    return plainTextSize(m_font, textLines(text));
}

QSize TCnAALabel::textExtent() const
{
    const QMargins m = effectMargins(m_effect);
    return plainTextExtent() + QSize(m.left() + m.right(), m.top() + m.bottom());
}

void TCnAALabel::setNotice(const Notice& notice)
{
    m_notice = notice;
}

void TCnAALabel::clearNotice()
{
    m_notice = {};
}

void TCnAALabel::resizeEvent(QResizeEvent* event)
{
    m_cache = QImage();
    QWidget::resizeEvent(event);
}

void TCnAALabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!m_effect.transparent)
        p.fillRect(rect(), palette().window());
    if (!m_text.isEmpty()) {
        if (m_cache.isNull() || m_cache.size() != size() * devicePixelRatioF())
            m_cache = renderEffectText(size(), devicePixelRatioF(), textLines(m_text), m_font,
                                       m_colour, m_effect,
                                       m_centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop);
        p.setOpacity(std::clamp(m_effect.alpha, 0, 100) / 100.0);
        p.drawImage(QPoint(0, 0), m_cache);
        p.setOpacity(1.0);
    }
    if (OnAfterPaint) {
        m_canvas = &p;
        OnAfterPaint(this);
        m_canvas = nullptr;
    }
    if (hasNotice())
        paintNotice(p);
}

// The notice badge: grey frame 9 px and red box 6 px around the centred text, text on top.
void TCnAALabel::paintNotice(QPainter& p) const
{
    const QFontMetrics fm(m_notice.font);
    const QSize ts(fm.horizontalAdvance(m_notice.text), fm.height());
    const QRect text(QPoint((width() - ts.width()) / 2, (height() - ts.height()) / 2), ts);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(text.adjusted(-9, -9, 9, 9), QColor(0x80, 0x80, 0x80));
    p.fillRect(text.adjusted(-6, -6, 6, 6), QColor(0xFF, 0, 0));
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setFont(m_notice.font);
    p.setPen(m_notice.colour);
    p.drawText(text.left(), text.top() + fm.ascent(), m_notice.text);
}

} // namespace varnel
