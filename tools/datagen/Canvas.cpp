#include "Art.h"

#include <QPainter>
#include <QRadialGradient>

#include <cmath>
#include <vector>

namespace datagen {

QImage newCanvas(int w, int h, QColor fill)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(fill);
    return img;
}

namespace {

// One box pass along rows (or columns when `vertical`) with a running sum per channel.
void boxPass(QImage& img, int r, bool vertical)
{
    const int w = img.width(), h = img.height();
    const int lines = vertical ? w : h, len = vertical ? h : w;
    const int stride = img.bytesPerLine() / 4;
    auto* px = reinterpret_cast<quint32*>(img.bits());
    std::vector<quint32> src(static_cast<size_t>(len));
    const int win = 2 * r + 1;
    for (int line = 0; line < lines; ++line) {
        auto at = [&](int i) -> quint32& {
            return vertical ? px[i * stride + line] : px[line * stride + i];
        };
        for (int i = 0; i < len; ++i)
            src[size_t(i)] = at(i);
        int sum[4] = {0, 0, 0, 0};
        auto add = [&](int i, int sign) {
            const quint32 v = src[size_t(std::clamp(i, 0, len - 1))];
            for (int c = 0; c < 4; ++c)
                sum[c] += sign * int((v >> (8 * c)) & 0xff);
        };
        for (int i = -r; i <= r; ++i)
            add(i, 1);
        for (int i = 0; i < len; ++i) {
            quint32 out = 0;
            for (int c = 0; c < 4; ++c)
                out |= quint32((sum[c] + win / 2) / win) << (8 * c);
            at(i) = out;
            add(i + r + 1, 1);
            add(i - r, -1);
        }
    }
}

bool insideCalm(QPointF p, const QRectF& calm)
{
    if (calm.isEmpty())
        return false;
    const double dx = (p.x() - calm.center().x()) / (calm.width() / 2);
    const double dy = (p.y() - calm.center().y()) / (calm.height() / 2);
    return dx * dx + dy * dy < 1.0;
}

} // namespace

void blur(QImage& img, int radius)
{
    if (radius <= 0)
        return;
    const int r = std::max(1, int(std::lround(radius / std::sqrt(3.0))));
    for (int i = 0; i < 3; ++i) {
        boxPass(img, r, false);
        boxPass(img, r, true);
    }
}

void drawBokeh(QImage& img, std::mt19937& rng, int count, double minR, double maxR,
               const QRectF& calm, int blurRadius, double alpha)
{
    QImage layer = newCanvas(img.width(), img.height());
    std::uniform_real_distribution<double> ux(0, img.width()), uy(0, img.height()), u(0, 1);
    static const QColor tones[] = {QColor(255, 196, 84), QColor(255, 158, 48),
                                   QColor(255, 220, 140), QColor(236, 116, 36)};
    {
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        for (int i = 0; i < count;) {
            const QPointF c(ux(rng), uy(rng));
            if (insideCalm(c, calm) && u(rng) < 0.92)
                continue;
            ++i;
            const double r = minR + (maxR - minR) * std::pow(u(rng), 1.8);
            QColor tone = tones[int(u(rng) * 4) % 4];
            const double a = alpha * (0.35 + 0.65 * u(rng));
            // A lens disc: even fill with a slightly brighter rim.
            QRadialGradient g(c, r);
            tone.setAlphaF(a * 0.55);
            g.setColorAt(0.0, tone);
            g.setColorAt(0.78, tone);
            tone.setAlphaF(std::min(1.0, a * 0.9));
            g.setColorAt(0.93, tone);
            tone.setAlphaF(0);
            g.setColorAt(1.0, tone);
            p.setBrush(g);
            p.drawEllipse(c, r, r);
        }
    }
    blur(layer, blurRadius);
    QPainter p(&img);
    p.setCompositionMode(QPainter::CompositionMode_Screen);
    p.drawImage(0, 0, layer);
}

void drawSparkles(QImage& img, std::mt19937& rng, int count, const QRectF& calm)
{
    std::uniform_real_distribution<double> ux(0, img.width()), uy(0, img.height()), u(0, 1);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Screen);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count;) {
        const QPointF c(ux(rng), uy(rng));
        if (insideCalm(c, calm))
            continue;
        ++i;
        const double s = 4 + 12 * std::pow(u(rng), 2.5);
        QRadialGradient halo(c, s * 1.6);
        halo.setColorAt(0, QColor(255, 240, 200, 110));
        halo.setColorAt(1, QColor(255, 200, 120, 0));
        p.setBrush(halo);
        p.drawEllipse(c, s * 1.6, s * 1.6);
        QPainterPath star;
        const double t = s * 0.16;
        star.moveTo(c + QPointF(0, -s));
        star.quadTo(c + QPointF(t, -t), c + QPointF(s, 0));
        star.quadTo(c + QPointF(t, t), c + QPointF(0, s));
        star.quadTo(c + QPointF(-t, t), c + QPointF(-s, 0));
        star.quadTo(c + QPointF(-t, -t), c + QPointF(0, -s));
        p.setBrush(QColor(255, 246, 220, 200 + int(55 * u(rng))));
        p.drawPath(star);
    }
}

void drawFretBand(QPainter& p, const QRectF& band, QColor colour, double unit)
{
    // The classic key fret: a square spiral repeated along the band.
    QPainterPath path;
    const double h = band.height();
    const double step = h * 1.25;
    for (double x = band.left(); x + step <= band.right() + 0.5; x += step) {
        const double y0 = band.top(), y1 = band.bottom();
        path.moveTo(x, y1);
        path.lineTo(x, y0);
        path.lineTo(x + h, y0);
        path.lineTo(x + h, y1 - unit * 2);
        path.lineTo(x + unit * 2, y1 - unit * 2);
        path.lineTo(x + unit * 2, y0 + unit * 2);
        path.lineTo(x + h - unit * 2, y0 + unit * 2);
        path.lineTo(x + h - unit * 2, y1 - unit * 4);
        path.moveTo(x, y1);
        path.lineTo(x + step, y1);
    }
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, unit, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPath(path);
    p.restore();
}

QPainterPath cloudMotif(QPointF c, double s, bool mirror)
{
    // Three curls on a flowing tail, as in the auspicious-cloud ornament.
    QPainterPath path;
    auto curl = [&](QPointF o, double r, double turns, double start) {
        const int n = 60;
        for (int i = 0; i <= n; ++i) {
            const double t = double(i) / n;
            const double a = start + t * turns * 2 * M_PI;
            const double rr = r * (1.0 - 0.72 * t);
            const QPointF q = o + QPointF(std::cos(a) * rr, std::sin(a) * rr);
            if (i == 0)
                path.moveTo(q);
            else
                path.lineTo(q);
        }
    };
    curl(QPointF(0, 0), 1.0, 1.15, M_PI);
    curl(QPointF(1.55, -0.35), 0.75, 1.1, M_PI * 1.1);
    curl(QPointF(-1.35, 0.25), 0.6, 1.05, 0);
    path.moveTo(-1.95, 0.25);
    path.cubicTo(-2.6, 0.9, -3.4, 0.7, -4.2, 1.0);
    path.moveTo(2.3, -0.35);
    path.cubicTo(2.8, 0.4, 2.2, 0.9, 1.2, 1.0);
    path.lineTo(-1.0, 1.0);
    QTransform tr;
    tr.translate(c.x(), c.y());
    tr.scale(mirror ? -s : s, s);
    return tr.map(path);
}

QPainterPath roundedRect(const QRectF& r, double radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

} // namespace datagen
