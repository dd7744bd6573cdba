#include "TestProject.h"
#include "draw/Results.h"
#include "screen/ListTextRenderer.h"
#include "screen/MultiLineLabel.h"
#include "screen/ScrollingText.h"
#include "screen/StretchedPicture.h"
#include "screen/TfrmZJQD.h"
#include "screen/WinnersList.h"
#include "screen/WinnersListPrint.h"
#include "store/Pictures.h"
#include "store/ValueCodec.h"

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QPainter>
#include <QTest>
#include <QTimer>

using namespace varnel;

namespace {

const QChar S(0x3000);

QString outDir()
{
    const QString d = qEnvironmentVariable("VARNEL_RENDER_DIR");
    return d.isEmpty() ? QString() : d + QLatin1Char('/');
}

void saveRender(QWidget& w, const QString& name)
{
    if (!outDir().isEmpty())
        w.grab().save(outDir() + name);
}

QStringList winnersLines(int n)
{
    QStringList v;
    for (int i = 1; i <= n; ++i)
        v << QStringLiteral("中奖者%1").arg(i, 5, 10, QLatin1Char('0'));
    return resultLines(
        QLatin1Char('\r') + QStringLiteral("[一等奖]\r ") +
        entryRows(v, 2, 8, StarMaskParams{}, QStringLiteral(" "), QStringLiteral("\r "), 40));
}

// Counts pixels close to the font colour (white) in a band of rows.
int whitePixels(const QImage& img, int top, int bottom)
{
    int n = 0;
    for (int y = std::max(0, top); y < std::min(bottom, img.height()); ++y)
        for (int x = 0; x < img.width(); x += 2) {
            const QColor c = img.pixelColor(x, y);
            if (c.red() > 235 && c.green() > 235 && c.blue() > 235)
                ++n;
        }
    return n;
}

WinnersListRequest drawRequest(const QStringList& lines)
{
    WinnersListRequest r;
    r.lines = lines;
    r.itemName = QStringLiteral("一等奖");
    r.title = QStringLiteral("年终晚会");
    r.printMenu = true;
    r.windowMode = true;
    r.geometry = QRect(10, 20, 800, 600);
    return r;
}

} // namespace

class TestWinnersList : public QObject {
    Q_OBJECT
private slots:
    void creationBuildsDemonstration();
    void styleKey_data();
    void styleKey();
    void drawModeClosesOnKeyAndClick_data();
    void drawModeClosesOnKeyAndClick();
    void modalOpenerReturnsOnKey();
    void adjustModeKeepsKeysAndExitStoresFont();
    void columnsCommand_data();
    void columnsCommand();
    void backgroundCommands();
    void badStoredBackgroundShowsBlank();
    void stillStyleRecyclesLines();
    void defaultStyleScrollsTextAndFades();
    void emptyListDoesNotScroll();
    void veryLongLineIsBounded();
    void printLayoutAndPdf();
    void printFailureMessage();
    void geometry();
};

void TestWinnersList::creationBuildsDemonstration()
{
    TestProject tp;
    tp.db().exec("delete from z_set where name = '滚动名单中奖列数'");
    for (int i = 1; i <= 7; ++i)
        tp.addParticipant(i, QStringLiteral("P%1").arg(i));
    TfrmZJQD w(tp.ctx());
    QCOMPARE(w.windowTitle(), QStringLiteral("清单"));
    QCOMPARE(w.property("tag").toInt(), 99);
    QCOMPARE(tp.column("select var from z_set where name = '滚动名单中奖列数'"),
             QVariantList{QString("3")});
    const QStringList lines = w.lbl1->lines();
    QCOMPARE(lines.size(), 6);
    QCOMPARE(lines.at(1), QStringLiteral("[滚动中奖清单演示数据]"));
    QCOMPARE(lines.at(4), QString(2, S) + ToFullWidth("P7") + QString(2, S) + QString(2, S) +
                              QString(2, S) + QString(2, S) + QString(2, S));
    // The stored font: 黑体 20 bold, white.
    QCOMPARE(w.listFont().pointSize(), 20);
    QVERIFY(w.listFont().bold());
    QCOMPARE(w.listFontColour(), QColor(Qt::white));
    QVERIFY(!w.DefaultBackground().isEmpty());
    QVERIFY(!QImage::fromData(w.DefaultBackground(), "JPG").isNull());

    TestProject none;
    TfrmZJQD empty(none.ctx());
    QVERIFY(empty.lbl1->lines().isEmpty());
}

