// Draw plan and progress: plan build, resume, skip, add, temporary draws, item ends.
#include "DrawRig.h"

using namespace varnel;

class TestDrawPlan : public QObject {
    Q_OBJECT
private slots:
    void planRowsAndStatusTexts_data();
    void planRowsAndStatusTexts();
    void reshuffleAndFirstTexts();
    void resumeKeepsFinishedRows();
    void skipMovesItemToTheEnd();
    void skipRefusedAfterADrawnPress();
    void addItem();
    void temporaryDrawKeepsThePlan();
    void endOfItemAndPlan();
    void autoContinueOff();
    void menuCaptionsContinuePastZ();
    void quotesInNamesAndConditions();
};

void TestDrawPlan::planRowsAndStatusTexts_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("perPress");
    QTest::addColumn<QVariantList>("indx");
    QTest::addColumn<QStringList>("status");
    QTest::addColumn<QVariantList>("winnersPerPress");

    QTest::newRow("10 by 3") << 10 << 3 << QVariantList{1, 4, 7, 10}
                             << QStringList{"(1-3/10)", "(4-6/10)", "(7-9/10)", "(10/10)"}
                             << QVariantList{3, 3, 3, 1};
    QTest::newRow("5 by 1") << 5 << 1 << QVariantList{1, 2, 3, 4, 5}
                            << QStringList{"(1/5)", "(2/5)", "(3/5)", "(4/5)", "(5/5)"}
                            << QVariantList{1, 1, 1, 1, 1};
    QTest::newRow("none") << 0 << 1 << QVariantList{} << QStringList{} << QVariantList{};
    // A stored CQcount of 0 would never end the plan build: one winner per press.
    QTest::newRow("CQcount 0") << 2 << 0 << QVariantList{1, 2} << QStringList{"(1/2)", "(2/2)"}
                               << QVariantList{1, 1};
}

void TestDrawPlan::planRowsAndStatusTexts()
{
    QFETCH(int, count);
    QFETCH(int, perPress);
    QFETCH(QVariantList, indx);
    QFETCH(QStringList, status);
    QFETCH(QVariantList, winnersPerPress);

    DrawRig rig;
    rig.tp.addParticipants(30);
    rig.tp.addItem(QStringLiteral("一等奖"), count, QString(), perPress);
    rig.open();
    QCOMPARE(rig.tp.column(QStringLiteral("select indx from z_log order by XNO")), indx);
    for (qsizetype i = 0; i < status.size(); ++i) {
        rig.engine->keyPress(32);
        QCOMPARE(rig.view->statusText(), QStringLiteral("正在抽取: 一等奖 ") + status[i]);
        rig.engine->timerTick();
        rig.engine->keyPress(32);
        rig.tickWhileOn();
        QCOMPARE(rig.engine->state(), DrawState::Idle);
        QCOMPARE(rig.tp
                     .column(QStringLiteral(
                         "select count(*) from z_zj where JXname = '一等奖' and BZ = ''"))
                     .value(0)
                     .toInt(),
                 [&] {
                     int sum = 0;
                     for (qsizetype k = 0; k <= i; ++k)
                         sum += winnersPerPress[k].toInt();
                     return sum;
                 }());
    }
    QCOMPARE(rig.pendingRows(), 0);
    for (const QVariant& zt : rig.planStates())
        QCOMPARE(zt.toString(), QStringLiteral("完成"));
}

