// The rolling area's frames: wrapped and cut text, pointer marks, cells with pictures and the
// cached background.
#include "draw/RollRenderer.h"
#include "draw/Zoom.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTest>

using namespace varnel;

namespace {

QImage solid(int w, int h, QColor c)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

QFont cjkFont(int size)
{
    QFont f(QStringLiteral("WenQuanYi Zen Hei"));
    f.setPixelSize(size);
    return f;
}

RollRenderer makeRenderer(bool horizontal, bool pictures, int cells = 5)
{
    RollSettings s;
    s.CellWidth = 120;
    s.CellHeight = 40;
    s.CellCount = cells;
    s.HorizontalRoll = horizontal;
    s.ShowCellPictures = pictures;
    s.ShowCellText = true;
    RollRenderer r;
    r.setSettings(s);
    r.setFont(cjkFont(16), QColor(0, 255, 0));
    const QSize area = horizontal ? QSize(120 * cells, 40) : QSize(120, 40 * cells);
    r.setGeometry(QSize(800, 600), QRect(QPoint(100, 50), area));
    r.setBackground(solid(400, 300, QColor(0, 0, 200)));
    return r;
}

TGDList strip(const QImage& pic)
{
    TGDList s;
    for (size_t k = 0; k < 6; ++k) {
        s.SlotText[k] = QStringLiteral("张三%1").arg(k);
        s.SlotPic[k] = pic;
    }
    return s;
}

} // namespace

class TestRollRender : public QObject {
    Q_OBJECT
private slots:
    void wrappedText_data();
    void wrappedText();
    void pointerMarks_data();
    void pointerMarks();
    void cellPicturesAndText();
    void cachedFrameEqualsLiteral();
    void zoomPicture();
};

void TestRollRender::wrappedText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QSize>("rect");
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("cut");

    QTest::newRow("fits") << "张三" << QSize(120, 40) << 1 << false;
    QTest::newRow("blank") << "   " << QSize(120, 40) << 0 << false;
    QTest::newRow("two lines fit") << "一二三四五六七八九十" << QSize(100, 60) << 2 << false;
    QTest::newRow("cut on the last line")
        << "一二三四五六七八九十甲乙丙丁戊己庚辛壬癸" << QSize(100, 40) << 1 << true;
    QTest::newRow("cut to two lines")
        << "一二三四五六七八九十甲乙丙丁戊己庚辛壬癸" << QSize(100, 60) << 2 << true;
}

void TestRollRender::wrappedText()
{
    QFETCH(QString, text);
    QFETCH(QSize, rect);
    QFETCH(int, lines);
    QFETCH(bool, cut);
    const QFontMetrics fm(cjkFont(20));
    const QStringList got = wrappedLines(fm, text, QRect(QPoint(0, 0), rect));
    QCOMPARE(int(got.size()), lines);
    for (const QString& l : got)
        QVERIFY(fm.horizontalAdvance(l) <= rect.width());
    if (lines == 0)
        return;
    QCOMPARE(got.last().endsWith(QChar(0x2026)), cut);
    if (!cut)
        QCOMPARE(got.join(QString()), text);
    else
        QVERIFY(text.startsWith(got.join(QString()).chopped(1)));
}

void TestRollRender::pointerMarks_data()
{
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<QList<QPoint>>("foreground");
    QTest::addColumn<QList<QPoint>>("shadow");
    // Font height 16 px -> t = height / 4.
    const int t = QFontMetrics(cjkFont(16)).height() / 4;
    const int cy = 40 * 5 / 2;
    QTest::newRow("vertical") << false << QList<QPoint>{{120 - 4, cy}, {2, cy}}
                              << QList<QPoint>{{120 - 2, cy + t}, {3, cy + t + 1}};
    const int cx = 600 / 2;
    QTest::newRow("horizontal") << true << QList<QPoint>{{cx, 40 - 4}}
                                << QList<QPoint>{{cx + 2 + t - 1, 40 - 1}};
}

void TestRollRender::pointerMarks()
{
    QFETCH(bool, horizontal);
    QFETCH(QList<QPoint>, foreground);
    QFETCH(QList<QPoint>, shadow);
    RollRenderer r = makeRenderer(horizontal, false);
    TGDList empty;
    const QImage frame = r.composeFrame(empty, horizontal ? 120 : 40);
    QCOMPARE(frame.size(), horizontal ? QSize(600, 40) : QSize(120, 200));
    for (const QPoint& p : foreground)
        QCOMPARE(frame.pixelColor(p), QColor(0, 255, 0));
    for (const QPoint& p : shadow)
        QCOMPARE(frame.pixelColor(p), QColor(0x44, 0x44, 0x44));
    // Elsewhere the background shows through (a transparent-looking area).
    QCOMPARE(frame.pixelColor(60, 5), QColor(0, 0, 200));
}

void TestRollRender::cellPicturesAndText()
{
    RollRenderer r = makeRenderer(false, true);
    const QImage frame = r.composeFrame(strip(solid(30, 30, Qt::red)), 40);
    // Slot 1 ends in cell 0: black frame 2 px, red picture above a text band.
    QCOMPARE(frame.pixelColor(0, 0), QColor(Qt::black));
    QCOMPARE(frame.pixelColor(60, 4), QColor(Qt::red));
    const int th = QFontMetrics(cjkFont(16)).height();
    QCOMPARE(frame.pixelColor(3, 40 - 1), QColor(Qt::black)); // band has no picture
    bool green = false;
    for (int x = 0; x < 120 && !green; ++x)
        for (int y = 40 - th; y < 40 && !green; ++y)
            green = frame.pixelColor(x, y).green() > 200 && frame.pixelColor(x, y).red() < 60;
    QVERIFY(green); // the name in the font colour
}

void TestRollRender::cachedFrameEqualsLiteral()
{
    for (bool horizontal : {false, true}) {
        RollRenderer r = makeRenderer(horizontal, true);
        const TGDList s = strip(solid(50, 70, QColor(200, 120, 0)));
        for (int pos : {1, 17, horizontal ? 120 : 40})
            QCOMPARE(r.composeFrame(s, pos), r.composeFrameLiteral(s, pos));
        // A new background is picked up.
        r.setBackground(solid(400, 300, QColor(10, 200, 10)));
        QCOMPARE(
            r.composeFrame(s, 5).pixelColor(horizontal ? 300 : 60, horizontal ? 20 : 100).isValid(),
            true);
        QCOMPARE(r.composeFrame(s, 5), r.composeFrameLiteral(s, 5));
    }
}

void TestRollRender::zoomPicture()
{
    RollRenderer r = makeRenderer(false, true, 3);
    const QRect z = Zoom::geometryFor(r); // 40 x 2.6 = 104 high, 312 wide
    QCOMPARE(z, QRect(418 - 156, 365 - 52, 312, 104));
    const QImage pic =
        Zoom::composePicture(r, z.size(), solid(10, 10, Qt::red), QStringLiteral("张三"));
    QCOMPARE(pic.pixelColor(1, 1), QColor(Qt::black));
    QCOMPARE(pic.pixelColor(156, 20), QColor(Qt::red));
    const int th = QFontMetrics(cjkFont(16)).height();
    QCOMPARE(pic.pixelColor(5, 104 - th - 4 + 1).rgb(), QColor(Qt::black).rgb());
}

QTEST_MAIN(TestRollRender)
#include "test_roll_render.moc"