void TestWinnersList::styleKey_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<bool>("adjust");
    QTest::addColumn<bool>("still");
    QTest::newRow("missing, draw") << QVariant() << false << false;
    QTest::newRow("0, draw") << QVariant("0") << false << false;
    QTest::newRow("1, draw") << QVariant("1") << false << false;
    QTest::newRow("-1, draw") << QVariant("-1") << false << true;
    QTest::newRow("-1, adjust") << QVariant("-1") << true << true;
    QTest::newRow("0, adjust") << QVariant("0") << true << false;
}

void TestWinnersList::styleKey()
{
    QFETCH(QVariant, stored);
    QFETCH(bool, adjust);
    QFETCH(bool, still);
    TestProject tp;
    tp.addParticipants(5);
    if (stored.isValid())
        tp.settings().save("滚动名单背景禁止", stored.toString());
    TfrmZJQD w(tp.ctx());
    if (adjust)
        prepareWinnersListAdjust(tp.ctx(), w, nullptr);
    else
        prepareWinnersList(w, drawRequest(winnersLines(6)), nullptr);
    w.show();
    QCOMPARE(w.N8->isChecked(), still);
    QCOMPARE(w.img1->isVisible(), still);
    QCOMPARE(w.lbl1->isVisible(), still);
    QCOMPARE(w.astlbl1->isVisible(), !still);
    // The scroller holds the lines whenever it may be shown, and lbl1's popup menu.
    if (!still || adjust)
        QCOMPARE(w.astlbl1->lines(), w.lbl1->lines());
    QCOMPARE(w.astlbl1->contextMenuPolicy(), Qt::CustomContextMenu);
    if (still) {
        QVERIFY(w.lbl1->transparent());
        QCOMPARE(w.lbl1->x(), w.img1->width() / 2 - w.lbl1->width() / 2);
        QCOMPARE(w.lbl1->y(), w.img1->height() / 3);
    }
    saveRender(w, QStringLiteral("winners_%1_%2.png")
                      .arg(adjust ? "adjust" : "draw", still ? "still" : "scroll"));
}

void TestWinnersList::drawModeClosesOnKeyAndClick_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("key") << "key";
    QTest::newRow("escape") << "escape";
    QTest::newRow("click on the scroller") << "astlbl1";
    QTest::newRow("click on the label") << "lbl1";
    QTest::newRow("click on the picture") << "img1";
}

void TestWinnersList::drawModeClosesOnKeyAndClick()
{
    QFETCH(QString, how);
    TestProject tp;
    tp.settings().save("滚动名单背景禁止", how == "astlbl1" ? "0" : "-1");
    TfrmZJQD w(tp.ctx());
    prepareWinnersList(w, drawRequest(winnersLines(10)), nullptr);
    w.show();
    w.tmr1Timer();
    QVERIFY(w.Scrolling);
    if (how == "key")
        QTest::keyClick(&w, Qt::Key_A);
    else if (how == "escape")
        QTest::keyClick(&w, Qt::Key_Escape);
    else
        QTest::mouseClick(w.findChild<QWidget*>(how), Qt::LeftButton);
    QVERIFY(!w.Scrolling);
    QVERIFY(!w.isVisible());
    QCOMPARE(w.result(), int(QDialog::Accepted));
    QVERIFY(!w.stillScrollRunning());
    QVERIFY(!w.astlbl1->active());
}

void TestWinnersList::modalOpenerReturnsOnKey()
{
    TestProject tp;
    bool sawScrolling = false;
    QTimer::singleShot(0, [&] {
        auto* w = dynamic_cast<TfrmZJQD*>(QApplication::activeModalWidget());
        QVERIFY(w);
        sawScrolling =
            QTest::qWaitFor([w] { return w->astlbl1->active() && w->astlbl1->offset() > 0; }, 5000);
        QTest::keyClick(w, Qt::Key_Space);
    });
    showWinnersListModal(tp.ctx(), drawRequest(winnersLines(4)), nullptr);
    QVERIFY(sawScrolling);
}

