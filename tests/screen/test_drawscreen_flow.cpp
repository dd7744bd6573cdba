// The draw screen in draw mode with the real engine: menus, keys, the roll's frames on the
// screen, the zoom, the notice and a close that waits for a landing.
#include "TestProject.h"
#include "draw/DrawEngine.h"
#include "screen/CnAALabel.h"
#include "screen/MarqueeText.h"
#include "screen/PictureBox.h"
#include "screen/TfrmJIANG.h"
#include "store/Settings.h"
#include "test_drawscreen_host.h"

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QSqlQuery>
#include <QtTest>

using namespace varnel;

namespace {

// Renders of the screen go to $VARNEL_RENDER_DIR when it is set (for looking at them).
void keepRender(QWidget* w, const QString& name)
{
    const QString dir = qEnvironmentVariable("VARNEL_RENDER_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    w->grab().save(dir + u'/' + name + QStringLiteral(".png"));
}

int pendingRows(TestProject& tp)
{
    return tp.column(QStringLiteral("select count(*) from z_zj where bz = '*'")).first().toInt();
}

QStringList confirmed(TestProject& tp)
{
    QStringList out;
    for (const QVariant& v :
         tp.column(QStringLiteral("select ListZJ from z_zj where bz = '' order by rowid")))
        out << v.toString();
    return out;
}

// A stage layout for a 1920 x 1080 display.
void stageLayout(TestProject& tp, bool photos)
{
    Settings& s = tp.settings();
    const auto set = [&s](const char* k, const char* v) {
        s.save(QString::fromUtf8(k), QString::fromUtf8(v));
    };
    set("抽奖界面单位名称", "华彩科技股份有限公司");
    set("抽奖界面主标题", "二零二六年年终盛典");
    set("抽奖界面副标题", "幸运大抽奖");
    set("位置单位名称X", "700");
    set("位置单位名称Y", "70");
    set("位置主标题名称X", "590");
    set("位置主标题名称Y", "140");
    set("位置副标题名称X", "830");
    set("位置副标题名称Y", "240");
    set("抽奖界面单位名称字体", "黑体;16777215;30;[fsBold];");
    set("抽奖界面主标题字体", "黑体;65535;54;[fsBold];");
    set("抽奖界面副标题字体", "黑体;16777215;40;[fsBold];");
    set("抽奖界面滚动栏字体", "黑体;16777215;36;[fsBold];");
    set("抽奖界面状态栏字体", "楷体_GB2312;16777215;24;[fsBold];");
    set("位置状态栏名称X", "80");
    set("位置状态栏名称Y", "900");
    set("位置奖品名称X", "80");
    set("位置奖品名称Y", "950");
    set("位置滚动栏名称X", "960");
    set("位置滚动栏名称Y", "590");
    set("位置放大图X", "960");
    set("位置放大图Y", "590");
    set("抽奖界面单位徽标显示", "1");
    set("位置徽标图X", "1690");
    set("位置徽标图Y", "40");
    if (photos) {
        set("抽奖界面横向滚动", "-1");
        set("抽奖界面滚动栏图片", "1");
        set("抽奖界面放大图显示", "1");
        set("位置滚动栏名称W", "190");
        set("位置滚动栏名称H", "230");
        set("位置放大图比例", "1.8");
        set("位置滚动栏间隔", "5");
    } else {
        set("位置滚动栏名称W", "380");
        set("位置滚动栏名称H", "72");
        set("位置滚动栏间隔", "5");
    }
}

// Participants with names as on a company list, and a portrait each when asked.
void stageParticipants(TestProject& tp, int n, bool photos)
{
    const QString family = QStringLiteral("王李张刘陈杨黄赵吴周徐孙马朱胡郭何林罗高");
    const QString given = QStringLiteral("伟芳娜敏静丽强磊军洋勇艳杰娟涛明超秀霞平刚桂英华");
    for (int i = 0; i < n; ++i) {
        const QString name = QString(family[i % family.size()]) + given[(i * 7) % given.size()] +
                             (i % 3 ? QString(given[(i * 11 + 5) % given.size()]) : QString());
        const QString list =
            photos ? name
                   : name + QStringLiteral("-") +
                         QStringLiteral("%1").arg(i * 37 % 10000, 4, 10, QLatin1Char('0'));
        tp.addParticipant(i + 1, list, QStringLiteral("市场部"));
        if (!photos)
            continue;
        QImage pic(300, 360, QImage::Format_RGB32);
        QPainter p(&pic);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient g(0, 0, 0, 360);
        g.setColorAt(0, QColor::fromHsv((i * 47) % 360, 90, 230));
        g.setColorAt(1, QColor::fromHsv((i * 47 + 40) % 360, 160, 120));
        p.fillRect(pic.rect(), g);
        p.setBrush(QColor(250, 225, 200));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(150, 140), 70, 82);
        p.setBrush(QColor::fromHsv((i * 47 + 180) % 360, 120, 90));
        p.drawEllipse(QRectF(40, 250, 220, 220));
        p.setPen(Qt::white);
        QFont f(QStringLiteral("WenQuanYi Zen Hei"));
        f.setPixelSize(64);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRect(0, 250, 300, 100), Qt::AlignCenter, name.left(1));
        p.end();
        QByteArray bmp;
        QBuffer buf(&bmp);
        buf.open(QIODevice::WriteOnly);
        pic.save(&buf, "BMP");
        tp.db().exec(QStringLiteral("update z_user set Pic = ?, PicB = ? where NO = ?"),
                     {bmp, QStringLiteral("照片.jpg"), i + 1});
    }
}

} // namespace

