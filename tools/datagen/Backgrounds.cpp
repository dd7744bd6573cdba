#include "Art.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>

namespace datagen {

namespace {

constexpr int W = 1920, H = 1080;
const QColor gold(236, 190, 96);

void fillStage(QPainter& p, QPointF centre, double radius, double darken)
{
    QRadialGradient g(centre, radius);
    auto shade = [darken](int r, int g, int b) {
        return QColor(int(r * darken), int(g * darken), int(b * darken));
    };
    g.setColorAt(0.0, shade(186, 18, 26));
    g.setColorAt(0.4, shade(150, 10, 18));
    g.setColorAt(0.72, shade(88, 4, 8));
    g.setColorAt(1.0, shade(30, 1, 3));
    p.fillRect(QRectF(0, 0, W, H), g);
}

// Faint rays from the centre, the festive sunburst, barely above the base colour.
void drawRays(QPainter& p, QPointF c, int rays, int alpha)
{
    p.save();
    p.setPen(Qt::NoPen);
    QRadialGradient g(c, 1300);
    g.setColorAt(0.0, QColor(255, 200, 140, 0));
    g.setColorAt(0.25, QColor(255, 200, 140, alpha));
    g.setColorAt(1.0, QColor(255, 200, 140, alpha / 3));
    p.setBrush(g);
    for (int i = 0; i < rays; ++i) {
        const double a0 = 2 * M_PI * i / rays, a1 = a0 + M_PI / rays;
        QPainterPath wedge;
        wedge.moveTo(c);
        wedge.lineTo(c + 2400 * QPointF(std::cos(a0), std::sin(a0)));
        wedge.lineTo(c + 2400 * QPointF(std::cos(a1), std::sin(a1)));
        wedge.closeSubpath();
        p.drawPath(wedge);
    }
    p.restore();
}

// Stage lights from above, angled outwards so the centre stays clear.
void drawBeams(QImage& img)
{
    QImage layer = newCanvas(W, H);
    {
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        struct Beam {
            double x, angle, spread, alpha;
        };
        const Beam beams[] = {{180, 0.30, 0.12, 0.55},   {520, 0.10, 0.10, 0.40},
                              {760, -0.42, 0.08, 0.30},  {1160, 0.42, 0.08, 0.30},
                              {1400, -0.10, 0.10, 0.40}, {1740, -0.30, 0.12, 0.55}};
        for (const Beam& b : beams) {
            const QPointF top(b.x, -40);
            const double len = 1250;
            const QPointF dir(std::sin(b.angle), std::cos(b.angle));
            const QPointF end = top + len * dir;
            QLinearGradient g(top, end);
            g.setColorAt(0.0, QColor(255, 226, 160, int(255 * b.alpha)));
            g.setColorAt(0.4, QColor(255, 196, 110, int(90 * b.alpha)));
            g.setColorAt(0.85, QColor(255, 180, 90, 0));
            p.setBrush(g);
            const QPointF side(dir.y(), -dir.x());
            QPainterPath cone;
            cone.moveTo(top + 6 * side);
            cone.lineTo(end + len * b.spread * side);
            cone.lineTo(end - len * b.spread * side);
            cone.lineTo(top - 6 * side);
            cone.closeSubpath();
            p.drawPath(cone);
            // The lamp itself.
            QRadialGradient lamp(QPointF(b.x, 0), 70);
            lamp.setColorAt(0, QColor(255, 250, 230, 230));
            lamp.setColorAt(1, QColor(255, 220, 160, 0));
            p.setBrush(lamp);
            p.drawEllipse(QPointF(b.x, 0), 70, 70);
        }
    }
    blur(layer, 10);
    QPainter p(&img);
    p.setCompositionMode(QPainter::CompositionMode_Screen);
    p.setOpacity(0.75);
    p.drawImage(0, 0, layer);
}

void drawFloorGlow(QPainter& p)
{
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Screen);
    QRadialGradient g(QPointF(W / 2.0, H + 60), 900);
    g.setColorAt(0, QColor(255, 190, 100, 120));
    g.setColorAt(0.5, QColor(220, 90, 40, 40));
    g.setColorAt(1, QColor(120, 20, 10, 0));
    p.setTransform(
        QTransform().translate(W / 2.0, H + 60).scale(1.6, 0.45).translate(-W / 2.0, -(H + 60)));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(QPointF(W / 2.0, H + 60), 900, 900);
    p.restore();
}

void drawCornerClouds(QPainter& p, int alpha, double scale)
{
    p.save();
    QColor c = gold;
    c.setAlpha(alpha);
    p.setPen(QPen(c, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const double s = 34 * scale;
    p.drawPath(cloudMotif(QPointF(180 * scale, 150 * scale), s, false));
    p.drawPath(cloudMotif(QPointF(W - 180 * scale, 150 * scale), s, true));
    p.drawPath(cloudMotif(QPointF(200 * scale, H - 170 * scale), s * 0.8, false));
    p.drawPath(cloudMotif(QPointF(W - 200 * scale, H - 170 * scale), s * 0.8, true));
    p.restore();
}

void drawBands(QPainter& p, int alpha)
{
    QColor c = gold;
    c.setAlpha(alpha);
    drawFretBand(p, QRectF(0, 18, W, 22), c, 2.4);
    drawFretBand(p, QRectF(0, H - 40, W, 22), c, 2.4);
    c.setAlpha(alpha * 2 / 3);
    p.setPen(QPen(c, 1.5));
    p.drawLine(QPointF(0, 50), QPointF(W, 50));
    p.drawLine(QPointF(0, H - 50), QPointF(W, H - 50));
}

} // namespace

QImage stageBackground()
{
    std::mt19937 rng(20260101);
    QImage img = newCanvas(W, H, Qt::black);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        fillStage(p, QPointF(W / 2.0, H * 0.45), 1250, 1.0);
        drawRays(p, QPointF(W / 2.0, H * 0.45), 36, 5);
    }
    drawBeams(img);
    const QRectF calm(W * 0.2, H * 0.22, W * 0.6, H * 0.56);
    drawBokeh(img, rng, 38, 40, 110, calm, 14, 0.32); // far, soft
    drawBokeh(img, rng, 80, 8, 34, calm, 3, 0.55);    // near, crisp
    drawSparkles(img, rng, 46, calm.adjusted(-80, -60, 80, 60));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    drawFloorGlow(p);
    drawCornerClouds(p, 110, 1.0);
    drawBands(p, 120);
    return img;
}

QImage listBackground()
{
    std::mt19937 rng(20260202);
    QImage img = newCanvas(W, H, Qt::black);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        fillStage(p, QPointF(W / 2.0, H / 2.0), 1300, 0.82);
        drawRays(p, QPointF(W / 2.0, H / 2.0), 48, 3);
    }
    const QRectF calm(W * 0.08, H * 0.1, W * 0.84, H * 0.8);
    drawBokeh(img, rng, 60, 30, 90, calm, 12, 0.35);
    drawBokeh(img, rng, 60, 6, 22, calm, 2, 0.55);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // A calm, slightly darker reading panel for the scrolling names.
    QRadialGradient shade(QPointF(W / 2.0, H / 2.0), 760);
    shade.setColorAt(0, QColor(40, 0, 0, 70));
    shade.setColorAt(1, QColor(40, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.setTransform(
        QTransform().translate(W / 2.0, H / 2.0).scale(1.25, 0.7).translate(-W / 2.0, -H / 2.0));
    p.drawEllipse(QPointF(W / 2.0, H / 2.0), 760, 760);
    p.resetTransform();
    // A double gold frame with cloud curls in the corners.
    QColor c = gold;
    c.setAlpha(150);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c, 3));
    p.drawRect(QRectF(40, 40, W - 80, H - 80));
    c.setAlpha(90);
    p.setPen(QPen(c, 1.5));
    p.drawRect(QRectF(54, 54, W - 108, H - 108));
    // Diamonds where the frames meet in the corners.
    c.setAlpha(170);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    for (const QPointF corner :
         {QPointF(47, 47), QPointF(W - 47, 47), QPointF(47, H - 47), QPointF(W - 47, H - 47)}) {
        QPainterPath diamond;
        diamond.moveTo(corner + QPointF(0, -11));
        diamond.lineTo(corner + QPointF(11, 0));
        diamond.lineTo(corner + QPointF(0, 11));
        diamond.lineTo(corner + QPointF(-11, 0));
        diamond.closeSubpath();
        p.drawPath(diamond);
    }
    c.setAlpha(80);
    p.setPen(QPen(c, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const double s = 24;
    p.drawPath(cloudMotif(QPointF(210, 130), s, false));
    p.drawPath(cloudMotif(QPointF(W - 210, 130), s, true));
    p.drawPath(cloudMotif(QPointF(210, H - 120), s, false));
    p.drawPath(cloudMotif(QPointF(W - 210, H - 120), s, true));
    return img;
}

QImage blankPicture()
{
    constexpr int w = 400, h = 300;
    QImage img = newCanvas(w, h, Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(QPointF(w / 2.0, h * 0.42), w * 0.75);
    g.setColorAt(0, QColor(243, 244, 246));
    g.setColorAt(1, QColor(220, 223, 228));
    p.fillRect(img.rect(), g);
    // A framed landscape, the universal sign for "picture".
    const QColor ink(168, 174, 184);
    const QRectF frame(w / 2.0 - 62, h / 2.0 - 50, 124, 96);
    p.setPen(QPen(ink, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(frame, 10, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QPointF(frame.right() - 30, frame.top() + 28), 10, 10);
    QPainterPath hills;
    hills.moveTo(frame.left() + 10, frame.bottom() - 10);
    hills.lineTo(frame.left() + 44, frame.top() + 42);
    hills.lineTo(frame.left() + 68, frame.bottom() - 34);
    hills.lineTo(frame.left() + 82, frame.top() + 58);
    hills.lineTo(frame.right() - 10, frame.bottom() - 10);
    hills.closeSubpath();
    p.drawPath(hills);
    QFont f(QStringLiteral("WenQuanYi Zen Hei"));
    f.setPixelSize(20);
    p.setFont(f);
    p.setPen(QColor(150, 156, 166));
    p.drawText(QRectF(0, frame.bottom() + 14, w, 30), Qt::AlignHCenter | Qt::AlignTop,
               QStringLiteral("暂无图片"));
    return img;
}

} // namespace datagen