void TestDrawPlan::reshuffleAndFirstTexts()
{
    DrawRig rig;
    rig.tp.addParticipants(50);
    rig.tp.addItem(QStringLiteral("三等奖"), 2);
    rig.tp.db().exec(QStringLiteral("delete from z_set where name = '初始化'"));
    rig.open();
    QCOMPARE(rig.tp.column(QStringLiteral("select var from z_set where name = '初始化'")),
             QVariantList{QStringLiteral("1")});
    QCOMPARE(rig.tp.count(QStringLiteral("zz_user")), 50);
    QCOMPARE(rig.host.notices, (QStringList{"初始化名单数据...", "加载名单数据...", QString()}));
    QCOMPARE(rig.view->statusText(), QStringLiteral("准备就绪: 按 空格键 开始/停止抽取"));
    QCOMPARE(rig.view->prizeText(), QStringLiteral("开始项目: 三等奖"));

    // "1" keeps the working list: no second shuffle.
    rig.tp.db().exec(QStringLiteral("delete from zz_user where NO > 10"));
    rig.host.notices.clear();
    rig.open();
    QCOMPARE(rig.tp.count(QStringLiteral("zz_user")), 10);
    QCOMPARE(rig.host.notices, (QStringList{"加载名单数据...", QString()}));

    // "0" (data changed) shuffles again.
    rig.tp.db().exec(QStringLiteral("update z_set set var = '0' where name = '初始化'"));
    rig.open();
    QCOMPARE(rig.tp.count(QStringLiteral("zz_user")), 50);

    // Nothing to draw: "抽取结束".
    DrawRig empty;
    empty.open();
    QCOMPARE(empty.view->rollCaption(), QStringLiteral("抽取结束"));
    QCOMPARE(empty.view->statusText(), QString());
    QCOMPARE(empty.view->prizeText(), QString());
}

void TestDrawPlan::resumeKeepsFinishedRows()
{
    DrawRig rig;
    rig.tp.addParticipants(40);
    rig.tp.addItem(QStringLiteral("A"), 4, QString(), 1);
    rig.tp.addItem(QStringLiteral("B"), 2, QString(), 1);
    rig.open();
    rig.press();
    rig.press();
    rig.engine->keyPress(32); // third press starts: its row is "进行中"
    QCOMPARE(rig.planStates().value(2).toString(), QStringLiteral("进行中"));
    QVERIFY(rig.close());
    QCOMPARE(rig.pendingRows(), 0);

    rig.open();
    QCOMPARE(rig.tp.column(QStringLiteral("select XNO from z_log order by XNO")),
             (QVariantList{1, 2, 3, 4, 5, 6}));
    QCOMPARE(rig.planStates(), (QVariantList{"完成", "完成", "", "", "", ""}));
    QCOMPARE(rig.view->prizeText(), QStringLiteral("开始项目: A"));
    rig.engine->keyPress(32);
    QCOMPARE(rig.view->statusText(), QStringLiteral("正在抽取: A (3/4)"));
    QCOMPARE(rig.winners(QStringLiteral("A")).size(), 2);
}

void TestDrawPlan::skipMovesItemToTheEnd()
{
    DrawRig rig;
    rig.tp.addParticipants(20);
    rig.tp.addItem(QStringLiteral("A"), 2, QString(), 1);
    rig.tp.addItem(QStringLiteral("B"), 1);
    rig.tp.addItem(QStringLiteral("C"), 1);
    rig.open();
    rig.engine->keyPress(32); // rolling A: the skip aborts the roll
    rig.engine->timerTick();
    rig.engine->skipCurrentItem();
    QCOMPARE(rig.engine->state(), DrawState::Idle);
    QVERIFY(!rig.view->timerOn);
    QCOMPARE(rig.pendingRows(), 0);
    QCOMPARE(rig.tp.column(QStringLiteral("select JXname from z_jx order by NO")),
             (QVariantList{"B", "C", "A"}));
    QCOMPARE(rig.tp.column(QStringLiteral("select NO from z_jx order by NO")),
             (QVariantList{1, 2, 3}));
    QCOMPARE(
        rig.tp.column(QStringLiteral("select JXname||':'||NO||':'||XNO from z_log order by XNO")),
        (QVariantList{"B:1:1", "C:2:2", "A:3:3", "A:3:4"}));
    QCOMPARE(rig.view->rollCaption(), QStringLiteral("单击继续"));
    QCOMPARE(rig.view->statusText(), QStringLiteral("正在抽取: B (1/1)"));
    QCOMPARE(rig.tp.dialogs().texts(), QStringList());
}

void TestDrawPlan::skipRefusedAfterADrawnPress()
{
    DrawRig rig;
    rig.tp.addParticipants(20);
    rig.tp.addItem(QStringLiteral("A"), 2, QString(), 1);
    rig.tp.addItem(QStringLiteral("B"), 1);
    rig.open();
    rig.press();
    rig.engine->skipCurrentItem();
    QCOMPARE(rig.tp.dialogs().texts(),
             QStringList{"需移动位置的奖项已开奖,只能调整未开奖的奖项顺序!"});
    QCOMPARE(rig.tp.column(QStringLiteral("select JXname from z_jx order by NO")),
             (QVariantList{"A", "B"}));
    QCOMPARE(rig.planStates(), (QVariantList{"完成", "", ""}));
}

