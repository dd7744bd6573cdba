// Key presses and winner selection: condition terms, SQL selection, presets, condition keys,
// the press interval and failures of the operator's own SQL.
#include "DrawRig.h"
#include "draw/Conditions.h"
#include "draw/PressSelection.h"

#include <QFile>

using namespace varnel;

namespace {

// Participants: list name "m<mark>-<n>" so a winner tells its mark.
void addMarked(TestProject& tp, const QList<QVariant>& marks)
{
    int no = 1;
    for (const QVariant& m : marks) {
        const QString tag = m.isValid() ? m.toString() : QStringLiteral("N");
        tp.addParticipant(no, QStringLiteral("m%1-%2").arg(tag).arg(no),
                          QStringLiteral("备注%1").arg(no), m);
        ++no;
    }
}

QStringList tags(const QVariantList& winners)
{
    QStringList out;
    for (const QVariant& w : winners)
        out << w.toString().section(u'-', 0, 0);
    return out;
}

} // namespace

class TestPressSelection : public QObject {
    Q_OBJECT
private slots:
    void termsAndStatements_data();
    void termsAndStatements();
    void conditionOrder_data();
    void conditionOrder();
    void repeatRule();
    void presetCondition();
    void conditionKey();
    void pressInterval();
    void drawKeyAndButton();
    void badRawTermEndsThePress();
    void mallCycles();
    void mallTimeCondition_data();
    void mallTimeCondition();
};

void TestPressSelection::termsAndStatements_data()
{
    QTest::addColumn<QString>("condition");
    QTest::addColumn<QStringList>("selection");
    QTest::addColumn<QString>("rolling");

    QTest::newRow("empty") << "" << QStringList{" tj is NULL", " tj is NULL"}
                           << "(z_user.tj is NULL)or(z_user.tj is NULL)";
    QTest::newRow("one mark") << "=5" << QStringList{" tj =5", " tj is NULL"}
                              << "(z_user.tj=5)or(z_user.tj is NULL)";
    QTest::newRow("two marks, last trimmed")
        << ">=3|=0 \r\n"
        << QStringList{" tj >=3", " tj =0", " tj is NULL"}
        << "(z_user.tj>=3)or(z_user.tj=0)or(z_user.tj is NULL)";
    QTest::newRow("raw term") << "Memo = 'x' or Memo = 'y'|<>2"
                              << QStringList{" (Memo = 'x' or Memo = 'y')", " tj <>2",
                                             " tj is NULL"}
                              << "(Memo = 'x' or Memo = 'y')or(z_user.tj<>2)or(z_user.tj is NULL)";
    QTest::newRow("empty piece") << "|<1" << QStringList{" tj is NULL", " tj <1", " tj is NULL"}
                                 << "(z_user.tj is NULL)or(z_user.tj<1)or(z_user.tj is NULL)";
}

void TestPressSelection::termsAndStatements()
{
    QFETCH(QString, condition);
    QFETCH(QStringList, selection);
    QFETCH(QString, rolling);
    const QList<ConditionTerm> terms = conditionTerms(condition);
    QStringList got;
    for (const ConditionTerm& t : terms)
        got << selectionTerm(t);
    QCOMPARE(got, selection);
    QCOMPARE(rollingTermList(terms), rolling);
    QVERIFY(
        rollingListSql(condition, false, false)
            .contains(QStringLiteral("where (zz_user.NO not in(select ListNO from z_zj)) and (") +
                      rolling + u')'));
    QVERIFY(rollingListSql(condition, true, false)
                .contains(
                    QStringLiteral(
                        "where zz_user.NO not in(select ListNO from z_zj where bz <> '*') and (") +
                    rolling + u')'));
    QVERIFY(
        rollingListSql(condition, true, true).contains(QStringLiteral("where (") + rolling + u')'));
}