class TestDrawScreenFlow : public QObject {
    Q_OBJECT

    std::unique_ptr<TfrmJIANG> openDraw(TestProject& tp, Host& host)
    {
        auto s = std::make_unique<TfrmJIANG>(tp.ctx(), host, false, 32);
        s->show();
        return s;
    }

    // Ticks until the engine is idle again (the roll timer is driven by hand).
    static void tickUntilIdle(TfrmJIANG& s, int limit = 200)
    {
        for (int i = 0; i < limit && s.engine()->state() != DrawState::Idle; ++i)
            s.engine()->timerTick();
    }

private slots:
    void initTestCase()
    {
        // As the program does at start-up: the stored font names map to installed CJK fonts.
        QFont::insertSubstitution(QStringLiteral("黑体"), QStringLiteral("WenQuanYi Zen Hei"));
        QFont::insertSubstitution(QStringLiteral("楷体_GB2312"), QStringLiteral("AR PL UKai CN"));
    }

    void drawMenu()
    {
        TestProject tp;
        for (int i = 1; i <= 27; ++i)
            tp.addItem(QStringLiteral("奖项") + QString::number(i), 1);
        Host host;
        auto s = openDraw(tp, host);
        QVERIFY(!s->adjustMode());
        QStringList names;
        for (QAction* a : s->PopupMenu1->actions())
            names << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        QCOMPARE(names, QStringList({"M_exit", "-", "M_TempCJ", "M_ShowMD", "M_ShowAllGD", "-",
                                     "M_TGJX", "M_SY", "M_NextJX", "-", "M_AddJX"}));
        QVERIFY(s->M_TempCJ->menuAction()->isVisible());
        QVERIFY(s->M_SY->isChecked());
        QVERIFY(!s->M_NextJX->isEnabled());
        const QList<QAction*> shown = s->M_ShowMD->actions();
        QCOMPARE(shown.size(), 28);
        QCOMPARE(shown[0]->text(), QStringLiteral("全部(&Q)"));
        QCOMPARE(shown[0]->objectName(), QStringLiteral("M_ShowZJQD"));
        QCOMPARE(shown[1]->text(), QStringLiteral("奖项1(&A)"));
        QCOMPARE(shown[1]->objectName(), QStringLiteral("M_ShowZJQD0"));
        QCOMPARE(shown[26]->text(), QStringLiteral("奖项26(&Z)"));
        QCOMPARE(shown[27]->text(), QStringLiteral("奖项27(&[)"));
        const QList<QAction*> temp = s->M_TempCJ->actions();
        QCOMPARE(temp.size(), 27);
        QCOMPARE(temp[26]->objectName(), QStringLiteral("M_Tmp26"));
        QCOMPARE(temp[26]->text(), QStringLiteral("奖项27(&[)"));
        // Every element carries the draw menu.
        for (QWidget* w : {(QWidget*)s->ImgBJ, (QWidget*)s->lbGDLname, (QWidget*)s->imgHB,
                           (QWidget*)s->cnmrqtxt1, (QWidget*)s->lbZoom})
            QCOMPARE(s->popupMenuOf(w), s->PopupMenu1);
        QCOMPARE(s->statusText(), QStringLiteral("准备就绪: 按 空格键 开始/停止抽取"));
        QCOMPARE(s->prizeText(), QStringLiteral("开始项目: 奖项1"));
        // The marquee runs along the bottom, across the whole background.
        QCOMPARE(s->cnmrqtxt1->width(), s->ImgBJ->width());
        QCOMPARE(s->cnmrqtxt1->geometry().bottom() + 1, s->ImgBJ->height() - 5);
        QVERIFY(s->cnmrqtxt1->active());
    }

