// The draw screen built from the settings: layout rules, switches, window mode, leaving
// adjust mode, the label effects and the marquee.
#include "TestProject.h"
#include "screen/CnAALabel.h"
#include "screen/DrawScreen.h"
#include "screen/MarqueeText.h"
#include "screen/PictureBox.h"
#include "screen/TextEffect.h"
#include "screen/TfrmJIANG.h"
#include "store/Pictures.h"
#include "test_drawscreen_host.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QtTest>

using namespace varnel;

namespace {

QSize screenSize()
{
    return QGuiApplication::primaryScreen()->size();
}

QString var(TestProject& tp, const QString& key)
{
    const QVariantList v = tp.column(QStringLiteral("select var from z_set where name = ?"), {key});
    return v.isEmpty() ? QStringLiteral("<missing>") : v.first().toString();
}

void setVar(TestProject& tp, const QString& key, const QString& value)
{
    tp.settings().save(key, value);
}

void dropKey(TestProject& tp, const QString& key)
{
    tp.db().exec(QStringLiteral("delete from z_set where name = ?"), {key});
}

// A half-transparent PNG, as a logo with a transparent surround is stored.
QByteArray translucentPng(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(QColor(0, 200, 0, 128));
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return out;
}

} // namespace

class TestDrawScreen : public QObject {
    Q_OBJECT

    std::unique_ptr<TfrmJIANG> open(TestProject& tp, Host& host, bool adjust = true)
    {
        return std::make_unique<TfrmJIANG>(tp.ctx(), host, adjust, 32);
    }

private slots:
    void defaultsOpenFullScreen()
    {
        TestProject tp;
        Host host;
        auto s = open(tp, host);
        QCOMPARE(s->geometry(), QRect(QPoint(0, 0), screenSize()));
        QVERIFY(s->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(s->windowTitle(), QStringLiteral("抽奖 (全屏模式 在界面设定里设置)"));
        QCOMPARE(s->property("tag").toInt(), 99);
        QVERIFY(s->adjustMode());
        for (QWidget* w : {(QWidget*)s->lbDWname, (QWidget*)s->lbZBTname, (QWidget*)s->lbFBTname,
                           (QWidget*)s->lbZTLname, (QWidget*)s->lbJPname})
            QVERIFY2(!w->isHidden(), qPrintable(w->objectName()));
        QVERIFY(s->imgJP->isHidden());
        QVERIFY(s->imgHB->isHidden());
        QCOMPARE(s->lbDWname->text(), QStringLiteral("某某股份有限公司"));
        QCOMPARE(s->lbDWname->pos(), QPoint(128, 63));
        QCOMPARE(s->lbZBTname->pos(), QPoint(388, 113));
        QCOMPARE(s->lbFBTname->text(), QStringLiteral("抽奖仪式"));
        QCOMPARE(s->lbZTLname->pos(), QPoint(35, 553));
        QCOMPARE(s->lbJPname->pos(), QPoint(35, 580));
        QCOMPARE(s->lbGDLname->text(), QStringLiteral("祝你好运!"));
        const QSize text = s->lbGDLname->plainTextExtent();
        QCOMPARE(s->lbGDLname->size(), text + QSize(20, 20));
        QCOMPARE(s->lbGDLname->geometry().topLeft(),
                 QPoint(418 - s->lbGDLname->width() / 2, 365 - s->lbGDLname->height() / 2));
        QVERIFY(s->M_DWMC->isChecked() && s->M_ZBT->isChecked() && s->M_ZTXX->isChecked());
        QVERIFY(!s->M_JPTP->isChecked() && !s->M_DWHB->isChecked() && !s->M_Windows->isChecked());
        QVERIFY(s->lbZoom->isHidden());
        QVERIFY(s->cnmrqtxt1->isHidden());
        // Fonts as stored: 黑体 white bold for the titles.
        QCOMPARE(s->lbZBTname->fontColour(), QColor(Qt::white));
        QVERIFY(s->lbZBTname->labelFont().bold());
        QCOMPARE(s->rollArea(), s->lbGDLname->geometry());
    }

    void cellCount_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("cells");
        QTest::newRow("1") << "1" << 1;
        QTest::newRow("3") << "3" << 3;
        QTest::newRow("5") << "5" << 5;
        QTest::newRow("4") << "4" << 5;
        QTest::newRow("0") << "0" << 5;
        QTest::newRow("text") << "abc" << 5;
    }
    void cellCount()
    {
        QFETCH(QString, stored);
        QFETCH(int, cells);
        TestProject tp;
        setVar(tp, QStringLiteral("位置滚动栏间隔"), stored);
        Host host;
        auto s = open(tp, host);
        QCOMPARE(tp.ctx().roll.CellCount, cells);
    }