void TestWinnersList::adjustModeKeepsKeysAndExitStoresFont()
{
    TestProject tp;
    tp.addParticipants(4);
    TfrmZJQD w(tp.ctx());
    prepareWinnersListAdjust(tp.ctx(), w, nullptr);
    w.show();
    QVERIFY(w.adjustMode());
    QTest::keyClick(&w, Qt::Key_Escape);
    QTest::keyClick(&w, Qt::Key_Space);
    QTest::mouseClick(w.astlbl1, Qt::LeftButton);
    QVERIFY(w.isVisible());
    QVERIFY(!w.tmr1->isActive());

    QFont chosen(QStringLiteral("楷体_GB2312"));
    chosen.setPointSize(28);
    chosen.setItalic(true);
    tp.dialogs().answerFont(chosen);
    w.N5Click();
    QCOMPARE(w.listFont().pointSize(), 28);
    QCOMPARE(w.astlbl1->textStyle().font.pointSize(), 28);
    w.N5Click(); // cancelled: nothing changes
    QCOMPARE(w.listFont().pointSize(), 28);
    w.N3Click();
    QVERIFY(!w.isVisible());
    QCOMPARE(tp.settings().read("滚动清单字体"),
             QStringLiteral("楷体_GB2312;16777215;28;[fsItalic];"));
}

void TestWinnersList::columnsCommand_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("rows");
    QTest::newRow("4 columns") << "4"
                               << "4" << 2;
    QTest::newRow("not a number keeps 3") << "abc"
                                          << "3" << 3;
    QTest::newRow("cancel keeps 3") << QString() << "3" << 3;
    QTest::newRow("0 lists one column") << "0"
                                        << "0" << 7;
}

void TestWinnersList::columnsCommand()
{
    QFETCH(QString, answer);
    QFETCH(QString, stored);
    QFETCH(int, rows);
    TestProject tp;
    tp.addParticipants(7);
    TfrmZJQD w(tp.ctx());
    prepareWinnersListAdjust(tp.ctx(), w, nullptr);
    w.show();
    if (answer.isNull())
        tp.dialogs().answerCancel();
    else
        tp.dialogs().answerText(answer);
    w.N7Click();
    QCOMPARE(tp.dialogs().shown.last().title, QStringLiteral("输入"));
    QCOMPARE(tp.dialogs().shown.last().text, QStringLiteral("列数:"));
    QCOMPARE(tp.settings().read("滚动名单中奖列数"), stored);
    QCOMPARE(w.lbl1->lines().size(), 2 + rows + 1);
    QCOMPARE(w.astlbl1->lines(), w.lbl1->lines());
}

void TestWinnersList::backgroundCommands()
{
    TestProject tp;
    tp.writeFile("bmp/green.jpg", TestProject::makeJpeg(64, 48, QColor(0, 200, 0)));
    tp.writeFile("bmp/fake.jpg", "not a picture");
    TfrmZJQD w(tp.ctx());
    prepareWinnersListAdjust(tp.ctx(), w, nullptr);
    w.show();
    const QImage builtIn = w.img1->picture();

    tp.dialogs().answerText(tp.file("bmp/green.jpg"));
    w.N1Click();
    QCOMPARE(tp.dialogs().shown.last().text, QStringLiteral("JPEG Image File (*.jpg)|*.jpg"));
    QCOMPARE(tp.settings().read("中奖清单背景图"), QStringLiteral("green.jpg"));
    QCOMPARE(tp.settings().readBlob("中奖清单背景图"),
             TestProject::makeJpeg(64, 48, QColor(0, 200, 0)));
    QCOMPARE(w.img1->picture().size(), QSize(64, 48));
    QCOMPARE(w.astlbl1->background().size(), QSize(64, 48));

    // A file that does not decode is refused with a message; the stored picture stays.
    tp.dialogs().answerText(tp.file("bmp/fake.jpg"));
    w.N1Click();
    QCOMPARE(tp.dialogs().shown.last().kind, QStringLiteral("error"));
    QVERIFY(tp.dialogs().shown.last().text.contains("fake.jpg"));
    QCOMPARE(tp.settings().read("中奖清单背景图"), QStringLiteral("green.jpg"));

    // A new window shows the stored picture; restoring brings back the built-in one.
    TfrmZJQD again(tp.ctx());
    QCOMPARE(again.img1->picture().size(), QSize(64, 48));
    again.N4Click();
    QCOMPARE(tp.settings().read("中奖清单背景图"), QString());
    QVERIFY(tp.settings().readBlob("中奖清单背景图").isEmpty());
    QCOMPARE(again.img1->picture(), builtIn);
    QCOMPARE(again.astlbl1->background(), builtIn);
    TfrmZJQD third(tp.ctx());
    QCOMPARE(third.img1->picture(), builtIn);

    // The style switch stores "-1" / "0" in one row.
    w.N8Click();
    QCOMPARE(tp.column("select var from z_set where name = '滚动名单背景禁止'"),
             QVariantList{QString("-1")});
    QVERIFY(w.img1->isVisible() && w.lbl1->isVisible() && !w.astlbl1->isVisible());
    w.N8->trigger();
    QCOMPARE(tp.column("select var from z_set where name = '滚动名单背景禁止'"),
             QVariantList{QString("0")});
    QVERIFY(!w.img1->isVisible() && w.astlbl1->isVisible());
}

