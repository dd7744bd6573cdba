#pragma once

#include "draw/RollRenderer.h"

#include <QImage>
#include <QString>
#include <functional>
#include <vector>

namespace varnel {

class Clock;
class RollingList;

// One pass of a landing: the pause per frame and the step in pixels.
struct RollPass {
    int sleepMs = 1;
    int stepPx = 1;
};

// The slow landing's schedule for a roll speed and cell height: the pause grows from 3
// towards the roll speed in steps of 2 while the step shrinks from almost a cell.
std::vector<RollPass> decelerationPasses(int rollSpeed, int cellHeight);
// Passes from entering slot 5 to resting in the centre cell, counting both ends.
int passesToCentre(int cellCount);
// Centre slot after a complete step: 1, 2 or 3 for 1, 3 or 5 cells.
int centreSlot(int cellCount);
// The pass at which the winner first enters slot 5 (`rows` = rolling rows, capped is fine).
int injectionPass(int totalPasses, int cellCount, int rows);

// The strip of the rolling area: fills, moves and shifts the six slots one cell per step and
// lands a winner in the centre cell.
class RollMotion {
public:
    struct Hooks {
        std::function<void()> prepare;              // sync geometry/background before a step
        std::function<void(const QImage&)> present; // show a frame at once
        std::function<void()> serveQueue;           // let keys and menu commands in
        std::function<void()> touch;                // LastPressTime := now
    };

    RollMotion(RollRenderer& renderer, RollingList& list, Clock& clock, Hooks hooks);

    void setBlank(const QImage& blank) { m_blank = blank; }
    TGDList& strip() { return m_slots; }
    const TGDList& strip() const { return m_slots; }

    // RollStep: moves the strip by one cell in ceil(pitch / P) frames of S ms each.
    void RollStep(int sleepMs, int stepPx);
    // The acceleration loop; returns the timer interval it ends on (1 when it rolled).
    int accelerate(int rollSpeed, bool rolling);
    // The landing of the stop sequence: `winnerText`/`winnerPic` end in the centre cell.
    void land(const QString& winnerText, const QImage& winnerPic, int rollSpeed, bool normalMode);

    QImage zoomSource() const { return m_zoomSource; }    // bmpZoomSource
    QString zoomCaption() const { return m_zoomCaption; } // ZoomCaption
    QImage lastFrame() const { return m_lastFrame; }      // bmpRollFrame

private:
    void fill();
    void shift();
    void skipWinnerRow(const QString& winnerText, bool normalMode);
    void inject(const QString& text, const QImage& pic);

    RollRenderer& m_renderer;
    RollingList& m_list;
    Clock& m_clock;
    Hooks m_hooks;
    QImage m_blank;
    TGDList m_slots;
    QImage m_zoomSource;
    QString m_zoomCaption;
    QImage m_lastFrame;
};

} // namespace varnel
