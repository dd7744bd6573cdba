// Time to compose one frame of the rolling area: 1920x1080 background, five visible cells
// with photos and names. Prints the cached way, the plain way and their ratio.
#include "draw/RollRenderer.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace varnel;

namespace {

QImage picture(int w, int h, QColor a, QColor b)
{
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, w, h);
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    p.fillRect(img.rect(), g);
    p.setPen(Qt::white);
    p.drawEllipse(QRect(w / 4, h / 6, w / 2, h / 2));
    return img;
}

template <typename F> double medianMs(int runs, F&& f)
{
    std::vector<double> t;
    t.reserve(size_t(runs));
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        f(i);
        t.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    RollSettings s;
    s.CellWidth = 200;
    s.CellHeight = 150;
    s.CellCount = 5;
    s.ShowCellPictures = true;
    s.ShowCellText = true;
    RollRenderer r;
    r.setSettings(s);
    QFont font(QStringLiteral("WenQuanYi Zen Hei"));
    font.setPointSize(18);
    font.setBold(true);
    r.setFont(font, Qt::white);
    // The stored background is decoded at its own size and stretched to the screen.
    r.setBackground(picture(1600, 1200, QColor(160, 10, 10), QColor(250, 180, 40)));
    r.setGeometry(QSize(1920, 1080), QRect(QPoint(860, 165), QSize(200, 750)));

    TGDList strip;
    const QStringList names = {"张三丰", "李四光", "王五福", "赵六顺", "钱七星", "孙八方"};
    for (size_t k = 0; k < 6; ++k) {
        strip.SlotText[k] = names[qsizetype(k)];
        strip.SlotPic[k] = picture(400, 520, QColor(20, 40 * int(k), 120), QColor(230, 230, 230));
    }
    // "--save <file>" writes one mid-step frame, to look at.
    const QStringList args = app.arguments();
    if (const qsizetype at = args.indexOf(QStringLiteral("--save")); at > 0 && at + 1 < args.size())
        r.composeFrame(strip, 60).save(args[at + 1]);
    r.composeFrame(strip, 1); // first frame fills the caches
    const double cached = medianMs(400, [&](int i) { r.composeFrame(strip, 1 + i % 150); });
    const double literal = medianMs(15, [&](int i) { r.composeFrameLiteral(strip, 1 + i % 150); });
    std::printf("roll_frame_ms: %.3f ms\n", cached);
    std::printf("roll_frame_literal_ms: %.3f ms\n", literal);
    std::printf("roll_frame_speedup: %.1f x\n", literal / cached);
    return 0;
}