void TestWinnersList::badStoredBackgroundShowsBlank()
{
    TestProject tp;
    tp.settings().saveWithBlob("中奖清单背景图", "broken.jpg", "garbage");
    TfrmZJQD w(tp.ctx());
    QCOMPARE(w.img1->picture(), tp.blank());
    QVERIFY(tp.dialogs().shown.isEmpty());
}

void TestWinnersList::stillStyleRecyclesLines()
{
    TestProject tp;
    tp.settings().save("滚动名单背景禁止", "-1");
    TfrmZJQD w(tp.ctx());
    QStringList lines;
    for (int i = 0; i < 40; ++i)
        lines << QStringLiteral("第%1行").arg(i);
    WinnersListRequest r = drawRequest(lines);
    r.geometry = QRect(0, 0, 400, 300);
    prepareWinnersList(w, r, nullptr);
    w.show();
    const int h = w.lbl1->lineHeight();
    QCOMPARE(w.lbl1->height(), 40 * h);
    w.tmr1Timer();
    QVERIFY(w.stillScrollRunning());
    const int v = w.img1->height() / h + 2;
    QCOMPARE(w.lbl1->lines().size(), v + 1);
    QCOMPARE(w.lbl1->height(), h * v);
    QCOMPARE(w.lbl1->lines().first(), QStringLiteral("第0行"));

    const int top = w.lbl1->y();
    w.stillScrollTurn();
    QCOMPARE(w.lbl1->y(), top - 1);
    // Scroll until the first line has left: it is recycled, the next line is appended.
    while (w.lbl1->y() > -h)
        w.stillScrollTurn();
    w.stillScrollTurn();
    QCOMPARE(w.lbl1->y(), -1);
    QCOMPARE(w.lbl1->lines().first(), QStringLiteral("第1行"));
    QCOMPARE(w.lbl1->lines().last(), QStringLiteral("第%1行").arg(v + 1));
    QCOMPARE(w.lbl1->lines().size(), v + 1);
    // The whole list is still printed, not only the lines in view.
    QCOMPARE(w.listLines(), lines);
    // Round the end of the list it comes back to the first line.
    for (int i = 0; i < 38 * h; ++i)
        w.stillScrollTurn();
    QCOMPARE(w.lbl1->lines().first(), QStringLiteral("第39行"));
    QVERIFY(w.lbl1->lines().contains(QStringLiteral("第0行")));
    QVERIFY(w.lbl1->lines().contains(QStringLiteral("第39行")));

    w.Scrolling = false;
    w.stillScrollTurn();
    QVERIFY(!w.stillScrollRunning());
}

void TestWinnersList::defaultStyleScrollsTextAndFades()
{
    TestProject tp;
    TfrmZJQD w(tp.ctx());
    WinnersListRequest r = drawRequest(winnersLines(400));
    r.geometry = QRect(0, 0, 960, 540);
    prepareWinnersList(w, r, nullptr);
    w.show();
    w.tmr1Timer();
    QVERIFY(w.astlbl1->active());
    QCOMPARE(w.astlbl1->interval(), 30);
    QCOMPARE(w.astlbl1->fadeHeight(), 100);
    w.astlbl1->setActive(false);
    w.astlbl1->advance(400);
    const QImage frame = w.astlbl1->grab().toImage();
    // Text in the middle at full strength, hardly any in the outermost rows of the fades.
    QVERIFY(whitePixels(frame, 150, 390) > 500);
    QCOMPARE(whitePixels(frame, 0, 8), 0);
    QCOMPARE(whitePixels(frame, 532, 540), 0);
    const QImage before = frame;
    w.astlbl1->advance(w.astlbl1->step());
    QVERIFY(w.astlbl1->grab().toImage() != before);
    saveRender(w, QStringLiteral("winners_draw_scroll_moving.png"));
}

