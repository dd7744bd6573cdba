#pragma once

#include "screen/TextEffect.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

namespace varnel {

// The winners marquee along the bottom of the draw screen: one line of anti-aliased text with
// the status effect, moving from right to left by 2 pixels every 45 milliseconds.
//
// A results text comes in lines (CR breaks: "[item]", then rows of winners). The marquee is
// one text line tall, so the lines are laid side by side: the item heading runs in front of
// its winners and every row follows with a wider gap, which reads as one continuous ticker.
class MarqueeText : public QWidget {
public:
    static constexpr int kStepPixels = 2;
    static constexpr int kIntervalMs = 45;

    explicit MarqueeText(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return m_text; }
    QString displayText() const { return m_display; } // the one line that scrolls
    void setLabelFont(const QFont& font);
    QFont labelFont() const { return m_font; }
    void setFontColour(const QColor& colour);
    void setEffect(const TextEffect& effect);
    const TextEffect& effect() const { return m_effect; }

    // Active: the text scrolls; inactive: it stands still where it is.
    void setActive(bool on);
    bool active() const { return m_timer.isActive(); }
    int offset() const { return m_offset; } // pixels moved since the text entered
    // One scroll step (the timer's work; tests call it directly).
    void step();

    static QString oneLine(const QString& resultsText);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void rebuild();

    QString m_text;
    QString m_display;
    QFont m_font;
    QColor m_colour = Qt::white;
    TextEffect m_effect;
    QImage m_strip; // the whole line composed once; each frame is a copy of it
    int m_offset = 0;
    QTimer m_timer;
};

} // namespace varnel
