// Plan and progress of a draw run, and the popup-menu commands that change the plan.
#include "draw/DrawEngineImpl.h"
#include "draw/DrawHost.h"
#include "draw/DrawView.h"
#include "draw/PressSelection.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Sound.h"
#include "store/AppContext.h"
#include "store/Pictures.h"
#include "store/ProjectDb.h"
#include "store/ProjectStore.h"
#include "store/Settings.h"
#include "store/ValueCodec.h"

namespace varnel {

namespace {

QString lit(const QVariant& v)
{
    return QStringLiteral("'") + sqlQuote(v.toString()) + u'\'';
}

// Max(...) + 1, or 1 when the maximum is empty or not an integer.
int nextNumber(const QVariant& max)
{
    bool ok = false;
    const int n = max.toString().trimmed().toInt(&ok);
    return ok ? n + 1 : 1;
}

int intOf(const QSqlQuery& q, const char* column, int fallback = 0)
{
    bool ok = false;
    const int n = q.value(QString::fromLatin1(column)).toString().trimmed().toInt(&ok);
    return ok ? n : fallback;
}

} // namespace

QString captionItemName(const QString& caption)
{
    const qsizetype at = caption.indexOf(u'(');
    return at < 0 ? caption : caption.left(at);
}

QString itemMenuCaption(const QString& name, int index)
{
    return name + QStringLiteral("(&") + QChar(char16_t(u'A' + index)) + QStringLiteral(")");
}

ResultsFormat DrawEngine::Impl::resultsFormat() const
{
    ResultsFormat f;
    f.winnerColumns = std::max(1, ctx.roll.WinnerColumns);
    f.mask = host.starMaskParams();
    return f;
}

QString DrawEngine::Impl::itemMarquee(const QString& item)
{
    return marqueeText(ItemWinnersText(db, item, resultsFormat(), resultColumnWidth));
}

void DrawEngine::Impl::readEngineSettings()
{
    Settings s(db);
    rollSoundOn = s.flagOffOnlyAtZero(QStringLiteral("滚动有声音"));
    winSoundOn = s.flagOffOnlyAtZero(QStringLiteral("中奖有声音"));
    rollSound = s.readBlob(QStringLiteral("滚动声音"));
    winSound = s.readBlob(QStringLiteral("中奖声音"));
    // Below 1 the step formulas would divide by zero.
    rollSpeed = std::max(1, s.integer(QStringLiteral("滚动显示速度")));
    pressInterval = s.read(QStringLiteral("抽奖间隔"));
    repeatWins = s.flagOffOnlyAtZero(QStringLiteral("可重复中奖"));
    showItemList = s.flagOffOnlyAtZero(QStringLiteral("显示奖项中奖清单"));
    listReversed = s.flagOffOnlyAtZero(QStringLiteral("中奖清单倒序显示"));
}

void DrawEngine::Impl::rebuildPlan()
{
    db.exec(QStringLiteral("delete from log"));
    struct Item {
        QVariant no, name, prize, jpg, tj;
        int count = 0;
        int perPress = 1;
    };
    std::vector<Item> items;
    {
        QSqlQuery q = db.select(QStringLiteral("select * from z_jx order by NO"));
        while (q.next()) {
            Item it;
            it.no = q.value(QStringLiteral("NO"));
            it.name = q.value(QStringLiteral("JXname"));
            it.prize = q.value(QStringLiteral("JPname"));
            it.jpg = q.value(QStringLiteral("JPjpg"));
            it.tj = q.value(QStringLiteral("TJ"));
            it.count = intOf(q, "JXcount");
            // A CQcount below 1 would never finish the item; one winner per press instead.
            it.perPress = std::max(1, intOf(q, "CQcount", 1));
            items.push_back(it);
        }
    }
    db.exec(QStringLiteral("BEGIN"));
    try {
        int xno = 1;
        for (const Item& it : items) {
            for (int indx = 1; indx <= it.count; indx += it.perPress) {
                db.exec(QStringLiteral("insert into log values(") + lit(xno) + u',' + lit(it.no) +
                        u',' + lit(it.name) + u',' + lit(it.prize) + u',' + lit(it.jpg) + u',' +
                        lit(indx) + u',' + lit(it.count) + u',' + lit(it.perPress) + u',' +
                        lit(it.tj) + QStringLiteral(",'')"));
                ++xno;
            }
        }
        db.exec(QStringLiteral("delete from z_log where ZT <> '完成'"));
        db.exec(QStringLiteral(
            "insert into z_log select * from log where XNo not in (select XNo from z_log)"));
        db.exec(QStringLiteral("COMMIT"));
    } catch (const DbError&) {
        try {
            db.exec(QStringLiteral("ROLLBACK"));
        } catch (const DbError&) {
        }
        throw;
    }
}

void DrawEngine::Impl::showFirstTexts()
{
    QSqlQuery q = db.select(QStringLiteral("select * from z_log where ZT <> '完成' order by XNO"));
    view.setPrizePicture(QImage());
    if (q.next()) {
        view.setStatusText(QStringLiteral("准备就绪: 按 空格键 开始/停止抽取"));
        view.setPrizeText(QStringLiteral("开始项目: ") +
                          q.value(QStringLiteral("JXname")).toString());
        return;
    }
    view.setStatusText(QString());
    view.setMarqueeVisible(false);
    if (host.normalMode()) {
        view.setPrizeText(QString());
        view.setRollCaption(QStringLiteral("抽取结束"));
        view.fitRollArea(0);
    } else {
        view.setPrizeText(QStringLiteral("准备就绪"));
    }
}

void DrawEngine::Impl::readMenuCaptions()
{
    menuCaptions.clear();
    QSqlQuery q = db.select(QStringLiteral("select jxname from z_jx order by no"));
    int i = 0;
    while (q.next())
        menuCaptions << itemMenuCaption(q.value(0).toString(), i++);
}

// Draw-run start, after the screen has built its layout.
void DrawEngine::Impl::startRun()
{
    RollSettings rs = ctx.roll;
    if (rs.CellCount != 1 && rs.CellCount != 3 && rs.CellCount != 5)
        rs.CellCount = 5;
    renderer.setSettings(rs);
    motion.setBlank(ctx.blank);
    background = view.background();
    PlayFlashOverlay(1);
    resultColumnWidth = 0;
    try {
        const QVariant init =
            db.scalar(QStringLiteral("select var from z_set where name = '初始化'"));
        if (init.toString() != QStringLiteral("1")) {
            if (init.isValid())
                db.exec(QStringLiteral("update z_set set var = '1' where name = '初始化'"));
            else
                db.exec(QStringLiteral("insert into z_set(name,var) values('初始化','1')"));
            host.showNotice(QStringLiteral("初始化名单数据..."));
            db.exec(QStringLiteral("delete from zz_user"));
            db.exec(
                QStringLiteral("insert into zz_user(NO) select NO from z_user order by random()"));
        }
        host.showNotice(QStringLiteral("加载名单数据..."));
        ensureDrawIndexes(db);
        list.open(db, fullRollingListSql());
        host.hideNotice();
        readEngineSettings();
        rebuildPlan();
        showFirstTexts();
        readMenuCaptions();
    } catch (const DbError& e) {
        host.hideNotice();
        ctx.dialogs->error(e.text());
    }
    pushMenuState();
}

bool DrawEngine::Impl::endRun()
{
    if (busy != 0) {
        closePending = true;
        return false;
    }
    if (ended)
        return true;
    ended = true;
    view.setRollTimer(false, timerInterval);
    ctx.sound->stop();
    rollSound.clear();
    winSound.clear();
    try {
        // The pending winners of an unfinished press are not winners.
        discardPressWinners(db);
    } catch (const DbError& e) {
        ctx.dialogs->error(e.text());
    }
    list.close();
    state = DrawState::Idle;
    return true;
}

void DrawEngine::Impl::showBackground(const QString& fileName, const QByteArray& blob)
{
    // ShowBackground: the item's own background, else the project's, else the blank picture.
    QByteArray bytes = blob;
    bool useBlank = false;
    if (fileName.isEmpty()) {
        Settings s(db);
        const QString key = QStringLiteral("抽奖界面背景图");
        useBlank = s.read(key).isEmpty();
        bytes = useBlank ? QByteArray() : s.readBlob(key);
    }
    // Most presses show the same picture again: decoding it once keeps the start press quick
    // and the rolling area's cached background valid.
    const size_t key = useBlank ? 0 : qHash(bytes) ^ size_t(bytes.size());
    if (background.isNull() || key != backgroundKey || useBlank != backgroundIsBlank) {
        background = useBlank ? ctx.blank : LoadJpegBlob(bytes, ctx.blank);
        backgroundKey = key;
        backgroundIsBlank = useBlank;
    }
    view.setBackground(background);
}

void DrawEngine::Impl::showItemPictures(qint64 itemNo)
{
    QSqlQuery q =
        db.select(QStringLiteral("select * from z_jx where NO = ") + QString::number(itemNo));
    QString jpg, bjName;
    QByteArray pic, bj;
    if (q.next()) {
        jpg = q.value(QStringLiteral("JPjpg")).toString();
        pic = q.value(QStringLiteral("Pic")).toByteArray();
        bjName = q.value(QStringLiteral("BJjpg")).toString();
        bj = q.value(QStringLiteral("Bj")).toByteArray();
    }
    if (jpg.isEmpty())
        view.setPrizePicture(QImage());
    else
        view.setPrizePicture(loadPictureBlobByName(jpg, pic, ctx.blank));
    showBackground(bjName, bj);
}

bool DrawEngine::Impl::LoadCurrentItem()
{
    QSqlQuery q = db.select(
        QStringLiteral("select rowid as rid,* from z_log where ZT <> '完成' order by XNO"));
    if (!q.next()) {
        q.finish();
        if (!host.normalMode())
            return registerDrawer();
        showBackground(QString(), QByteArray());
        view.setRollCaption(QStringLiteral("抽取结束"));
        view.fitRollArea(0);
        view.setStatusText(QString());
        view.setPrizeText(QStringLiteral("该项目抽取完毕"));
        view.setPrizePicture(QImage());
        return false;
    }
    const int indx = intOf(q, "indx", 1);
    const int count = intOf(q, "count");
    const int per = std::max(1, intOf(q, "CQcount", 1));
    const int last = std::min(per + indx - 1, count);
    currentItemName = q.value(QStringLiteral("JXname")).toString();
    const QString head =
        QStringLiteral("正在抽取: ") + tempPrefix + currentItemName + QStringLiteral(" (");
    if (per > 1 && indx != last)
        view.setStatusText(head + QString::number(indx) + u'-' + QString::number(last) + u'/' +
                           QString::number(count) + u')');
    else
        view.setStatusText(head + QString::number(indx) + u'/' + QString::number(count) + u')');
    view.setPrizeText(QStringLiteral("当前项目: ") + q.value(QStringLiteral("JPname")).toString());
    const qint64 rid = q.value(QStringLiteral("rid")).toLongLong();
    const qint64 itemNo = q.value(QStringLiteral("NO")).toLongLong();
    q.finish();
    db.exec(QStringLiteral("update z_log set ZT = '进行中' where rowid = ?"), {rid});
    try {
        showItemPictures(itemNo);
    } catch (const DbError&) {
        view.setPrizePicture(ctx.blank);
    }
    view.setMarqueeText(itemMarquee(currentItemName));
    view.setMarqueeVisible(true);
    return true;
}

// Mall mode: every start press after the previous drawer registers the next one.
bool DrawEngine::Impl::registerDrawer()
{
    QString name;
    if (host.mallRegisterDrawer()) {
        name =
            ctx.dialogs->inputBox(QStringLiteral("输入"), QStringLiteral("抽奖人信息:"), QString())
                .value_or(QString());
    } else {
        name = ctx.clock->now().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
    }
    if (name.isEmpty() || !AddAdHocItem(name)) {
        showBackground(QString(), QByteArray());
        view.setStatusText(QString());
        view.setPrizeText(QStringLiteral("准备就绪"));
        view.setPrizePicture(QImage());
        return false;
    }
    CloseZoom();
    const bool ok = LoadCurrentItem();
    view.setRollCaption(ok ? QStringLiteral("单击继续") : QStringLiteral("抽取结束"));
    view.fitRollArea(0);
    return ok;
}

void DrawEngine::Impl::FinishPress()
{
    QSqlQuery q = db.select(QStringLiteral("select * from z_log where ZT <> '完成' order by XNO"));
    const bool hasRow = q.next();
    const QString item = hasRow ? q.value(QStringLiteral("JXname")).toString() : QString();
    if (!tempPrefix.isEmpty()) {
        if (hasRow) {
            view.setPrizeText(QStringLiteral("临时项目抽取完毕, 继续抽取项目: ") + item);
        } else {
            view.setPrizeText(QStringLiteral("该项目抽取完毕"));
            view.setStatusText(QString());
        }
        tempPrefix.clear();
    } else if (hasRow) {
        const int indx = intOf(q, "indx", 1);
        const int count = intOf(q, "count");
        const int per = std::max(1, intOf(q, "CQcount", 1));
        if (count < indx + per) {
            finishedItemName = q.value(QStringLiteral("jxname")).toString();
            if (!q.next()) {
                view.setPrizeText(host.normalMode() ? QStringLiteral("该项目抽取完毕")
                                                    : QStringLiteral("准备就绪"));
                view.setStatusText(QString());
            } else {
                view.setPrizeText(QStringLiteral("当前项目抽取完毕, 下一项目: ") +
                                  q.value(QStringLiteral("JXname")).toString());
            }
        }
        q.finish();
        db.exec(QStringLiteral("update z_log set ZT = '完成' where ZT = '进行中'"));
    }
    q.finish();
    if (view.marqueeVisible())
        view.setMarqueeText(itemMarquee(item));
}

bool DrawEngine::Impl::AddAdHocItem(const QString& name)
{
    const int taken = db.scalar(QStringLiteral("select Count(*)sl from z_jx where JXname = '") +
                                sqlQuote(name) + u'\'')
                          .toInt();
    if (taken != 0) {
        ctx.dialogs->message(QStringLiteral("项目名称重复"));
        return false;
    }
    db.exec(QStringLiteral("update z_log set ZT = '' where ZT <> '完成'"));
    const int no = nextNumber(db.scalar(QStringLiteral("select Max(NO)NO from z_jx")));
    const int xno = nextNumber(db.scalar(QStringLiteral("select Max(XNO)NO from z_log")));
    const QString condition = host.normalMode() ? Settings(db).read(QStringLiteral("默认条件"))
                                                : mallTimeCondition(db, ctx.clock->now());
    db.exec(QStringLiteral("insert into z_jx(NO,JXname,JPname,JPjpg,BJjpg,JXcount,CQcount,TJ) "
                           "values(?,?,?,'','',1,1,?)"),
            {no, name, name, condition});
    db.exec(QStringLiteral("insert into z_log(XNO,NO,JXname,JPname,indx,count,CQcount,TJ,ZT) "
                           "values(?,?,?,?,1,1,1,?,' ')"),
            {xno, no, name, name, condition});
    return true;
}

void DrawEngine::Impl::afterPlanChange()
{
    CloseZoom();
    const bool ok = LoadCurrentItem();
    view.setRollCaption(ok ? QStringLiteral("单击继续") : QStringLiteral("抽取结束"));
    view.fitRollArea(0);
}

// "跳过当前项目": also aborts a running roll.
void DrawEngine::Impl::skipCurrentItem()
{
    if (busy != 0 || ended)
        return; // a landing or zoom is using the plan row and the strip
    stopRoll();
    try {
        if (state != DrawState::Idle) {
            state = DrawState::Idle;
            pendingCount = 0;
            discardPressWinners(db);
        }
        if (!tempPrefix.isEmpty()) {
            tempPrefix.clear();
            afterPlanChange();
            return;
        }
        db.exec(QStringLiteral("update z_log set ZT = '' where ZT <> '完成'"));
        QSqlQuery q =
            db.select(QStringLiteral("select * from z_log where ZT <> '完成' order by XNO"));
        if (!q.next())
            return;
        const int n = intOf(q, "NO");
        const int p = intOf(q, "XNO");
        q.finish();
        if (itemAlreadyDrawn(db, n)) {
            ctx.dialogs->message(
                QStringLiteral("需移动位置的奖项已开奖,只能调整未开奖的奖项顺序!"));
            return;
        }
        // The highest number of both tables: an item without plan rows keeps its own number.
        const int m =
            std::max(nextNumber(db.scalar(QStringLiteral("select Max(NO) NO from z_log"))) - 1,
                     nextNumber(db.scalar(QStringLiteral("select Max(NO) NO from z_jx"))) - 1);
        const QString N = QString::number(n);
        const QString M1 = QString::number(std::max(m, 1) + 1);
        db.exec(QStringLiteral("Begin"));
        try {
            db.exec(QStringLiteral("update z_log set NO = '") + M1 +
                    QStringLiteral("' where No = '") + N + u'\'');
            db.exec(QStringLiteral("update z_log set NO = NO - 1 where No > '") + N + u'\'');
            std::vector<qint64> rows;
            {
                QSqlQuery r = db.select(QStringLiteral("select rowid from z_log where No >= '") +
                                        N + QStringLiteral("' order by NO,XNO"));
                while (r.next())
                    rows.push_back(r.value(0).toLongLong());
            }
            int xno = p;
            for (qint64 rid : rows)
                db.exec(QStringLiteral("update z_log set XNO = ? where rowid = ?"), {xno++, rid});
            db.exec(QStringLiteral("update z_jx set NO = '") + M1 +
                    QStringLiteral("' where No = '") + N + u'\'');
            db.exec(QStringLiteral("update z_jx set NO = NO - 1 where No > '") + N + u'\'');
            db.exec(QStringLiteral("commit"));
        } catch (const DbError&) {
            try {
                db.exec(QStringLiteral("rollback"));
            } catch (const DbError&) {
            }
            throw;
        }
        afterPlanChange();
    } catch (const DbError& e) {
        ctx.dialogs->error(e.text());
    }
}

void DrawEngine::Impl::addItem()
{
    if (state != DrawState::Idle || busy != 0) {
        ctx.dialogs->message(QStringLiteral("有奖项正在抽取,无法新建"));
        return;
    }
    const QString name =
        ctx.dialogs->inputBox(QStringLiteral("输入"), QStringLiteral("项目名称:"), QString())
            .value_or(QString());
    if (name.isEmpty())
        return;
    try {
        if (AddAdHocItem(name))
            afterPlanChange();
    } catch (const DbError& e) {
        ctx.dialogs->error(e.text());
    }
}

void DrawEngine::Impl::temporaryDraw(const QString& caption)
{
    // Only between presses: rolling on, it would replace the pending winners of the press.
    if (!idleAndFree())
        return;
    const QString name = captionItemName(caption);
    CloseZoom();
    tempPrefix = QStringLiteral("[临]");
    try {
        QSqlQuery q = db.select(QStringLiteral("select * from z_jx where jxname = '") +
                                sqlQuote(name) + u'\'');
        if (!q.next())
            return;
        currentItemName = q.value(QStringLiteral("JXname")).toString();
        const qint64 itemNo = q.value(QStringLiteral("NO")).toLongLong();
        const QString tj = q.value(QStringLiteral("TJ")).toString();
        view.setStatusText(QStringLiteral("正在抽取: ") + tempPrefix + currentItemName +
                           QStringLiteral(" (1/1)"));
        view.setPrizeText(QStringLiteral("当前项目: ") +
                          q.value(QStringLiteral("JPname")).toString());
        q.finish();
        try {
            showItemPictures(itemNo);
        } catch (const DbError&) {
            view.setPrizePicture(ctx.blank);
        }
        const QString condition = pressCondition(QString::number(itemNo), tj);
        SelectionParams params;
        params.itemName = tempPrefix + currentItemName;
        params.quota = 1;
        params.normalMode = host.normalMode();
        params.repeatWins = repeatWins;
        params.mallCycles = host.mallCycles();
        SelectWinners(db, condition, params);
        if (params.normalMode)
            rebuildRollingList(condition, true);
        startRolling(timerInterval);
        if (state == DrawState::Idle)
            state = DrawState::Starting;
    } catch (const DbError& e) {
        pressFailed(e.text());
    }
}

void DrawEngine::Impl::exitDraw()
{
    if (state == DrawState::Starting || ended)
        return;
    if (busy != 0) {
        closePending = true;
        return;
    }
    if (!host.normalMode())
        host.refreshMallPageIfShown();
    view.closeScreen();
}

void DrawEngine::Impl::nextItem()
{
    if (state == DrawState::Starting || busy != 0)
        return;
    if (!showItemList)
        finishedItemName.clear();
    nextItemEnabled = false;
    pushMenuState();
}

void DrawEngine::Impl::toggleAutoContinue()
{
    if (state == DrawState::Starting)
        return;
    autoContinue = !autoContinue;
    pushMenuState();
}

} // namespace varnel