    void autoContinueFollowsTheEngine()
    {
        TestProject tp;
        tp.addParticipants(5);
        tp.addItem(QStringLiteral("一等奖"), 2);
        Host host;
        auto s = openDraw(tp, host);
        s->M_SY->trigger();
        QVERIFY(!s->M_SY->isChecked());
        QVERIFY(!s->engine()->autoContinue());
        QTest::keyClick(s.get(), Qt::Key_Space); // Starting: the toggle is refused
        s->M_SY->trigger();
        QVERIFY(!s->M_SY->isChecked());
        QVERIFY(!s->engine()->autoContinue());
    }

    void keyFlowDrawsAndConfirms()
    {
        TestProject tp;
        tp.addParticipants(30);
        tp.addItem(QStringLiteral("一等奖"), 2, {}, 2);
        Host host;
        auto s = openDraw(tp, host);
        keepRender(s.get(), QStringLiteral("flow-idle"));
        QTest::keyClick(s.get(), Qt::Key_Space);
        QCOMPARE(s->engine()->state(), DrawState::Starting);
        QCOMPARE(pendingRows(tp), 2);
        QVERIFY(s->Timer1->isActive());
        for (int i = 0; i < 5; ++i)
            s->engine()->timerTick();
        QCOMPARE(s->engine()->state(), DrawState::Rolling);
        QVERIFY(!s->bmpRollFrame.isNull());
        QCOMPARE(s->bmpRollFrame.size(), s->rollArea().size());
        QVERIFY(s->rollCaption().isEmpty());
        // What the audience sees in the rolling area is the last frame, as one copy.
        const QImage shown = s->lbGDLname->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown, s->bmpRollFrame.convertToFormat(QImage::Format_RGB32));
        keepRender(s.get(), QStringLiteral("flow-rolling"));
        QTest::keyClick(s.get(), Qt::Key_Space);
        QCOMPARE(s->engine()->state(), DrawState::StopRequested);
        tickUntilIdle(*s);
        QCOMPARE(s->engine()->state(), DrawState::Idle);
        QCOMPARE(pendingRows(tp), 0);
        const QStringList winners = confirmed(tp);
        QCOMPARE(winners.size(), 2);
        QVERIFY(winners.contains(s->engine()->centreText()));
        keepRender(s.get(), QStringLiteral("flow-landed"));
        QVERIFY(s->close());
        QCOMPARE(confirmed(tp), winners);
    }

    void drawButtonActsAsTheKey()
    {
        TestProject tp;
        tp.addParticipants(5);
        tp.addItem(QStringLiteral("一等奖"), 1);
        tp.settings().save(QStringLiteral("抽奖界面单位徽标显示"), QStringLiteral("1"));
        Host host;
        auto s = openDraw(tp, host);
        QTest::mouseClick(s->imgHB, Qt::LeftButton);
        QCOMPARE(s->engine()->state(), DrawState::Starting);
        QTest::mouseClick(s->imgHB, Qt::LeftButton);
        tickUntilIdle(*s);
        QCOMPARE(confirmed(tp).size(), 1);
    }

    void closeDuringLandingWaits()
    {
        TestProject tp;
        tp.addParticipants(40);
        tp.addItem(QStringLiteral("一等奖"), 1);
        Host host;
        auto s = openDraw(tp, host);
        QTest::keyClick(s.get(), Qt::Key_Space);
        s->engine()->timerTick();
        QTest::keyClick(s.get(), Qt::Key_Space);
        // The close arrives while the landing serves the event queue.
        bool seenBusy = false;
        QMetaObject::invokeMethod(
            s.get(),
            [&] {
                seenBusy = s->engine()->busy();
                s->close();
            },
            Qt::QueuedConnection);
        tickUntilIdle(*s);
        QVERIFY(seenBusy);
        QVERIFY(s->closed());
        QCOMPARE(pendingRows(tp), 0);
        QCOMPARE(confirmed(tp).size(), 1);
    }

    void closingMidRollDiscardsPending()
    {
        TestProject tp;
        tp.addParticipants(10);
        tp.addItem(QStringLiteral("一等奖"), 3, {}, 3);
        Host host;
        auto s = openDraw(tp, host);
        QTest::keyClick(s.get(), Qt::Key_Space);
        s->engine()->timerTick();
        QCOMPARE(pendingRows(tp), 3);
        s->M_exit->trigger();
        QVERIFY(s->closed());
        QCOMPARE(pendingRows(tp), 0);
        QVERIFY(confirmed(tp).isEmpty());
    }

    // The stage at work, with text cells and with photo cells: the roll shows its frames in
    // the area, the landing puts a winner in the centre, the photo winner zooms.
    void stageDraw_data()
    {
        QTest::addColumn<bool>("photos");
        QTest::newRow("text cells") << false;
        QTest::newRow("photo cells") << true;
    }
    void stageDraw()
    {
        QFETCH(bool, photos);
        const QString tag = photos ? QStringLiteral("photo") : QStringLiteral("text");
        TestProject tp;
        stageLayout(tp, photos);
        stageParticipants(tp, 60, photos);
        tp.addItem(QStringLiteral("一等奖"), 3, {}, 1, QStringLiteral("笔记本电脑一台"));
        Host host;
        auto s = openDraw(tp, host);
        keepRender(s.get(), tag + QStringLiteral("-idle"));
        QTest::keyClick(s.get(), Qt::Key_Space);
        for (int i = 0; i < 7; ++i)
            s->engine()->timerTick();
        QCOMPARE(s->rollArea().size(), photos ? QSize(5 * 190, 230) : QSize(380, 5 * 72));
        keepRender(s.get(), tag + QStringLiteral("-rolling"));
        QTest::keyClick(s.get(), Qt::Key_Space);
        tickUntilIdle(*s);
        QCOMPARE(confirmed(tp).size(), 1);
        QVERIFY(confirmed(tp).contains(s->engine()->centreText()));
        if (photos) {
            QVERIFY(s->zoomVisible());
            const int h = qRound(230 * 1.8);
            QCOMPARE(s->zoomGeometry().size(), QSize(qRound(double(h) / 230 * 190), h));
            QCOMPARE(s->zoomGeometry().left(), 960 - s->zoomGeometry().width() / 2);
            // The zoom shows its frame: not the background beneath it.
            const QImage zoom = s->lbZoom->grab().toImage();
            QCOMPARE(zoom.pixelColor(zoom.width() / 2, 2), QColor(Qt::black));
            keepRender(s.get(), tag + QStringLiteral("-zoomed"));
        } else {
            QVERIFY(!s->zoomVisible());
            keepRender(s.get(), tag + QStringLiteral("-landed"));
        }
        // Next press of the item, then the marquee with the winners so far.
        QTest::keyClick(s.get(), Qt::Key_Space);
        s->engine()->timerTick();
        QTest::keyClick(s.get(), Qt::Key_Space);
        tickUntilIdle(*s);
        QVERIFY(s->marqueeVisible());
        QVERIFY(s->marqueeText().contains(QStringLiteral("[一等奖]")));
        for (int i = 0; i < 150; ++i)
            s->cnmrqtxt1->step();
        keepRender(s.get(), tag + QStringLiteral("-marquee"));
    }

    void rollNoticeBadge()
    {
        TestProject tp;
        tp.addParticipants(3);
        Host host;
        auto s = openDraw(tp, host);
        s->drawRollNotice(QStringLiteral("数据整理中"), true);
        const QImage img = s->lbGDLname->grab().toImage();
        const QFontMetrics fm(s->lbGDLname->labelFont());
        QVERIFY(s->lbGDLname->width() >= 20);
        // Pure red inside the badge's edge, grey on its outer band, white text in the middle.
        int red = 0, grey = 0, white = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                if (c == QColor(255, 0, 0))
                    ++red;
                else if (c == QColor(0x80, 0x80, 0x80))
                    ++grey;
                else if (c.red() > 240 && c.green() > 240 && c.blue() > 240)
                    ++white;
            }
        QVERIFY(red > 100);
        QVERIFY(grey > 50);
        QVERIFY(white > 20);
        // The next caption clears it.
        s->setRollCaption(QStringLiteral("单击继续"));
        QVERIFY(!s->lbGDLname->hasNotice());
    }
};

QTEST_MAIN(TestDrawScreenFlow)
#include "test_drawscreen_flow.moc"