void TestPressSelection::conditionOrder_data()
{
    QTest::addColumn<QVariantList>("marks");
    QTest::addColumn<QString>("condition");
    QTest::addColumn<int>("quota");
    QTest::addColumn<QStringList>("expected"); // marks of the winners in the order drawn

    const QVariant N;
    QTest::newRow("=5 quota 3") << QVariantList{3, 5, N, 3, 5, N, N} << "=5" << 3
                                << QStringList{"m5", "m5", "mN"};
    QTest::newRow(">=3|=0") << QVariantList{0, 4, N, 1, 7, 0, N, 1} << ">=3|=0" << 3
                            << QStringList{"m4", "m7", "m0"};
    QTest::newRow(">=3|=0 then unmarked") << QVariantList{0, 4, N, 1, 7, 0, N, 1} << ">=3|=0" << 8
                                          << QStringList{"m4", "m7", "m0", "m0", "mN", "mN"};
    QTest::newRow("empty condition")
        << QVariantList{1, N, 2, N} << "" << 4 << QStringList{"mN", "mN"};
    QTest::newRow("raw term first")
        << QVariantList{N, 2, N, 2} << "Memo = '备注4'" << 2 << QStringList{"m2", "mN"};
}

void TestPressSelection::conditionOrder()
{
    QFETCH(QVariantList, marks);
    QFETCH(QString, condition);
    QFETCH(int, quota);
    QFETCH(QStringList, expected);

    DrawRig rig;
    addMarked(rig.tp, marks);
    rig.tp.addItem(QStringLiteral("奖"), quota, condition, quota);
    rig.open();
    rig.engine->keyPress(32);
    // The pending winners are out of the roll; everybody else eligible rolls.
    const int eligible =
        rig.tp
            .column(QStringLiteral("select count(*) from zz_user,z_user where (zz_user.NO not "
                                   "in(select ListNO from z_zj)) and (") +
                    rollingTermList(conditionTerms(condition)) +
                    QStringLiteral(") and zz_user.NO = z_user.NO"))
            .value(0)
            .toInt();
    QCOMPARE(rig.engine->pendingCount(), int(expected.size()));
    rig.engine->timerTick();
    rig.engine->keyPress(32);
    rig.tickWhileOn();
    const QVariantList won = rig.winners(QStringLiteral("奖"));
    QStringList got = tags(won);
    // Within one term the order is random: compare term by term as sorted groups.
    QStringList sortedGot = got, sortedExpected = expected;
    std::sort(sortedGot.begin(), sortedGot.end());
    std::sort(sortedExpected.begin(), sortedExpected.end());
    QCOMPARE(sortedGot, sortedExpected);
    if (quota < int(expected.size()) + 1)
        QCOMPARE(got.last(), expected.last());
    // With nobody left to roll nothing is landed, yet the winners are confirmed.
    if (eligible == 0)
        QCOMPARE(rig.engine->centreText(), QString());
    else
        QVERIFY(won.contains(rig.engine->centreText()));
}

void TestPressSelection::repeatRule()
{
    for (const bool repeat : {false, true}) {
        DrawRig rig;
        addMarked(rig.tp, {QVariant(), QVariant(), QVariant()});
        rig.tp.addItem(QStringLiteral("A"), 1);
        rig.tp.addItem(QStringLiteral("B"), 3, QString(), 3);
        rig.set("可重复中奖", repeat ? QStringLiteral("-1") : QStringLiteral("0"));
        rig.open();
        rig.press();
        const QString first = rig.winners(QStringLiteral("A")).value(0).toString();
        rig.press();
        const QVariantList b = rig.winners(QStringLiteral("B"));
        QCOMPARE(b.size(), repeat ? 3 : 2);
        QCOMPARE(b.contains(first), repeat);
    }
}

void TestPressSelection::presetCondition()
{
    DrawRig rig;
    addMarked(rig.tp, {QVariant(), 9, QVariant(), 9, QVariant()});
    rig.tp.addItem(QStringLiteral("A"), 1);
    rig.tp.addItem(QStringLiteral("B"), 2, QString(), 2);
    rig.tp.writeFile(QStringLiteral("preset.tmp"), "[Data]\r\n2==9\r\n");
    QCOMPARE(ReadPresetCondition(rig.tp.ctx().presetPath, QStringLiteral("2")),
             QStringLiteral("=9"));
    QCOMPARE(ReadPresetCondition(rig.tp.ctx().presetPath, QStringLiteral("1")), QString());
    QCOMPARE(ReadPresetCondition(rig.tp.file(QStringLiteral("missing.tmp")), QStringLiteral("2")),
             QString());
    rig.open();
    rig.press();
    QCOMPARE(tags(rig.winners(QStringLiteral("A"))), QStringList{"mN"});
    rig.press();
    QCOMPARE(tags(rig.winners(QStringLiteral("B"))), (QStringList{"m9", "m9"}));
}