    void fitRollArea_data()
    {
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<int>("cells");
        QTest::addColumn<QSize>("size");
        QTest::newRow("horizontal 3") << true << 3 << QSize(3 * 150, 40);
        QTest::newRow("vertical 3") << false << 3 << QSize(150, 3 * 40);
        QTest::newRow("vertical 5") << false << 5 << QSize(150, 5 * 40);
        QTest::newRow("horizontal 1") << true << 1 << QSize(150, 40);
    }
    void fitRollArea()
    {
        QFETCH(bool, horizontal);
        QFETCH(int, cells);
        QFETCH(QSize, size);
        TestProject tp;
        setVar(tp, QStringLiteral("抽奖界面横向滚动"), horizontal ? "-1" : "1");
        setVar(tp, QStringLiteral("位置滚动栏名称W"), "150");
        setVar(tp, QStringLiteral("位置滚动栏名称H"), "40");
        setVar(tp, QStringLiteral("位置滚动栏名称X"), "401");
        setVar(tp, QStringLiteral("位置滚动栏名称Y"), "301");
        Host host;
        auto s = open(tp, host);
        QCOMPARE(tp.ctx().roll.HorizontalRoll, horizontal);
        s->fitRollArea(cells);
        QCOMPARE(s->rollArea().size(), size);
        QCOMPARE(s->rollArea().topLeft(), QPoint(401 - size.width() / 2, 301 - size.height() / 2));
    }

    void emptyRollTextFitsSixSpaces()
    {
        TestProject tp;
        setVar(tp, QStringLiteral("抽奖界面滚动栏"), "");
        Host host;
        auto s = open(tp, host);
        const QSize spaces = s->lbGDLname->plainTextExtent(QStringLiteral("      "));
        QVERIFY(spaces.width() > 0);
        QCOMPARE(s->lbGDLname->size(), spaces + QSize(20, 20));
        // A text put in later fits again around that text.
        s->setRollCaption(QStringLiteral("抽取结束"));
        s->fitRollArea(0);
        QCOMPARE(s->rollArea().size(),
                 s->lbGDLname->plainTextExtent(QStringLiteral("抽取结束")) + QSize(20, 20));
    }

