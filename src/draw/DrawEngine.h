#pragma once

#include <QString>
#include <memory>

namespace varnel {

struct AppContext;
class DrawHost;
class DrawView;

enum class DrawState { Idle, Starting, Rolling, StopRequested };

// The draw engine of one draw run: plan and progress, key presses and winner selection, the
// roll and its landing, the results texts. Created by the draw screen in draw mode after its
// layout is built; runs headless in tests with an in-memory DrawView and an instant clock.
//
// Event order: the sequences run as nested loops on the GUI thread. A roll tick (the
// acceleration, one full-speed step) blocks without serving the queue, so keys typed meanwhile
// are handled after it; a stop key that still reaches the engine while the strip speeds up is
// kept and the same tick lands. The landing and the zoom animations serve the queue after
// every step (DrawView::processEvents). While any of these runs (busy()):
//   - the start/stop key is ignored in StopRequested, and a start press in Idle (a zoom
//     closing) runs as soon as the animation has ended;
//   - every menu command is refused, except "退出抽奖", which waits like a close;
//   - endRun() returns false and the engine closes the screen once the sequence has ended.
// Between ticks (Starting, Rolling) "跳过当前项目" aborts the roll and "退出抽奖" closes; the
// winners windows and "临时抽奖" run only in Idle, since they would stop the roll timer and
// leave the press without its stop sequence.
class DrawEngine {
public:
    DrawEngine(AppContext& ctx, DrawHost& host, DrawView& view, int drawKey);
    ~DrawEngine();
    DrawEngine(const DrawEngine&) = delete;
    DrawEngine& operator=(const DrawEngine&) = delete;

    // Draw-run start: reshuffle, rolling list, engine settings, plan rebuild, first texts.
    void startRun();
    // Draw-run end (close): stops sound, discards pending winners. Returns false while an
    // acceleration, a landing or a zoom animation is under way: the close then waits, and the
    // engine itself calls DrawView::closeScreen() as soon as that sequence has ended.
    bool endRun();
    bool busy() const; // inside the acceleration, a landing or a zoom

    // FormKeyPress with the typed character code; imgHBMouseDown acts as character 32.
    void keyPress(int charCode);
    void drawButtonPressed();
    // Timer1Timer.
    void timerTick();

    // PopupMenu1 commands
    void exitDraw();                                   // M_exit "退出抽奖"
    void temporaryDraw(const QString& entryCaption);   // entries under "临时抽奖"
    void showItemWinners(const QString& entryCaption); // entries under "显示中奖名单"
    void showAllRolling();                             // M_ShowAllGD "显示全部滚动名单"
    void skipCurrentItem();                            // M_TGJX "跳过当前项目"
    void toggleAutoContinue();                         // M_SY "顺延抽奖"
    void nextItem();                                   // M_NextJX "抽取下一项目"
    void addItem();                                    // M_AddJX "增加抽取项目"

    DrawState state() const;
    int drawKey() const; // DrawKey; a configured key outside 3..255 reads as 32

    // Draw-run values, for the screen and for tests.
    QString centreText() const;       // ZoomCaption: the centre cell's text after the last step
    int pendingCount() const;         // PendingCount of the running press
    QString currentItemName() const;  // CurrentItemName
    QString finishedItemName() const; // FinishedItemName
    QString tempPrefix() const;       // TempPrefix ("[临]" during a temporary draw)
    bool autoContinue() const;        // M_SY checked
    bool nextItemEnabled() const;     // M_NextJX enabled
    int rollSpeed() const;            // RollSpeed in force (values below 1 read as 1)

    // Item captions for the "显示中奖名单" and "临时抽奖" submenus, read at run start
    // ("select jxname from z_jx order by no"), each "name(&A)", "name(&B)", ...
    QStringList itemMenuCaptions() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace varnel
