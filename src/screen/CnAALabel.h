#pragma once

#include "screen/TextEffect.h"

#include <QColor>
#include <QImage>
#include <QWidget>
#include <functional>

class QPainter;

namespace varnel {

// The draw screen's anti-aliased label: text with shadow, outline, gradient and transparency
// (TextEffect), composed off screen and copied in one go. `OnAfterPaint` runs after every
// paint, with `canvas()` open on the label, so an owner can paint a frame over it.
class TCnAALabel : public QWidget {
public:
    explicit TCnAALabel(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return m_text; }
    void setLabelFont(const QFont& font);
    QFont labelFont() const { return m_font; }
    void setFontColour(const QColor& colour);
    QColor fontColour() const { return m_colour; }
    void setEffect(const TextEffect& effect);
    const TextEffect& effect() const { return m_effect; }
    // Auto size: the label follows its text's extent (text block plus the effect's room).
    void setAutoSize(bool on);
    bool autoSize() const { return m_autoSize; }
    // Centred text both ways (else top left).
    void setCentred(bool on);
    bool centred() const { return m_centred; }

    // Width and height of the text in the label's font, without effect room (an empty text
    // measures as nothing wide, one line high).
    QSize plainTextExtent() const;
    QSize plainTextExtent(const QString& text) const;
    // What auto size gives: the text plus the effect's room.
    QSize textExtent() const;

    std::function<void(TCnAALabel*)> OnAfterPaint;
    // The painter of the paint in progress (only inside OnAfterPaint), else null.
    QPainter* canvas() const { return m_canvas; }

    // A notice drawn over the label until its text or picture changes ("数据整理中").
    struct Notice {
        QString text;
        QFont font;
        QColor colour;
    };
    void setNotice(const Notice& notice);
    void clearNotice();
    bool hasNotice() const { return !m_notice.text.isEmpty(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void contentChanged();
    void paintNotice(QPainter& p) const;

    QString m_text;
    QFont m_font;
    QColor m_colour = Qt::black;
    TextEffect m_effect;
    bool m_autoSize = true;
    bool m_centred = false;
    QImage m_cache; // the composed text at the label's size
    QPainter* m_canvas = nullptr;
    Notice m_notice;
};

} // namespace varnel