void TestPressSelection::conditionKey()
{
    DrawRig rig;
    addMarked(rig.tp, {QVariant(), 7, QVariant(), 7, 7, QVariant()});
    rig.tp.addItem(QStringLiteral("A"), 3, QString(), 1);
    rig.tp.db().exec(
        QStringLiteral("insert into z_set(name,var,beizhu) values('商场抽取条件按键','A','=7')"));
    const QString file = rig.tp.file(QStringLiteral("tmp.txt"));
    rig.open();

    rig.engine->keyPress('a'); // lower case finds the key "A"
    QVERIFY(QFile::exists(file));
    rig.press();
    QVERIFY(!QFile::exists(file)); // one press only
    QCOMPARE(tags(rig.winners(QStringLiteral("A"))), QStringList{"m7"});

    rig.press(); // the item's own condition again
    QCOMPARE(tags(rig.winners(QStringLiteral("A"))).last(), QStringLiteral("mN"));

    rig.engine->keyPress('A');
    rig.engine->keyPress('x'); // any other key cancels
    QVERIFY(!QFile::exists(file));
    rig.press();
    QCOMPARE(tags(rig.winners(QStringLiteral("A"))).last(), QStringLiteral("mN"));
}

void TestPressSelection::pressInterval()
{
    struct Case {
        const char* name;
        QTime start;
        int waitMs;
        bool stops;
    };
    const Case cases[] = {
        {"2 s swallowed", QTime(12, 0), 2000, false},
        {"4 s stops", QTime(12, 0), 4000, true},
        {"across midnight", QTime(23, 59, 58), 4000, true},
    };
    for (const Case& c : cases) {
        DrawRig rig;
        rig.tp.addParticipants(5);
        rig.tp.addItem(QStringLiteral("A"), 1);
        rig.set("抽奖间隔", QStringLiteral("3"));
        rig.tp.clock().setNow(QDateTime(QDate(2026, 12, 31), c.start));
        rig.open();
        rig.engine->keyPress(32);
        rig.engine->timerTick();
        QCOMPARE(rig.engine->state(), DrawState::Rolling);
        rig.tp.clock().advanceMs(c.waitMs);
        rig.engine->keyPress(32);
        QVERIFY2((rig.engine->state() == DrawState::StopRequested) == c.stops, c.name);
    }
}

void TestPressSelection::drawKeyAndButton()
{
    DrawRig rig;
    rig.tp.addParticipants(5);
    rig.tp.addItem(QStringLiteral("A"), 2, QString(), 1);
    QCOMPARE(
        DrawEngine(rig.tp.ctx(), rig.host, *std::make_unique<FakeDrawView>(rig.tp.ctx().roll), 2)
            .drawKey(),
        32);
    QCOMPARE(
        DrawEngine(rig.tp.ctx(), rig.host, *std::make_unique<FakeDrawView>(rig.tp.ctx().roll), 300)
            .drawKey(),
        32);
    rig.open(13);
    QCOMPARE(rig.engine->drawKey(), 13);
    rig.engine->drawButtonPressed(); // a space: not the configured key
    QCOMPARE(rig.engine->state(), DrawState::Idle);
    rig.press(13);
    QCOMPARE(rig.winners(QStringLiteral("A")).size(), 1);

    // A roll speed that is not a number (or below 1) reads as 1: the roll still lands.
    rig.set("滚动显示速度", QStringLiteral("abc"));
    rig.open(32);
    QCOMPARE(rig.engine->rollSpeed(), 1);
    rig.engine->drawButtonPressed();
    QCOMPARE(rig.engine->state(), DrawState::Starting);
    rig.engine->timerTick();
    rig.engine->drawButtonPressed();
    rig.tickWhileOn();
    QCOMPARE(rig.winners(QStringLiteral("A")).size(), 2);
}

