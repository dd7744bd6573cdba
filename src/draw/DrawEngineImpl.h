#pragma once

#include "draw/DrawEngine.h"
#include "draw/Results.h"
#include "draw/RollMotion.h"
#include "draw/RollRenderer.h"
#include "draw/RollingList.h"
#include "draw/Zoom.h"

#include <QByteArray>
#include <QImage>
#include <QStringList>

namespace varnel {

class ProjectDb;
class Settings;

// The draw run behind DrawEngine. Split over DrawEngine.cpp (keys, ticks, the stop
// sequence), DrawPlan.cpp (plan and progress, menu commands) and WinnersWindow.cpp.
struct DrawEngine::Impl {
    Impl(AppContext& ctx, DrawHost& host, DrawView& view, int drawKey);
    static RollMotion::Hooks motionHooks(Impl& d);
    static Zoom::Hooks zoomHooks(Impl& d);

    AppContext& ctx;
    DrawHost& host;
    DrawView& view;
    ProjectDb& db;

    int drawKey = 32;
    DrawState state = DrawState::Idle;
    qint64 lastPressTick = 0;
    bool anyPress = false;

    // engine settings
    bool rollSoundOn = false;
    bool winSoundOn = false;
    QByteArray rollSound;
    QByteArray winSound;
    int rollSpeed = 1;
    QString pressInterval = QStringLiteral("0");
    bool repeatWins = false;
    bool showItemList = false;
    bool listReversed = false;

    // draw-run values
    QString currentItemName;
    QString tempPrefix;
    QString finishedItemName;
    int resultColumnWidth = 0;
    int pendingCount = 0;
    bool autoContinue = true;     // M_SY
    bool nextItemEnabled = false; // M_NextJX
    QStringList menuCaptions;

    RollingList list;
    RollRenderer renderer;
    RollMotion motion;
    Zoom zoom;
    QImage background; // ImgBJ's picture as last set
    size_t backgroundKey = 0;
    bool backgroundIsBlank = false;
    int timerInterval = 1;
    bool marqueeWasScrolling = false;

    int busy = 0;
    bool closePending = false;
    bool closing = false;
    bool ended = false;
    bool startDeferred = false;

    // guards
    struct BusyScope {
        explicit BusyScope(Impl& d) : d(d) { ++d.busy; }
        ~BusyScope() { --d.busy; }
        Impl& d;
    };
    void afterEntry(); // closes the screen when a close waited for a sequence
    bool idleAndFree() const { return state == DrawState::Idle && busy == 0 && !ended; }

    // DrawEngine.cpp
    void keyPress(int charCode);
    void startPress();
    void timerTick();
    void AccelerateRoll();
    void StopSequence();
    void ShowZoom();
    void CloseZoom();
    void pushMenuState();
    void setButtonPicture(const char* file);
    void PlayFlashOverlay(int durationMs);
    void syncRenderer();
    void touch();
    void stopRoll(); // Timer1 off, marquee hidden, sound stopped
    bool pressFailed(const QString& text);
    QString readPressCondition();
    QString pressCondition(const QString& itemNo, const QString& itemCondition);
    void rebuildRollingList(const QString& condition, bool temporary);
    void startRolling(int interval);

    // DrawPlan.cpp
    void startRun();
    bool endRun();
    void readEngineSettings();
    void rebuildPlan();
    void showFirstTexts();
    void readMenuCaptions();
    bool LoadCurrentItem();
    bool registerDrawer();
    void showItemPictures(qint64 itemNo);
    void showBackground(const QString& fileName, const QByteArray& blob);
    void FinishPress();
    bool AddAdHocItem(const QString& name);
    void afterPlanChange();
    void skipCurrentItem();
    void addItem();
    void temporaryDraw(const QString& caption);
    void exitDraw();
    void nextItem();
    void toggleAutoContinue();
    ResultsFormat resultsFormat() const;
    QString itemMarquee(const QString& item);

    // WinnersWindow.cpp
    void ShowWinnersWindow(const QString& name);
    void showItemWinners(const QString& caption);
    void M_ShowAllGDClick();
    void presentList(const QString& text, const QString& itemName, bool withTitleAndMenu);
    void afterListWindow();
};

// Item name of a menu entry "name(&A)": the caption up to its first "(".
QString captionItemName(const QString& caption);
// "name(&A)", "name(&B)", … continuing past "Z" in code order.
QString itemMenuCaption(const QString& name, int index);

} // namespace varnel
