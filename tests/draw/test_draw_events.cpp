// Keys, menu commands and closes that arrive while the strip speeds up, lands or zooms.
#include "DrawRig.h"

#include <QFile>

using namespace varnel;

namespace {

struct EventRig : DrawRig {
    explicit EventRig(int speed = 40)
    {
        tp.addParticipants(12);
        tp.addItem(QStringLiteral("A"), 2, QString(), 1);
        tp.addItem(QStringLiteral("B"), 1);
        set("滚动显示速度", QString::number(speed));
        open();
    }
};

} // namespace

class TestDrawEvents : public QObject {
    Q_OBJECT
private slots:
    void stopDuringAcceleration();
    void stopBeforeFirstTick();
    void closeDuringRollDiscardsPending();
    void closeDuringLandingWaits();
    void commandsDuringLandingAreRefused();
    void commandsWhileRolling();
    void nobodyEligible();
    void soundsButtonAndMarquee();
};

void TestDrawEvents::stopDuringAcceleration()
{
    EventRig rig;
    rig.engine->keyPress(32);
    bool sent = false;
    rig.view->onRollFrame = [&] {
        if (!sent && rig.engine->state() == DrawState::Starting) {
            sent = true;
            rig.engine->keyPress(32);
        }
    };
    rig.engine->timerTick();
    QVERIFY(sent);
    QCOMPARE(rig.engine->state(), DrawState::Idle);
    QVERIFY(!rig.view->timerOn);
    QCOMPARE(rig.winners(QStringLiteral("A")).size(), 1);
    QCOMPARE(rig.pendingRows(), 0);
    QCOMPARE(rig.engine->centreText(), rig.winners(QStringLiteral("A")).value(0).toString());
}

void TestDrawEvents::stopBeforeFirstTick()
{
    EventRig rig;
    rig.engine->keyPress(32);
    rig.engine->keyPress(32);
    QCOMPARE(rig.engine->state(), DrawState::StopRequested);
    rig.engine->keyPress(32); // ignored while the stop is pending
    QCOMPARE(rig.engine->state(), DrawState::StopRequested);
    rig.engine->timerTick();
    QCOMPARE(rig.engine->state(), DrawState::Idle);
    QCOMPARE(rig.engine->centreText(), rig.winners(QStringLiteral("A")).value(0).toString());
}

void TestDrawEvents::closeDuringRollDiscardsPending()
{
    EventRig rig;
    rig.engine->keyPress(32);
    rig.engine->timerTick();
    QCOMPARE(rig.engine->state(), DrawState::Rolling);
    QCOMPARE(rig.pendingRows(), 1);
    QVERIFY(rig.engine->endRun());
    QCOMPARE(rig.pendingRows(), 0);
    QCOMPARE(rig.tp.count(QStringLiteral("z_zj")), 0);
    QVERIFY(!rig.view->timerOn);
    QCOMPARE(rig.tp.sound().calls.last(), QStringLiteral("stop"));
    rig.engine->timerTick(); // a late tick after the close does nothing
    QCOMPARE(rig.tp.count(QStringLiteral("z_zj")), 0);
    // The row of the unfinished press is drawn again next time.
    rig.engine.reset();
    rig.open();
    QCOMPARE(rig.planStates(), (QVariantList{"", "", ""}));
}

void TestDrawEvents::closeDuringLandingWaits()
{
    EventRig rig;
    rig.engine->keyPress(32);
    rig.engine->timerTick();
    rig.engine->keyPress(32);
    QList<bool> answers;
    rig.view->onProcessEvents = [&] {
        if (answers.isEmpty()) {
            answers << rig.engine->busy();
            answers << rig.engine->endRun();
        }
    };
    rig.view->onClose = [&] { answers << rig.engine->endRun(); };
    rig.engine->timerTick();
    QCOMPARE(answers, (QList<bool>{true, false, true}));
    QCOMPARE(rig.view->closeRequests, 1);
    // The landing finished and confirmed its winner before the screen closed.
    QCOMPARE(rig.winners(QStringLiteral("A")).size(), 1);
    QCOMPARE(rig.pendingRows(), 0);
    QCOMPARE(rig.planStates().value(0).toString(), QStringLiteral("完成"));
}