void TestPressSelection::badRawTermEndsThePress()
{
    DrawRig rig;
    addMarked(rig.tp, {QVariant(), 3, 3});
    rig.tp.addItem(QStringLiteral("A"), 3, QStringLiteral("=3|no such column here"), 3);
    rig.open();
    rig.engine->keyPress(32);
    QCOMPARE(rig.tp.dialogs().shown.size(), 1);
    QCOMPARE(rig.tp.dialogs().shown[0].kind, QStringLiteral("error"));
    QVERIFY2(rig.tp.dialogs().shown[0].text.contains(QStringLiteral("syntax error")),
             qPrintable(rig.tp.dialogs().shown[0].text));
    QCOMPARE(rig.engine->state(), DrawState::Idle);
    QVERIFY(!rig.view->timerOn);
    QCOMPARE(rig.pendingRows(), 0);
    QCOMPARE(rig.tp.count(QStringLiteral("z_zj")), 0);
    QCOMPARE(rig.planStates(), QVariantList{""});
    QVERIFY(!rig.tp.sound().calls.contains(QStringLiteral("loop:%1").arg(
        rig.tp.settings().readBlob(QStringLiteral("滚动声音")).size())));
}

void TestPressSelection::mallCycles()
{
    for (const bool cycles : {false, true}) {
        DrawRig rig;
        rig.host.normal = false;
        rig.host.cycles = cycles;
        // Prize 1 "A": two units, no mark; prize 2 "B": one unit, mark 5.
        rig.tp.db().exec(QStringLiteral("insert into z_scuser(NO,List,sl,sysl,TJ,PicB) "
                                        "values(1,'A',2,0,NULL,''),(2,'B',1,0,5,'')"));
        rig.tp.addParticipant(1, QStringLiteral("A"), QStringLiteral("1"));
        rig.tp.addParticipant(2, QStringLiteral("A"), QStringLiteral("1"));
        rig.tp.addParticipant(3, QStringLiteral("B"), QStringLiteral("2"), 5);
        rig.open();
        QCOMPARE(rig.view->prizeText(), QStringLiteral("准备就绪"));
        QStringList captions;
        for (int i = 0; i < 3; ++i) {
            rig.tp.clock().advanceMs(1000);
            rig.engine->keyPress(32);
            captions << rig.view->rollCaption();
            rig.engine->timerTick();
            rig.engine->keyPress(32);
            rig.tickWhileOn();
            QCOMPARE(rig.view->prizeText(), QStringLiteral("准备就绪"));
        }
        const QVariantList won = rig.tp.column(
            QStringLiteral("select ListZJ||':'||ListBZ||':'||scuserNO from z_zj order by rowid"));
        if (cycles)
            QCOMPARE(won, (QVariantList{"A:1:1", "A:1:1", "A:2:1"}));
        else
            QCOMPARE(won, (QVariantList{"A:1:1", "A:1:1"}));
        QCOMPARE(captions.last(), cycles ? QString() : QStringLiteral("空"));
        QCOMPARE(rig.tp.count(QStringLiteral("z_jx")), 3); // one item per drawer
    }
}

void TestPressSelection::mallTimeCondition_data()
{
    QTest::addColumn<QTime>("at");
    QTest::addColumn<QString>("condition");
    QTest::newRow("09:00 none yet") << QTime(9, 0) << "";
    QTest::newRow("11:00") << QTime(11, 0) << "=1";
    QTest::newRow("12:30") << QTime(12, 30) << "=2";
}

void TestPressSelection::mallTimeCondition()
{
    QFETCH(QTime, at);
    QFETCH(QString, condition);
    DrawRig rig;
    rig.tp.db().exec(QStringLiteral(
        "insert into z_set(name,var,beizhu) values('商场抽取条件','2026-12-01 12:00:00','=2'),"
        "('商场抽取条件','2026-12-01 10:00:00','=1')"));
    QCOMPARE(varnel::mallTimeCondition(rig.tp.db(), QDateTime(QDate(2026, 12, 1), at)), condition);
    // A drawer item made at that moment carries it.
    rig.host.normal = false;
    rig.tp.clock().setNow(QDateTime(QDate(2026, 12, 1), at));
    rig.tp.addParticipant(1, QStringLiteral("A"), QStringLiteral("1"));
    rig.open();
    rig.engine->keyPress(32);
    QCOMPARE(rig.tp.column(QStringLiteral("select TJ from z_jx")), QVariantList{condition});
    QCOMPARE(
        rig.tp.column(QStringLiteral("select JXname from z_jx")),
        QVariantList{
            QDateTime(QDate(2026, 12, 1), at).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"))});
}

QTEST_MAIN(TestPressSelection)
#include "test_press_selection.moc"