void TestDrawPlan::addItem()
{
    DrawRig rig;
    rig.tp.addParticipants(10);
    rig.tp.addItem(QStringLiteral("A"), 1);
    rig.set("默认条件", QStringLiteral(">=0"));
    rig.open();
    rig.tp.dialogs().answerText(QStringLiteral("A"));
    rig.engine->addItem();
    QCOMPARE(rig.tp.dialogs().texts(), QStringList{"项目名称重复"});
    QCOMPARE(rig.tp.count(QStringLiteral("z_jx")), 1);
    QCOMPARE(rig.tp.count(QStringLiteral("z_log")), 1);

    rig.tp.dialogs().answerText(QStringLiteral("加奖"));
    rig.engine->addItem();
    QCOMPARE(rig.tp.dialogs().shown.last().title, QStringLiteral("输入"));
    QCOMPARE(rig.tp.dialogs().shown.last().text, QStringLiteral("项目名称:"));
    QCOMPARE(
        rig.tp.column(QStringLiteral(
            "select NO||JXname||JPname||JXcount||CQcount||TJ from z_jx where JXname = '加奖'")),
        QVariantList{"2加奖加奖11>=0"});
    QCOMPARE(
        rig.tp.column(QStringLiteral(
            "select XNO||':'||NO||':'||indx||count||CQcount||':'||ZT from z_log order by XNO")),
        (QVariantList{"1:1:111:进行中", "2:2:111: "}));
    QCOMPARE(rig.view->rollCaption(), QStringLiteral("单击继续"));

    rig.engine->keyPress(32); // rolling: no new item
    rig.tp.dialogs().clear();
    rig.engine->addItem();
    QCOMPARE(rig.tp.dialogs().texts(), QStringList{"有奖项正在抽取,无法新建"});
}

void TestDrawPlan::temporaryDrawKeepsThePlan()
{
    DrawRig rig;
    rig.tp.addParticipants(10);
    rig.tp.addItem(QStringLiteral("一等奖"), 2, QString(), 1);
    rig.tp.addItem(QStringLiteral("二等奖"), 1);
    rig.open();
    const QStringList captions = rig.engine->itemMenuCaptions();
    QCOMPARE(captions, (QStringList{"一等奖(&A)", "二等奖(&B)"}));
    const QVariantList before = rig.planStates();
    rig.engine->temporaryDraw(captions[1]);
    QCOMPARE(rig.engine->state(), DrawState::Starting);
    QCOMPARE(rig.view->statusText(), QStringLiteral("正在抽取: [临]二等奖 (1/1)"));
    QCOMPARE(rig.view->prizeText(), QStringLiteral("当前项目: 二等奖奖品"));
    rig.engine->timerTick();
    rig.engine->keyPress(32);
    rig.tickWhileOn();
    QCOMPARE(rig.planStates(), before);
    QCOMPARE(rig.winners(QStringLiteral("[临]二等奖")).size(), 1);
    QCOMPARE(rig.view->prizeText(), QStringLiteral("临时项目抽取完毕, 继续抽取项目: 一等奖"));
    QCOMPARE(rig.engine->tempPrefix(), QString());
    QCOMPARE(rig.engine->centreText(),
             rig.winners(QStringLiteral("[临]二等奖")).value(0).toString());
}

