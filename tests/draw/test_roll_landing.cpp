// The landing: whatever the speed, cell count, direction or length of the rolling list, the
// first pending winner comes to rest in the centre cell.
#include "DrawRig.h"
#include "draw/RollMotion.h"

using namespace varnel;

class TestRollLanding : public QObject {
    Q_OBJECT
private slots:
    void schedule_data();
    void schedule();
    void winnerRestsInTheCentre_data();
    void winnerRestsInTheCentre();
    void threeWinnersOneLandedAllConfirmed();
};

void TestRollLanding::schedule_data()
{
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("passes");
    QTest::addColumn<int>("firstSleep");
    QTest::addColumn<int>("firstStep");

    QTest::newRow("10/30") << 10 << 30 << 5 << 3 << 24;
    QTest::newRow("40/30") << 40 << 30 << 20 << 3 << 28;
    QTest::newRow("200/30") << 200 << 30 << 96 << 3 << 30;
    QTest::newRow("40/1 jumps at once") << 40 << 1 << 1 << 40 << 1;
}

void TestRollLanding::schedule()
{
    QFETCH(int, speed);
    QFETCH(int, height);
    QFETCH(int, passes);
    QFETCH(int, firstSleep);
    QFETCH(int, firstStep);
    const std::vector<RollPass> p = decelerationPasses(speed, height);
    QCOMPARE(int(p.size()), passes);
    QCOMPARE(p.front().sleepMs, firstSleep);
    QCOMPARE(p.front().stepPx, firstStep);
    QCOMPARE(p.back().sleepMs, speed);
    for (size_t i = 1; i < p.size(); ++i)
        QVERIFY(p[i].sleepMs >= p[i - 1].sleepMs && p[i].stepPx <= p[i - 1].stepPx);
}

void TestRollLanding::winnerRestsInTheCentre_data()
{
    QTest::addColumn<int>("cells");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<int>("participants");
    QTest::addColumn<int>("cellHeight");

    for (int cells : {1, 3, 5})
        for (bool horizontal : {false, true})
            for (int participants : {1, 7}) {
                const QByteArray name = QByteArray::number(cells) +
                                        (horizontal ? " across" : " down") + ", " +
                                        QByteArray::number(participants) + " rolling";
                QTest::newRow(name.constData()) << cells << horizontal << participants << 30;
            }
    // Flat cells give the slow landing fewer passes than the strip needs.
    QTest::newRow("5 down, flat cells") << 5 << false << 3 << 2;
    QTest::newRow("1 across, flat cells") << 1 << true << 3 << 2;
}

void TestRollLanding::winnerRestsInTheCentre()
{
    QFETCH(int, cells);
    QFETCH(bool, horizontal);
    QFETCH(int, participants);
    QFETCH(int, cellHeight);

    DrawRig rig;
    RollSettings& rs = rig.tp.ctx().roll;
    rs.CellCount = cells;
    rs.HorizontalRoll = horizontal;
    rs.CellHeight = cellHeight;
    rs.CellWidth = 48;
    rig.tp.addParticipants(participants, QStringLiteral("参与者"));
    rig.tp.addItem(QStringLiteral("奖"), 1);
    // Winners stay in the roll, so the list keeps its length from press to press.
    rig.set("可重复中奖", QStringLiteral("-1"));
    rig.set("抽奖界面背景图", QString()); // the blank picture: no JPEG to decode per open
    for (int speed = 1; speed <= 200; ++speed) {
        rig.tp.db().exec(QStringLiteral("delete from z_log"));
        rig.tp.db().exec(QStringLiteral("delete from z_zj"));
        rig.set("滚动显示速度", QString::number(speed));
        rig.open();
        rig.engine->keyPress(32);
        rig.engine->timerTick();
        const QString winner =
            rig.tp
                .column(QStringLiteral(
                    "select List from z_user where NO in(select ListNO from z_zj where bz = '*')"))
                .value(0)
                .toString();
        QVERIFY(!winner.isEmpty());
        rig.engine->keyPress(32);
        rig.engine->timerTick();
        QCOMPARE(rig.engine->state(), DrawState::Idle);
        if (rig.engine->centreText() != winner)
            QFAIL(qPrintable(QStringLiteral("speed %1: centre %2, winner %3")
                                 .arg(speed)
                                 .arg(rig.engine->centreText(), winner)));
    }
}

void TestRollLanding::threeWinnersOneLandedAllConfirmed()
{
    DrawRig rig;
    rig.tp.ctx().roll.CellCount = 3;
    rig.tp.ctx().roll.ShowCellPictures = true;
    rig.tp.ctx().roll.ZoomEnabled = true;
    rig.tp.addParticipants(12);
    rig.tp.addItem(QStringLiteral("奖"), 3, QString(), 3);
    rig.set("滚动显示速度", QStringLiteral("40"));
    rig.open();
    rig.engine->keyPress(32);
    QCOMPARE(rig.engine->pendingCount(), 3);
    QCOMPARE(rig.view->rollCaption(), QString());
    QCOMPARE(rig.view->rollArea().size(), QSize(120, 90));
    rig.engine->timerTick();
    QCOMPARE(rig.view->timerInterval, 1);
    const int framesBefore = rig.view->rollFrames;
    rig.engine->keyPress(32);
    rig.engine->timerTick();
    QVERIFY(rig.view->rollFrames > framesBefore);
    const QVariantList won = rig.winners(QStringLiteral("奖"));
    QCOMPARE(won.size(), 3);
    QVERIFY(won.contains(rig.engine->centreText()));
    QCOMPARE(rig.pendingRows(), 0);
    // The zoom shows the landed cell at CellHeight x 2.6.
    QVERIFY(rig.view->zoomVisible());
    QCOMPARE(rig.view->zoomGeometry(), QRect(418 - 312 / 2, 365 - 78 / 2, 312, 78));
    QCOMPARE(rig.view->lastZoomFrame.size(), QSize(312, 78));
    QCOMPARE(rig.tp.sound().calls.last().left(5), QStringLiteral("once:"));
    // The next press closes it.
    rig.engine->keyPress(32);
    QVERIFY(!rig.view->zoomVisible());
}

QTEST_MAIN(TestRollLanding)
#include "test_roll_landing.moc"
