#include "draw/DrawEngine.h"

#include "draw/DrawEngineImpl.h"
#include "draw/DrawHost.h"
#include "draw/DrawView.h"
#include "draw/PressSelection.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/OptionalLibrary.h"
#include "platform/Sound.h"
#include "store/AppContext.h"
#include "store/ProjectDb.h"
#include "store/ValueCodec.h"

#include <QFile>

namespace varnel {

namespace {

int validDrawKey(int key)
{
    return (key >= 3 && key <= 255) ? key : 32;
}

} // namespace

RollMotion::Hooks DrawEngine::Impl::motionHooks(Impl& d)
{
    RollMotion::Hooks h;
    h.prepare = [&d] { d.syncRenderer(); };
    h.present = [&d](const QImage& frame) { d.view.presentRollFrame(frame); };
    h.serveQueue = [&d] { d.view.processEvents(); };
    h.touch = [&d] { d.touch(); };
    return h;
}

Zoom::Hooks DrawEngine::Impl::zoomHooks(Impl& d)
{
    Zoom::Hooks h;
    h.setGeometry = [&d](const QRect& r) { d.view.setZoomGeometry(r); };
    h.present = [&d](const QImage& frame) { d.view.presentZoomFrame(frame); };
    h.hide = [&d] { d.view.hideZoom(); };
    h.visible = [&d] { return d.view.zoomVisible(); };
    h.serveQueue = [&d] { d.view.processEvents(); };
    h.sleep = [&d](int ms) { d.ctx.clock->sleepMs(ms); };
    return h;
}

DrawEngine::Impl::Impl(AppContext& c, DrawHost& h, DrawView& v, int key)
    : ctx(c), host(h), view(v), db(*c.db), drawKey(validDrawKey(key)),
      motion(renderer, list, *c.clock, motionHooks(*this)), zoom(zoomHooks(*this))
{
}

void DrawEngine::Impl::afterEntry()
{
    if (busy != 0)
        return;
    if (startDeferred) {
        startDeferred = false;
        if (state == DrawState::Idle && !ended && !closePending)
            startPress();
    }
    if (closePending && !closing) {
        closing = true;
        view.closeScreen();
    }
}

void DrawEngine::Impl::touch()
{
    lastPressTick = ctx.clock->tickMs();
}

void DrawEngine::Impl::syncRenderer()
{
    renderer.setGeometry(view.clientSize(), view.rollArea());
    renderer.setFont(view.rollFont(), view.rollFontColour());
    renderer.setMask(host.starMaskParams());
    renderer.setBackground(background);
}

void DrawEngine::Impl::pushMenuState()
{
    view.setMenuState(autoContinue, nextItemEnabled, host.normalMode());
}

void DrawEngine::Impl::setButtonPicture(const char* file)
{
    if (!view.drawButtonVisible())
        return;
    const QImage picture(ctx.file(QString::fromLatin1(file)));
    // A missing or broken file keeps the picture shown before.
    if (!picture.isNull())
        view.setDrawButtonPicture(picture);
}

void DrawEngine::Impl::PlayFlashOverlay(int durationMs)
{
    if (!QFile::exists(ctx.file(QStringLiteral("flash.swf"))))
        return;
    const QRect g = view.windowGeometry();
    callOptionalExport(ctx.programFolder, QStringLiteral("flBox"), "fl",
                       {durationMs, g.top(), g.left(), g.height(), g.width(), 0});
}

void DrawEngine::Impl::stopRoll()
{
    view.setRollTimer(false, timerInterval);
    view.setMarqueeVisible(false);
    ctx.sound->stop();
}

// FormKeyPress
void DrawEngine::Impl::keyPress(int charCode)
{
    if (ended)
        return;
    QChar ch(char16_t(charCode & 0xFFFF));
    if (ch >= u'a' && ch <= u'z')
        ch = ch.toUpper();
    QString keyCondition;
    try {
        QSqlQuery q = db.select(QStringLiteral("select var,beizhu from z_set where name = "
                                               "'商场抽取条件按键' and var = '") +
                                sqlQuote(QString(ch)) + QStringLiteral("'"));
        if (q.next())
            keyCondition = q.value(1).toString();
    } catch (const DbError& e) {
        ctx.dialogs->error(e.text());
        return;
    }
    // The monotonic tick keeps the interval right across midnight and clock changes.
    const int seconds = std::max(0, toIntOr0(pressInterval.trimmed()));
    if (anyPress && seconds > 0 && ctx.clock->tickMs() - lastPressTick <= qint64(seconds) * 1000)
        return;
    anyPress = true;
    touch();

    if (charCode == drawKey) {
        switch (state) {
        case DrawState::Idle:
            if (busy != 0)
                startDeferred = true; // a zoom is closing; the press follows at once
            else
                startPress();
            break;
        case DrawState::Starting:
        case DrawState::Rolling:
            state = DrawState::StopRequested;
            break;
        case DrawState::StopRequested:
            break;
        }
        return;
    }
    const QString path = ctx.file(QStringLiteral("tmp.txt"));
    if (!keyCondition.isEmpty()) {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(keyCondition.toUtf8());
    } else if (QFile::exists(path)) {
        QFile::remove(path);
    }
}

bool DrawEngine::Impl::pressFailed(const QString& text)
{
    view.setRollTimer(false, timerInterval);
    ctx.sound->stop();
    try {
        discardPressWinners(db);
        db.exec(QStringLiteral("update z_log set ZT = '' where ZT = '进行中'"));
    } catch (const DbError&) {
    }
    tempPrefix.clear();
    pendingCount = 0;
    state = DrawState::Idle;
    ctx.dialogs->error(text);
    view.setRollCaption(view.rollCaption());
    view.fitRollArea(0);
    return false;
}

QString DrawEngine::Impl::readPressCondition()
{
    QSqlQuery row = db.select(QStringLiteral("select * from z_log where ZT = '进行中'"));
    QString no;
    QString tj;
    if (row.next()) {
        no = row.value(QStringLiteral("NO")).toString();
        tj = row.value(QStringLiteral("TJ")).toString();
    }
    return pressCondition(no, tj);
}

QString DrawEngine::Impl::pressCondition(const QString& itemNo, const QString& itemCondition)
{
    const QString path = ctx.file(QStringLiteral("tmp.txt"));
    QFile f(path);
    if (f.exists() && f.open(QIODevice::ReadOnly)) {
        const QString condition = QString::fromUtf8(f.readAll());
        f.close();
        QFile::remove(path);
        return condition;
    }
    const QString preset = ReadPresetCondition(ctx.presetPath, itemNo);
    return preset.isEmpty() ? itemCondition : preset + QStringLiteral("|") + itemCondition;
}

void DrawEngine::Impl::rebuildRollingList(const QString& condition, bool temporary)
{
    list.open(db, rollingListSql(condition, temporary, repeatWins));
}

void DrawEngine::Impl::startRolling(int interval)
{
    if (rollSoundOn)
        ctx.sound->playLoop(rollSound);
    pendingCount = db.scalar(QStringLiteral("select count(*) from z_zj where bz = '*'")).toInt();
    if (pendingCount > 0) {
        view.setRollCaption(QString());
        view.fitRollArea(renderer.settings().CellCount);
    } else {
        view.setRollCaption(QStringLiteral("空"));
    }
    timerInterval = interval;
    view.setRollTimer(true, timerInterval);
}

// The start press, from Idle.
void DrawEngine::Impl::startPress()
{
    state = DrawState::Starting;
    CloseZoom();
    view.drawRollNotice(QStringLiteral("数据准备中"), false);
    view.setMarqueeVisible(true);
    try {
        if (!finishedItemName.isEmpty() && showItemList) {
            ShowWinnersWindow(finishedItemName);
            state = DrawState::Idle;
            return;
        }
        if (view.prizeText() == QStringLiteral("该项目抽取完毕")) {
            showBackground(QString(), QByteArray());
            ShowWinnersWindow(QStringLiteral("全部"));
            state = DrawState::Idle;
            return;
        }
        if (nextItemEnabled) {
            state = DrawState::Idle;
            return;
        }
        CloseZoom();
        if (!LoadCurrentItem()) {
            state = DrawState::Idle;
            return;
        }
        const QString condition = readPressCondition();
        SelectionParams params = pressQuota(db, tempPrefix, currentItemName);
        params.normalMode = host.normalMode();
        params.repeatWins = repeatWins;
        params.mallCycles = host.mallCycles();
        SelectWinners(db, condition, params);
        if (params.normalMode || host.mallOnlyWinnable()) {
            touch();
            rebuildRollingList(condition, false);
            touch();
        }
        startRolling(1);
    } catch (const DbError& e) {
        pressFailed(e.text());
    }
}

// Timer1Timer
void DrawEngine::Impl::timerTick()
{
    if (ended)
        return;
    BusyScope scope(*this);
    view.setRollTimer(false, timerInterval);
    if (state == DrawState::Starting) {
        setButtonPicture("start2.png");
        AccelerateRoll();
        setButtonPicture("stop1.png");
    }
    if (pendingCount > 0)
        motion.RollStep(1, renderer.settings().CellHeight);
    if (state == DrawState::StopRequested) {
        setButtonPicture("stop2.png");
        StopSequence();
        setButtonPicture("start1.png");
        return;
    }
    if (state != DrawState::Idle)
        view.setRollTimer(true, timerInterval);
}

void DrawEngine::Impl::AccelerateRoll()
{
    timerInterval = rollSpeed;
    marqueeWasScrolling = view.marqueeScrolling();
    view.setMarqueeScrolling(false);
    timerInterval = motion.accelerate(rollSpeed, pendingCount != 0);
    // A stop typed while the strip sped up is kept: the tick lands at once.
    if (state == DrawState::Starting)
        state = DrawState::Rolling;
    touch();
}

void DrawEngine::Impl::StopSequence()
{
    BusyScope scope(*this);
    try {
        QSqlQuery r = db.select(QStringLiteral(
            "select NO,List,Memo,PicB from z_user where NO in(select ListNO from z_zj where bz = "
            "'*')"));
        const bool hasWinners = r.next();
        bool landed = false;
        if (hasWinners && !list.isEmpty()) {
            RollingList::Row winner;
            winner.no = r.value(0).toLongLong();
            winner.list = r.value(1).toString();
            winner.memo = r.value(2).toString();
            winner.picB = r.value(3).toString();
            r.finish();
            const QImage picture =
                renderer.settings().ShowCellPictures ? list.picture(winner, ctx.blank) : ctx.blank;
            timerInterval = 1;
            motion.land(winner.list, picture, rollSpeed, host.normalMode());
            landed = true;
        }
        r.finish();
        if (hasWinners)
            db.exec(QStringLiteral("update z_zj set bz = '' where bz = '*'"));
        if (landed && renderer.settings().ShowCellPictures && renderer.settings().ZoomEnabled)
            ShowZoom();
        if (winSoundOn)
            ctx.sound->playOnce(winSound);
        else
            ctx.sound->stop();
        PlayFlashOverlay(3000);
        FinishPress();
        if (!finishedItemName.isEmpty()) {
            nextItemEnabled = !autoContinue;
            pushMenuState();
        }
    } catch (const DbError& e) {
        ctx.dialogs->error(e.text());
    }
    pendingCount = 0;
    touch();
    if (marqueeWasScrolling)
        view.setMarqueeScrolling(true);
    marqueeWasScrolling = false;
    state = DrawState::Idle;
    touch();
}

void DrawEngine::Impl::ShowZoom()
{
    BusyScope scope(*this);
    syncRenderer();
    zoom.show(renderer, motion.zoomSource(), starMask(motion.zoomCaption(), host.starMaskParams()),
              motion.lastFrame());
}

void DrawEngine::Impl::CloseZoom()
{
    if (!view.zoomVisible())
        return;
    BusyScope scope(*this);
    zoom.close();
}

// ---- public face ----

DrawEngine::DrawEngine(AppContext& ctx, DrawHost& host, DrawView& view, int drawKey)
    : d(std::make_unique<Impl>(ctx, host, view, drawKey))
{
}

DrawEngine::~DrawEngine() = default;

void DrawEngine::startRun()
{
    d->startRun();
    d->afterEntry();
}

bool DrawEngine::endRun()
{
    return d->endRun();
}
bool DrawEngine::busy() const
{
    return d->busy != 0;
}

void DrawEngine::keyPress(int charCode)
{
    d->keyPress(charCode);
    d->afterEntry();
}

void DrawEngine::drawButtonPressed()
{
    keyPress(32);
}

void DrawEngine::timerTick()
{
    d->timerTick();
    d->afterEntry();
}

#define VARNEL_COMMAND(call)                                                                       \
    do {                                                                                           \
        d->call;                                                                                   \
        d->afterEntry();                                                                           \
    } while (false)

void DrawEngine::exitDraw()
{
    VARNEL_COMMAND(exitDraw());
}
void DrawEngine::temporaryDraw(const QString& c)
{
    VARNEL_COMMAND(temporaryDraw(c));
}
void DrawEngine::showItemWinners(const QString& c)
{
    VARNEL_COMMAND(showItemWinners(c));
}
void DrawEngine::showAllRolling()
{
    VARNEL_COMMAND(M_ShowAllGDClick());
}
void DrawEngine::skipCurrentItem()
{
    VARNEL_COMMAND(skipCurrentItem());
}
void DrawEngine::toggleAutoContinue()
{
    VARNEL_COMMAND(toggleAutoContinue());
}
void DrawEngine::nextItem()
{
    VARNEL_COMMAND(nextItem());
}
void DrawEngine::addItem()
{
    VARNEL_COMMAND(addItem());
}

#undef VARNEL_COMMAND

DrawState DrawEngine::state() const
{
    return d->state;
}
int DrawEngine::drawKey() const
{
    return d->drawKey;
}
QStringList DrawEngine::itemMenuCaptions() const
{
    return d->menuCaptions;
}
QString DrawEngine::centreText() const
{
    return d->motion.zoomCaption();
}
int DrawEngine::pendingCount() const
{
    return d->pendingCount;
}
QString DrawEngine::currentItemName() const
{
    return d->currentItemName;
}
QString DrawEngine::finishedItemName() const
{
    return d->finishedItemName;
}
QString DrawEngine::tempPrefix() const
{
    return d->tempPrefix;
}
bool DrawEngine::autoContinue() const
{
    return d->autoContinue;
}
bool DrawEngine::nextItemEnabled() const
{
    return d->nextItemEnabled;
}
int DrawEngine::rollSpeed() const
{
    return d->rollSpeed;
}

} // namespace varnel