void TestDrawPlan::endOfItemAndPlan()
{
    DrawRig rig;
    rig.tp.addParticipants(10);
    rig.tp.addItem(QStringLiteral("A"), 1);
    rig.tp.addItem(QStringLiteral("B"), 1);
    rig.set("显示奖项中奖清单", QStringLiteral("-1"));
    rig.open();
    rig.press();
    QCOMPARE(rig.engine->finishedItemName(), QStringLiteral("A"));
    QCOMPARE(rig.view->prizeText(), QStringLiteral("当前项目抽取完毕, 下一项目: B"));
    // The next start press shows the finished item's winners instead of rolling.
    rig.engine->keyPress(32);
    QCOMPARE(rig.view->winnersRequests.size(), 1);
    QCOMPARE(rig.view->winnersRequests[0].itemName, QStringLiteral("A"));
    QCOMPARE(rig.view->winnersRequests[0].title, QStringLiteral("二零零某年年终晚会"));
    QVERIFY(rig.view->winnersRequests[0].printMenu);
    QCOMPARE(rig.engine->state(), DrawState::Idle);
    QCOMPARE(rig.engine->finishedItemName(), QString());
    QCOMPARE(rig.view->rollCaption(), QStringLiteral("单击继续"));
    rig.press();
    QCOMPARE(rig.view->prizeText(), QStringLiteral("该项目抽取完毕"));
    QCOMPARE(rig.view->statusText(), QString());
    rig.engine->keyPress(32); // B's winners
    rig.engine->keyPress(32); // the whole plan is drawn: "全部"
    QCOMPARE(rig.view->winnersRequests.size(), 3);
    QCOMPARE(rig.view->winnersRequests[2].itemName, QStringLiteral("全部"));
    QCOMPARE(rig.view->rollCaption(), QStringLiteral("抽取结束"));
    QCOMPARE(rig.tp.sound().calls.count(QStringLiteral("stop")) > 0, true);
}

void TestDrawPlan::autoContinueOff()
{
    DrawRig rig;
    rig.tp.addParticipants(10);
    rig.tp.addItem(QStringLiteral("A"), 1);
    rig.tp.addItem(QStringLiteral("B"), 1);
    rig.open();
    rig.engine->toggleAutoContinue();
    QVERIFY(!rig.view->autoContinueChecked);
    rig.press();
    QVERIFY(rig.view->nextItemEnabled);
    rig.engine->keyPress(32); // waits for "抽取下一项目"
    QCOMPARE(rig.engine->state(), DrawState::Idle);
    QVERIFY(!rig.view->timerOn);
    QCOMPARE(rig.planStates(), (QVariantList{"完成", ""}));
    rig.engine->nextItem();
    QVERIFY(!rig.view->nextItemEnabled);
    QCOMPARE(rig.engine->finishedItemName(), QString());
    rig.press();
    QCOMPARE(rig.planStates(), (QVariantList{"完成", "完成"}));
}

void TestDrawPlan::menuCaptionsContinuePastZ()
{
    DrawRig rig;
    for (int i = 0; i < 28; ++i)
        rig.tp.addItem(QStringLiteral("项%1").arg(i), 0);
    rig.open();
    const QStringList c = rig.engine->itemMenuCaptions();
    QCOMPARE(c.size(), 28);
    QCOMPARE(c[0], QStringLiteral("项0(&A)"));
    QCOMPARE(c[25], QStringLiteral("项25(&Z)"));
    QCOMPARE(c[26], QStringLiteral("项26(&[)"));
    QCOMPARE(c[27], QStringLiteral("项27(&\\)"));
}

void TestDrawPlan::quotesInNamesAndConditions()
{
    DrawRig rig;
    rig.tp.addParticipants(10);
    rig.tp.addParticipant(99, QStringLiteral("O'Neil"), QStringLiteral("it's"), 7);
    rig.tp.addItem(QStringLiteral("Tom's 奖"), 1, QStringLiteral("Memo = 'it''s'"));
    rig.open();
    rig.press();
    QCOMPARE(rig.winners(QStringLiteral("Tom's 奖")), QVariantList{"O'Neil"});
    rig.engine->temporaryDraw(rig.engine->itemMenuCaptions()[0]);
    rig.engine->timerTick();
    rig.engine->keyPress(32);
    rig.tickWhileOn();
    QCOMPARE(
        rig.tp.column(QStringLiteral("select count(*) from z_zj where JXname = '[临]Tom''s 奖'")),
        QVariantList{1});
    rig.tp.dialogs().answerText(QStringLiteral("Ann's"));
    rig.engine->addItem();
    QCOMPARE(rig.tp.column(QStringLiteral("select JXname from z_log where XNO = 2")),
             QVariantList{"Ann's"});
    QCOMPARE(rig.tp.dialogs().texts(), QStringList());
}

QTEST_MAIN(TestDrawPlan)
#include "test_draw_plan.moc"