void TestDrawEvents::commandsDuringLandingAreRefused()
{
    EventRig rig;
    rig.tp.ctx().roll.ShowCellPictures = true;
    rig.tp.ctx().roll.ZoomEnabled = true;
    rig.open();
    rig.engine->keyPress(32);
    rig.engine->timerTick();
    rig.engine->keyPress(32);
    bool done = false;
    rig.view->onProcessEvents = [&] {
        if (done)
            return;
        done = true;
        rig.engine->skipCurrentItem();
        rig.engine->temporaryDraw(QStringLiteral("B(&B)"));
        rig.engine->showItemWinners(QStringLiteral("全部(&Q)"));
        rig.engine->showAllRolling();
        rig.engine->nextItem();
        rig.engine->addItem();
        rig.engine->keyPress(32); // StopRequested: ignored
        rig.engine->exitDraw();   // waits for the landing
        QCOMPARE(rig.view->closeRequests, 0);
    };
    rig.engine->timerTick();
    QVERIFY(done);
    QCOMPARE(rig.tp.dialogs().texts(), QStringList{"有奖项正在抽取,无法新建"});
    QCOMPARE(rig.view->winnersRequests.size(), 0);
    QCOMPARE(rig.tp.column(QStringLiteral("select JXname from z_jx order by NO")),
             (QVariantList{"A", "B"}));
    QCOMPARE(rig.planStates(), (QVariantList{"完成", "", ""}));
    QCOMPARE(rig.tp.count(QStringLiteral("z_zj")), 1);
    QCOMPARE(rig.view->closeRequests, 1);
    QVERIFY(rig.view->zoomFrames > 10);
}

void TestDrawEvents::commandsWhileRolling()
{
    EventRig rig;
    rig.engine->keyPress(32);
    rig.engine->timerTick();
    rig.engine->showItemWinners(QStringLiteral("A(&A)"));
    rig.engine->temporaryDraw(QStringLiteral("B(&B)"));
    rig.engine->showAllRolling();
    QCOMPARE(rig.view->winnersRequests.size(), 0);
    QCOMPARE(rig.engine->tempPrefix(), QString());
    QVERIFY(rig.view->timerOn); // the roll goes on
    rig.engine->keyPress(32);
    rig.tickWhileOn();
    QCOMPARE(rig.winners(QStringLiteral("A")).size(), 1);
    // Between presses they run.
    rig.engine->showItemWinners(QStringLiteral("A(&A)"));
    QCOMPARE(rig.view->winnersRequests.size(), 1);
    QCOMPARE(rig.view->winnersRequests[0].itemName, QStringLiteral("A"));
    rig.engine->showAllRolling();
    QCOMPARE(rig.view->winnersRequests.size(), 2);
    QCOMPARE(rig.view->winnersRequests[1].itemName, QString());
    QVERIFY(!rig.view->winnersRequests[1].printMenu);
    QVERIFY(rig.view->notices.contains(QStringLiteral("数据整理中")));
}

void TestDrawEvents::nobodyEligible()
{
    DrawRig rig;
    rig.tp.addParticipants(3, QStringLiteral("人"), 1);
    rig.tp.addItem(QStringLiteral("A"), 1); // unmarked only: nobody
    rig.open();
    rig.engine->keyPress(32);
    QCOMPARE(rig.view->rollCaption(), QStringLiteral("空"));
    QCOMPARE(rig.engine->pendingCount(), 0);
    QVERIFY(rig.view->notices.contains(QStringLiteral("数据准备中")));
    const int frames = rig.view->rollFrames;
    rig.engine->timerTick();
    QCOMPARE(rig.view->rollFrames, frames); // the strip does not move
    QVERIFY(rig.view->timerOn);
    rig.engine->keyPress(32);
    rig.tickWhileOn();
    QCOMPARE(rig.engine->state(), DrawState::Idle);
    QCOMPARE(rig.planStates(), QVariantList{"完成"});
    QCOMPARE(rig.tp.count(QStringLiteral("z_zj")), 0);
    QCOMPARE(rig.tp.sound().calls.last().left(5), QStringLiteral("once:"));
}

void TestDrawEvents::soundsButtonAndMarquee()
{
    EventRig rig;
    rig.set("中奖有声音", QStringLiteral("0"));
    rig.open();
    rig.view->buttonVisible = true;
    QVERIFY(QFile::remove(rig.tp.file(QStringLiteral("stop1.png"))));
    const QImage start1(rig.tp.file(QStringLiteral("start1.png")));
    const QImage start2(rig.tp.file(QStringLiteral("start2.png")));
    QVERIFY(!start1.isNull() && !start2.isNull());
    rig.view->setMarqueeScrolling(true);
    rig.engine->keyPress(32);
    QVERIFY(rig.tp.sound().calls.last().startsWith(QStringLiteral("loop:")));
    rig.engine->timerTick();
    QVERIFY(!rig.view->marqueeScrolling());
    // stop1.png is missing: start2.png stays.
    QCOMPARE(rig.view->buttonPicture, start2);
    rig.engine->keyPress(32);
    rig.engine->timerTick();
    QCOMPARE(rig.view->buttonPicture, start1);
    QVERIFY(rig.view->marqueeScrolling());
    // Win sound off: the rolling loop stops at the stop.
    QCOMPARE(rig.tp.sound().calls.last(), QStringLiteral("stop"));
}

QTEST_MAIN(TestDrawEvents)
#include "test_draw_events.moc"
