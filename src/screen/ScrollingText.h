#pragma once

#include "screen/ListTextRenderer.h"

#include <QImage>
#include <QStringList>
#include <QTimer>
#include <QWidget>

namespace varnel {

// Scrolling text over a stretched background that scrolls along with it (the credits look):
// the lines move upward every interval, fade out in a zone at the top and in at the bottom,
// and repeat without pause. Lines are rendered once and only blitted per frame.
class ScrollingText final : public QWidget {
public:
    explicit ScrollingText(QWidget* parent = nullptr);

    void setLines(const QStringList& lines);
    const QStringList& lines() const { return m_lines; }
    void setBackground(const QImage& picture);
    const QImage& background() const { return m_picture; }
    void setBackColour(const QColor& colour);
    void setTextStyle(const ListTextStyle& style);
    const ListTextStyle& textStyle() const { return m_renderer.style(); }

    void setActive(bool on);
    bool active() const { return m_timer.isActive(); }
    void setInterval(int ms) { m_timer.setInterval(ms); }
    int interval() const { return m_timer.interval(); }
    void setStep(int px) { m_step = px; }
    int step() const { return m_step; }
    void setFadeHeight(int px);
    int fadeHeight() const { return m_fade; }

    // Moves the content up by `px` and repaints (one scroll step is advance(step())).
    void advance(int px);
    qint64 offset() const { return m_offset; }
    // Top of the first line (of the copy in view) at the current offset.
    int firstLineTop() const;
    // Draws one frame of the widget's current state.
    void renderFrame(QPainter& p, const QRect& area);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    void prepareBackground();
    void prepareFadeMasks();
    void drawLines(QPainter& p, int top, int bottom, int yShift);
    int cycleLength() const;

    QStringList m_lines;
    QImage m_picture;
    QImage m_scaled;   // picture at widget size
    QImage m_mirrored; // same, upside down, so stacked tiles meet without a seam
    QImage m_topMask, m_bottomMask, m_band;
    QColor m_backColour;
    ListTextRenderer m_renderer;
    QTimer m_timer;
    qint64 m_offset = 0;
    int m_step = 2;
    int m_fade = 100;
};

} // namespace varnel