    void pictureSizes_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored"); // "<missing>": no row
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("storedAfter");
        const QString w = QStringLiteral("大小奖品图宽");
        QTest::newRow("prize width missing") << w << "<missing>" << 120 << "120";
        QTest::newRow("prize width 0") << w << "0" << 120 << "0";
        QTest::newRow("prize width abc") << w << "abc" << 120 << "abc";
        QTest::newRow("prize width negative") << w << "-40" << 120 << "-40";
        QTest::newRow("prize width 90") << w << "90" << 90 << "90";
        QTest::newRow("prize height missing")
            << QStringLiteral("大小奖品图高") << "<missing>" << 200 << "200";
        QTest::newRow("logo width missing")
            << QStringLiteral("大小徽标图宽") << "<missing>" << 180 << "180";
        QTest::newRow("logo height abc") << QStringLiteral("大小徽标图高") << "abc" << 50 << "abc";
        QTest::newRow("logo height missing")
            << QStringLiteral("大小徽标图高") << "<missing>" << 50 << "50";
    }
    void pictureSizes()
    {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(int, expected);
        QFETCH(QString, storedAfter);
        TestProject tp;
        dropKey(tp, key);
        if (stored != QStringLiteral("<missing>"))
            setVar(tp, key, stored);
        QStringList statements;
        tp.db().onExec = [&](const QString& sql, const QVariantList&) { statements << sql; };
        Host host;
        auto s = open(tp, host);
        tp.db().onExec = nullptr;
        PictureBox* box = key.contains(QStringLiteral("奖品")) ? s->imgJP : s->imgHB;
        const int got = key.endsWith(QStringLiteral("宽")) ? box->width() : box->height();
        QCOMPARE(got, expected);
        QCOMPARE(var(tp, key), storedAfter);
        const QString insert = QStringLiteral("insert into z_set(name,var) values('") + key +
                               QStringLiteral("','") + QString::number(expected) +
                               QStringLiteral("')");
        QCOMPARE(statements.contains(insert), stored == QStringLiteral("<missing>"));
    }

    void prizePictureKeptOnWindow_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<QPoint>("expected");
        const QSize sc = screenSize();
        QTest::newRow("left of the window") << -200 << 100 << QPoint(0, 100);
        QTest::newRow("just on the left edge") << -117 << 100 << QPoint(-117, 100);
        QTest::newRow("beyond the right edge")
            << sc.width() + 50 << 100 << QPoint(sc.width() - 120, 100);
        QTest::newRow("above the window") << 10 << -300 << QPoint(10, 0);
        QTest::newRow("below the window") << 10 << sc.height() << QPoint(10, sc.height() - 200);
    }
    void prizePictureKeptOnWindow()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(QPoint, expected);
        TestProject tp;
        setVar(tp, QStringLiteral("位置奖品图X"), QString::number(x));
        setVar(tp, QStringLiteral("位置奖品图Y"), QString::number(y));
        Host host;
        auto s = open(tp, host);
        // The display-edge rule of the element fit may pull it further; both keep it on screen.
        QPoint p = expected;
        if (p.y() + 200 > screenSize().height())
            p.setY(screenSize().height() - 200);
        QCOMPARE(s->imgJP->pos(), p);
    }

    void labelsPulledBackAtDisplayEdge()
    {
        TestProject tp;
        setVar(tp, QStringLiteral("位置单位名称X"), "5000");
        setVar(tp, QStringLiteral("位置单位名称Y"), "20");
        setVar(tp, QStringLiteral("位置副标题名称X"), "30");
        setVar(tp, QStringLiteral("位置副标题名称Y"), "5000");
        setVar(tp, QStringLiteral("位置徽标图X"), "5000");
        setVar(tp, QStringLiteral("位置徽标图Y"), "5000");
        Host host;
        auto s = open(tp, host);
        const QSize sc = screenSize();
        QCOMPARE(s->lbDWname->geometry().right() + 1, sc.width());
        QCOMPARE(s->lbDWname->y(), 20);
        QCOMPARE(s->lbFBTname->x(), 30);
        QCOMPARE(s->lbFBTname->geometry().bottom() + 1, sc.height());
        QCOMPARE(s->imgHB->geometry(), QRect(sc.width() - 180, sc.height() - 50, 180, 50));
        // Labels measure their text (and the shadow's room), not their stored size.
        QCOMPARE(s->lbDWname->size(), s->lbDWname->textExtent());
    }

    void showHideSwitchWritesFlags()
    {
        TestProject tp;
        const QString key = QStringLiteral("抽奖界面主标题显示");
        QStringList statements;
        {
            Host host;
            auto s = open(tp, host);
            tp.db().onExec = [&](const QString& sql, const QVariantList&) {
                if (!sql.startsWith(QStringLiteral("select")))
                    statements << sql;
            };
            s->M_ZBT->trigger();
            QVERIFY(s->lbZBTname->isHidden());
            QCOMPARE(var(tp, key), QStringLiteral("0"));
            s->M_ZBT->trigger();
            QVERIFY(!s->lbZBTname->isHidden());
            QCOMPARE(var(tp, key), QStringLiteral("-1"));
            tp.db().onExec = nullptr;
            // "隐藏" of the title's own menu runs the same switch.
            const QList<QAction*> own = s->pmZBT->actions();
            QCOMPARE(own[1]->text(), QStringLiteral("隐藏"));
            own[1]->trigger();
            QVERIFY(s->lbZBTname->isHidden());
            QVERIFY(!s->M_ZBT->isChecked());
            QCOMPARE(var(tp, key), QStringLiteral("0"));
            s->M_ZBT->trigger();
        }
        QCOMPARE(statements,
                 QStringList(
                     {QStringLiteral("update z_set set var = '0' where name = '") + key + "'",
                      QStringLiteral("update z_set set var = '-1' where name = '") + key + "'"}));
        Host host;
        auto again = open(tp, host);
        QVERIFY(!again->lbZBTname->isHidden());
        QVERIFY(again->M_ZBT->isChecked());
    }

    void switchOnMissingRowStaysMissing()
    {
        TestProject tp;
        dropKey(tp, QStringLiteral("抽奖界面单位徽标显示"));
        Host host;
        auto s = open(tp, host);
        QVERIFY(!s->imgHB->isHidden()); // a missing flag reads as shown
        s->M_DWHB->trigger();
        QVERIFY(s->imgHB->isHidden());
        QCOMPARE(var(tp, QStringLiteral("抽奖界面单位徽标显示")), QStringLiteral("<missing>"));
    }

    void drawButtonPicture_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("decoded");
        QTest::addColumn<bool>("alpha");
        const QByteArray png = translucentPng(30, 20);
        const QByteArray jpg = TestProject::makeJpeg(30, 20, QColor(0, 0, 200));
        QTest::newRow("png") << "logo.png" << png << true << true;
        QTest::newRow("PNG") << "LOGO.PNG" << png << true << true;
        QTest::newRow("Png") << "logo.Png" << png << true << true;
        QTest::newRow("jpg") << "logo.jpg" << jpg << true << false;
        QTest::newRow("png name, jpeg bytes") << "logo.png" << jpg << false << false;
        QTest::newRow("jpg name, png bytes") << "logo.jpg" << png << false << false;
    }
    void drawButtonPicture()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, decoded);
        QFETCH(bool, alpha);
        TestProject tp;
        tp.settings().saveWithBlob(QStringLiteral("抽奖界面单位徽标"), fileName, bytes);
        Host host;
        auto s = open(tp, host);
        const QImage shown = s->imgHB->picture();
        if (decoded) {
            QCOMPARE(shown.size(), QSize(30, 20));
            QCOMPARE(shown.hasAlphaChannel(), alpha);
        } else {
            QCOMPARE(shown.size(), tp.blank().size());
        }
    }

    void drawButtonDefaultFile()
    {
        TestProject tp(TestProject::Options{QStringLiteral("新的项目"), false});
        {
            Host host;
            auto s = open(tp, host); // no start1.png: an empty button, the screen still opens
            QVERIFY(s->imgHB->picture().isNull());
        }
        tp.writeFile(QStringLiteral("start1.png"), TestProject::makePng(60, 24, Qt::red));
        Host host;
        auto s = open(tp, host);
        QCOMPARE(s->imgHB->picture().size(), QSize(60, 24));
    }

    void windowModeSwitchInsertsDefaults()
    {
        TestProject tp;
        for (const char* k : {"抽奖界面窗口模式", "抽奖界面窗口高", "抽奖界面窗口宽",
                              "抽奖界面窗口顶", "抽奖界面窗口左"})
            dropKey(tp, QString::fromUtf8(k));
        QStringList statements;
        Host host;
        auto s = open(tp, host);
        tp.db().onExec = [&](const QString& sql, const QVariantList&) {
            if (!sql.startsWith(QStringLiteral("select")))
                statements << sql;
        };
        s->M_Windows->trigger();
        tp.db().onExec = nullptr;
        QCOMPARE(statements,
                 QStringList({"insert into z_set(name,var) values('抽奖界面窗口模式','0')",
                              "update z_set set var = '-1' where name = '抽奖界面窗口模式'",
                              "insert into z_set(name,var) values('抽奖界面窗口高','280')",
                              "insert into z_set(name,var) values('抽奖界面窗口宽','300')",
                              "insert into z_set(name,var) values('抽奖界面窗口顶','0')",
                              "insert into z_set(name,var) values('抽奖界面窗口左','0')"}));
        QCOMPARE(s->size(), QSize(300, 280));
        QCOMPARE(s->pos(), QPoint(0, 0));
        QVERIFY(!(s->windowFlags() & Qt::FramelessWindowHint));
        QVERIFY(s->windowMode());
        QCOMPARE(s->clientSize(), QSize(300, 280));
        // Back to full screen; positions of the elements stay.
        const QPoint title = s->lbZBTname->pos();
        s->M_Windows->trigger();
        QCOMPARE(var(tp, QStringLiteral("抽奖界面窗口模式")), QStringLiteral("0"));
        QCOMPARE(s->geometry(), QRect(QPoint(0, 0), screenSize()));
        QCOMPARE(s->lbZBTname->pos(), title);
    }

    void closeInWindowModeStoresClientSize()
    {
        TestProject tp;
        setVar(tp, QStringLiteral("抽奖界面窗口模式"), "-1");
        setVar(tp, QStringLiteral("抽奖界面窗口高"), "abc"); // not a number: 0, at least 1 px
        QRect frame;
        {
            Host host;
            auto s = open(tp, host);
            QCOMPARE(s->height(), 1);
            s->show();
            s->setGeometry(40, 30, 640, 480);
            frame = s->frameGeometry();
            QVERIFY(s->close());
        }
        QCOMPARE(var(tp, QStringLiteral("抽奖界面窗口高")), QStringLiteral("480"));
        QCOMPARE(var(tp, QStringLiteral("抽奖界面窗口宽")), QStringLiteral("640"));
        // Top and left are the outer window's; width and height the client area's.
        QCOMPARE(var(tp, QStringLiteral("抽奖界面窗口顶")), QString::number(frame.top()));
        QCOMPARE(var(tp, QStringLiteral("抽奖界面窗口左")), QString::number(frame.left()));
        Host host;
        auto s = open(tp, host);
        QCOMPARE(s->size(), QSize(640, 480));
        QCOMPARE(s->ImgBJ->size(), QSize(640, 480));
        s->show();
        QCOMPARE(s->frameGeometry().topLeft(), frame.topLeft());
    }

    void fullScreenCloseStoresNothing()
    {
        TestProject tp;
        Host host;
        auto s = open(tp, host);
        s->show();
        QVERIFY(s->close());
        QCOMPARE(var(tp, QStringLiteral("抽奖界面窗口高")), QStringLiteral("280"));
    }

    void leavingAdjustModeStoresPreview()
    {
        TestProject tp;
        TextEffect e;
        e.outline = true;
        e.shadowBlur = 3;
        Host host;
        auto s = open(tp, host);
        s->show();
        QVERIFY(saveTextEffect(tp.file("Font.ini"), QStringLiteral("lbDWname"), e));
        QStringList statements;
        tp.db().onExec = [&](const QString& sql, const QVariantList&) { statements << sql; };
        s->M_Close->trigger();
        tp.db().onExec = nullptr;
        QVERIFY(s->closed());
        QFile ini(tp.file("Font.ini"));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QCOMPARE(tp.settings().readBlob(QStringLiteral("平滑字体")), ini.readAll());
        const QSize sc = screenSize();
        const QString size = QString::number(sc.width()) + "*" + QString::number(sc.height());
        QCOMPARE(var(tp, QStringLiteral("抽奖界面预览信息")), size);
        QVERIFY(statements.contains("update z_set set var = '" + size +
                                    "' where name = '抽奖界面预览信息'"));
        const QImage stored =
            LoadJpegBlob(tp.settings().readBlob(QStringLiteral("抽奖界面预览")), {});
        QVERIFY(!stored.isNull());
        QVERIFY(stored.width() <= 161 && stored.height() <= 117);
        QVERIFY(stored.width() == 161 || stored.height() == 117);
        QVERIFY(qAbs(double(stored.width()) / stored.height() - double(sc.width()) / sc.height()) <
                0.05);
        QCOMPARE(host.preview.size(), stored.size());
        QCOMPARE(host.previewSize, size);
        // The next creation writes the stored effects back out and the label takes them.
        QVERIFY(QFile::remove(tp.file("Font.ini")));
        auto again = open(tp, host);
        QCOMPARE(again->lbDWname->effect(), e);
        QCOMPARE(again->lbZBTname->effect(), TextEffect());
    }

    void backgroundChange()
    {
        TestProject tp;
        Host host;
        auto s = open(tp, host);
        tp.writeFile(QStringLiteral("bmp/新背景.jpg"), TestProject::makeJpeg(64, 48, Qt::blue));
        tp.dialogs().answerText(tp.file(QStringLiteral("bmp/新背景.jpg")));
        s->M_BJ->trigger();
        QCOMPARE(tp.dialogs().shown.last().kind, QStringLiteral("openPicture"));
        QCOMPARE(tp.dialogs().shown.last().text, QStringLiteral("JPEG Image File (*.jpg)|*.jpg"));
        QCOMPARE(var(tp, QStringLiteral("抽奖界面背景图")), QStringLiteral("新背景.jpg"));
        QCOMPARE(s->background().size(), QSize(64, 48));
        QCOMPARE(tp.settings().readBlob(QStringLiteral("抽奖界面背景图")),
                 TestProject::makeJpeg(64, 48, Qt::blue));
        // Cancelled: nothing changes.
        s->M_BJ->trigger();
        QCOMPARE(var(tp, QStringLiteral("抽奖界面背景图")), QStringLiteral("新背景.jpg"));
    }

    void prizePictureClickShowsBlank()
    {
        TestProject tp;
        setVar(tp, QStringLiteral("抽奖界面奖品栏图片显示"), "1");
        Host host;
        auto s = open(tp, host);
        s->setPrizePicture(QImage());
        QVERIFY(s->imgJP->picture().isNull());
        QTest::mouseClick(s->imgJP, Qt::LeftButton);
        QCOMPARE(s->imgJP->picture(), tp.blank());
    }

    void adjustMenus()
    {
        TestProject tp;
        Host host;
        auto s = open(tp, host);
        QStringList names;
        for (QAction* a : s->pmBJ->actions())
            names << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        QCOMPARE(names, QStringList({"M_Windows", "-", "M_DWMC", "M_DWHB", "M_ZBT", "M_FBT",
                                     "M_JPMC", "M_JPTP", "M_ZTXX", "-", "M_BJ", "-", "M_Close"}));
        QCOMPARE(s->popupMenuOf(s->ImgBJ), s->pmBJ);
        QCOMPARE(s->popupMenuOf(s->lbGDLname), s->pmGDL);
        QStringList gdl;
        for (QAction* a : s->pmGDL->actions())
            gdl << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(gdl, QStringList({"滚动数据区域设置", "-", "退出"}));
        QVERIFY(s->qryRoll.has_value());
    }

    void runDrawScreenIsModalUntilExit()
    {
        TestProject tp;
        Host host;
        bool found = false;
        QTimer::singleShot(0, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* s = qobject_cast<QWidget*>(w); s && s->objectName() == "frmJIANG") {
                    found = s->isVisible();
                    static_cast<TfrmJIANG*>(s)->M_Close->trigger();
                }
        });
        runDrawScreen(tp.ctx(), host, true, 32, nullptr);
        QVERIFY(found);
        QVERIFY(!host.previewSize.isEmpty());
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY(w->objectName() != "frmJIANG"); // destroyed when the loop ended
    }

    void unreadableFontSpecStopsTheOpen()
    {
        TestProject tp;
        setVar(tp, QStringLiteral("抽奖界面副标题字体"), "黑体;white;30;[fsBold];");
        Host host;
        runDrawScreen(tp.ctx(), host, true, 32, nullptr); // returns at once: nothing shown
        QCOMPARE(tp.dialogs().shown.size(), 1);
        QCOMPARE(tp.dialogs().shown.first().kind, QStringLiteral("error"));
    }

    void effectsRoundTrip()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath("Font.ini");
        TextEffect a;
        a.transparent = false;
        a.shadow = false;
        a.shadowColour = QColor(10, 20, 30, 40);
        a.shadowOffset = QPoint(-3, 4);
        a.shadowBlur = 5;
        a.outline = true;
        a.outlineColour = QColor(200, 0, 0);
        a.outlineWidth = 2;
        a.gradient = true;
        a.gradientTop = QColor(1, 2, 3);
        a.gradientBottom = QColor(250, 251, 252);
        a.alpha = 55;
        TextEffect b;
        b.alpha = 80;
        QVERIFY(saveTextEffect(ini, QStringLiteral("lbDWname"), a));
        QVERIFY(saveTextEffect(ini, QStringLiteral("lbGDLname"), b));
        QCOMPARE(loadTextEffect(ini, QStringLiteral("lbDWname")), a);
        QCOMPARE(loadTextEffect(ini, QStringLiteral("LBGDLNAME")), b); // sections ignore case
        QCOMPARE(loadTextEffect(ini, QStringLiteral("lbFBTname")), TextEffect());
        QCOMPARE(loadTextEffect(dir.filePath("none.ini"), QStringLiteral("lbDWname")),
                 TextEffect());
        // Damaged values keep the defaults.
        QFile f(ini);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[lbZTLname]\nAlpha=lots\nShadowColour=nocolour\nOutline=1\n");
        f.close();
        const TextEffect c = loadTextEffect(ini, QStringLiteral("lbZTLname"));
        QCOMPARE(c.alpha, 100);
        QCOMPARE(c.shadowColour, TextEffect().shadowColour);
        QVERIFY(c.outline);
    }

    void labelEffectsPaint_data()
    {
        QTest::addColumn<QString>("effect");
        QTest::newRow("plain") << "plain";
        QTest::newRow("shadow") << "shadow";
        QTest::newRow("gradient") << "gradient";
        QTest::newRow("outline") << "outline";
        QTest::newRow("invisible") << "invisible";
    }
    void labelEffectsPaint()
    {
        QFETCH(QString, effect);
        TextEffect e;
        e.shadow = false;
        if (effect == "shadow") {
            e.shadow = true;
            e.shadowColour = QColor(0, 0, 255);
            e.shadowOffset = QPoint(6, 6);
        } else if (effect == "gradient") {
            e.gradient = true;
            e.gradientTop = QColor(255, 0, 0);
            e.gradientBottom = QColor(0, 255, 0);
        } else if (effect == "outline") {
            e.outline = true;
            e.outlineColour = QColor(0, 0, 255);
            e.outlineWidth = 3;
        } else if (effect == "invisible") {
            e.alpha = 0;
        }
        TCnAALabel label;
        QFont f(QStringLiteral("WenQuanYi Zen Hei"));
        f.setPixelSize(40);
        label.setLabelFont(f);
        label.setFontColour(Qt::white);
        label.setEffect(e);
        label.setText(QStringLiteral("■"));
        QImage img(label.size(), QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::black);
        label.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
        int white = 0, blue = 0, red = 0, green = 0, grey = 0;
        int firstRow = -1, lastRow = -1;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                if (c.red() + c.green() + c.blue() > 200) {
                    if (firstRow < 0)
                        firstRow = y;
                    lastRow = y;
                }
                if (c.red() > 230 && c.green() > 230 && c.blue() > 230)
                    ++white;
                else if (c.blue() > 200 && c.red() < 60)
                    ++blue;
                else if (c.red() > 200 && c.green() < 60)
                    ++red;
                else if (c.green() > 200 && c.red() < 60)
                    ++green;
                else if (c.red() > 20 && c.red() < 230 && c.red() == c.blue())
                    ++grey; // anti-aliased edges
            }
        if (effect == "plain") {
            QVERIFY(white > 50);
            QVERIFY(grey > 0);
        } else if (effect == "shadow" || effect == "outline") {
            QVERIFY(white > 50);
            QVERIFY(blue > 20);
        } else if (effect == "gradient") {
            // Red at the top of the glyphs, green at their bottom.
            const QColor top = img.pixelColor(img.width() / 2, firstRow + 1);
            const QColor bottom = img.pixelColor(img.width() / 2, lastRow - 1);
            QVERIFY(top.red() > top.green() + 40);
            QVERIFY(bottom.green() > bottom.red() + 40);
        } else {
            QCOMPARE(white + blue + red + green + grey, 0);
        }
        if (effect == "shadow") // room for the shadow beyond the glyphs
            QCOMPARE(label.size(), label.plainTextExtent() + QSize(6, 6));
    }

    void afterPaintHookRunsEveryPaint()
    {
        TCnAALabel label;
        label.setAutoSize(false);
        label.resize(40, 20);
        int calls = 0;
        label.OnAfterPaint = [&](TCnAALabel* l) {
            QVERIFY(l->canvas());
            l->canvas()->fillRect(0, 0, 10, 10, Qt::red);
            ++calls;
        };
        QImage img(40, 20, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::black);
        label.render(&img);
        label.render(&img);
        QCOMPARE(calls, 2);
        QCOMPARE(img.pixelColor(5, 5), QColor(Qt::red));
        QVERIFY(!label.canvas());
    }

    void marqueeLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("line");
        QTest::newRow("item block") << "\r[一等奖]\r 张三 李四 \r 王五 "
                                    << "[一等奖]    张三 李四    王五";
        QTest::newRow("two blocks") << "\r[A]\r Ａ \r\r[临 A]\r Ｂ \r"
                                    << "[A]    Ａ    [临 A]    Ｂ";
        QTest::newRow("empty") << ""
                               << "";
    }
    void marqueeLine()
    {
        QFETCH(QString, text);
        QFETCH(QString, line);
        MarqueeText m;
        m.setText(text);
        QCOMPARE(m.displayText(), line);
        QCOMPARE(m.text(), text);
    }

    void marqueeScrolls()
    {
        MarqueeText m;
        QFont f(QStringLiteral("AR PL UKai CN"));
        f.setPixelSize(24);
        m.setLabelFont(f);
        m.setEffect(TextEffect());
        m.resize(200, 40);
        m.setText(QStringLiteral("\r[一等奖]\r 张三 "));
        QCOMPARE(m.offset(), 0);
        m.step();
        m.step();
        QCOMPARE(m.offset(), 4);
        // Fully gone on the left: in again from the right.
        for (int i = 0; i < 1000; ++i)
            m.step();
        QVERIFY(m.offset() < 200 + 300);
        QVERIFY(!m.active());
        m.setActive(true);
        QVERIFY(m.active());
        m.setActive(false);
        QVERIFY(!m.active());
    }
};

QTEST_MAIN(TestDrawScreen)
#include "test_drawscreen.moc"