void TestWinnersList::emptyListDoesNotScroll()
{
    TestProject tp;
    TfrmZJQD w(tp.ctx());
    prepareWinnersList(w, drawRequest(resultLines(QString())), nullptr);
    w.show();
    QVERIFY(w.listLines().isEmpty());
    w.tmr1Timer();
    QVERIFY(!w.astlbl1->active());
    QVERIFY(!w.stillScrollRunning());
}

void TestWinnersList::veryLongLineIsBounded()
{
    ListTextRenderer r;
    ListTextStyle style;
    style.font.setPointSize(20);
    r.setStyle(style);
    const QImage img = r.render(QString(20000, QChar(0x5F20)));
    QVERIFY(!img.isNull());
    QVERIFY(img.width() <= ListTextRenderer::kMaxLineWidth + 2 * r.margin());
    QVERIFY(r.render(QStringLiteral("   ")).isNull());
    QCOMPARE(r.render(QStringLiteral("张")).height(),
             QFontMetrics(style.font).height() + 2 * r.margin());
}

void TestWinnersList::printLayoutAndPdf()
{
    const QList<PrintLine> layout =
        winnersPrintLines({"", "[一等奖]", " ＡＢ"}, "年终晚会", "一等奖");
    const QList<PrintLine> expected = {{"", 20},
                                       {QString(S) + "年终晚会(一等奖)抽取明细清单", 20},
                                       {QString(2, S), 16},
                                       {QString(2, S) + "[一等奖]", 16},
                                       {QString(2, S) + " ＡＢ", 16}};
    QCOMPARE(layout, expected);

    TestProject tp;
    TfrmZJQD w(tp.ctx());
    prepareWinnersList(w, drawRequest(winnersLines(300)), nullptr);
    QCOMPARE(w.pm2->actions().first()->text(), QStringLiteral("打印(&P)"));
    QCOMPARE(w.lbl1->contextMenuPolicy(), Qt::CustomContextMenu);
    const QString pdf = tp.file("list.pdf");
    w.setPrintOutputFile(pdf);
    w.P1Click(); // dialog cancelled: nothing printed
    QVERIFY(!QFile::exists(pdf));
    tp.dialogs().answerYes();
    w.P1Click();
    QFile f(pdf);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    QVERIFY(bytes.size() > 5000);
    QVERIFY(bytes.count("/Type /Page\n") + bytes.count("/Type /Page ") +
                bytes.count("/Type/Page") >=
            2); // 150 rows do not fit one page
}

void TestWinnersList::printFailureMessage()
{
    TestProject tp;
    TfrmZJQD w(tp.ctx());
    prepareWinnersList(w, drawRequest(winnersLines(3)), nullptr);
    w.setPrintOutputFile(tp.file("no/such/folder/list.pdf"));
    tp.dialogs().answerYes();
    w.P1Click();
    QCOMPARE(tp.dialogs().shown.last().kind, QStringLiteral("message"));
    QCOMPARE(tp.dialogs().shown.last().text, QStringLiteral("错误的打印文件"));
    QCOMPARE(tp.dialogs().shown.last().icon, Dialogs::Icon::Error);
}

void TestWinnersList::geometry()
{
    TestProject tp;
    TfrmZJQD windowed(tp.ctx());
    prepareWinnersList(windowed, drawRequest({"a"}), nullptr);
    QCOMPARE(windowed.size(), QSize(800, 600));
    QVERIFY(!(windowed.windowFlags() & Qt::FramelessWindowHint));

    WinnersListRequest full = drawRequest({"a"});
    full.windowMode = false;
    TfrmZJQD screen(tp.ctx());
    prepareWinnersList(screen, full, nullptr);
    QVERIFY(screen.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(screen.windowState() & Qt::WindowMaximized);

    tp.settings().save("抽奖界面窗口模式", "-1");
    tp.settings().save("抽奖界面窗口宽", "500");
    tp.settings().save("抽奖界面窗口高", "350");
    TfrmZJQD adjust(tp.ctx());
    prepareWinnersListAdjust(tp.ctx(), adjust, nullptr);
    QCOMPARE(adjust.size(), QSize(500, 350));
    QVERIFY(adjust.adjustMode());
    QCOMPARE(adjust.pm1->actions().size(), 8);
    QStringList captions;
    for (QAction* a : adjust.pm1->actions())
        captions << a->text();
    QCOMPARE(captions, QStringList({"设置字体", "设置清单列数", "", "更换背景图片", "恢复默认背景",
                                    "背景禁止不动(慢)", "", "退出"}));
}

QTEST_MAIN(TestWinnersList)
#include "test_winnerslist.moc"
