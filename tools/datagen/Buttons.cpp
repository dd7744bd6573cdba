#include "Art.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace datagen {

namespace {

struct Palette {
    QColor top, mid, bottom, rimLight, rimDark, text, textShadow;
};

QColor darker(QColor c, double f)
{
    return QColor::fromRgbF(c.redF() * f, c.greenF() * f, c.blueF() * f, c.alphaF());
}

QImage softShadow(int w, int h, const QRectF& body, double radius, double dy, int blurR, int a)
{
    QImage img = newCanvas(w, h);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 0, 0, a));
        p.drawPath(roundedRect(body.translated(0, dy), radius));
    }
    blur(img, blurR);
    return img;
}

} // namespace

// The draw button, drawn at twice its default 180 x 50 so it stays sharp when stretched.
QImage drawButton(const QString& text, bool stop, bool pressed)
{
    constexpr int w = 360, h = 100;
    const QRectF body(8, 6, w - 16, h - 18);
    const double radius = 26;
    Palette pal =
        stop ? Palette{QColor(246, 86, 78),   QColor(206, 26, 32),  QColor(140, 8, 14),
                       QColor(255, 236, 170), QColor(176, 116, 26), QColor(255, 246, 214),
                       QColor(90, 0, 4, 200)}
             : Palette{QColor(255, 238, 160),     QColor(242, 186, 54), QColor(196, 128, 16),
                       QColor(255, 250, 220),     QColor(150, 92, 8),   QColor(128, 10, 14),
                       QColor(255, 244, 200, 200)};
    if (pressed) {
        // Pushed in: deeper lacquer, warm rather than grey.
        if (stop) {
            pal.top = QColor(150, 20, 24);
            pal.mid = QColor(172, 18, 26);
            pal.bottom = QColor(120, 6, 12);
        } else {
            pal.top = QColor(196, 128, 28);
            pal.mid = QColor(218, 152, 40);
            pal.bottom = QColor(176, 108, 14);
        }
    }
    QImage img = newCanvas(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.drawImage(
        0, 0,
        softShadow(w, h, body, radius, pressed ? 1.5 : 5, pressed ? 3 : 6, pressed ? 110 : 150));
    const QRectF face = pressed ? body.translated(0, 2) : body;

    // Rim: a bright metal edge around the face.
    QLinearGradient rim(face.topLeft(), face.bottomLeft());
    rim.setColorAt(0, pressed ? pal.rimDark : pal.rimLight);
    rim.setColorAt(1, pressed ? pal.rimLight : pal.rimDark);
    p.setPen(Qt::NoPen);
    p.setBrush(rim);
    p.drawPath(roundedRect(face, radius));

    const QRectF inner = face.adjusted(3.5, 3.5, -3.5, -3.5);
    QLinearGradient fill(inner.topLeft(), inner.bottomLeft());
    fill.setColorAt(0, pal.top);
    fill.setColorAt(0.5, pal.mid);
    fill.setColorAt(1, pal.bottom);
    p.setBrush(fill);
    p.drawPath(roundedRect(inner, radius - 3.5));

    if (pressed) {
        // Inset: shade falling from the top edge.
        QLinearGradient inset(inner.topLeft(), inner.topLeft() + QPointF(0, inner.height() * 0.5));
        inset.setColorAt(0, QColor(0, 0, 0, 95));
        inset.setColorAt(1, QColor(0, 0, 0, 0));
        p.setBrush(inset);
        p.drawPath(roundedRect(inner, radius - 3.5));
    } else {
        // Gloss: a soft highlight over the upper half.
        const QRectF gloss = inner.adjusted(6, 3, -6, -inner.height() * 0.5);
        QLinearGradient g(gloss.topLeft(), gloss.bottomLeft());
        g.setColorAt(0, QColor(255, 255, 255, 170));
        g.setColorAt(1, QColor(255, 255, 255, 18));
        p.setBrush(g);
        p.drawPath(roundedRect(gloss, radius - 8));
        // A warm glow along the bottom, as light passes through the lacquer.
        QRadialGradient glow(QPointF(inner.center().x(), inner.bottom()), inner.width() * 0.45);
        glow.setColorAt(0, QColor(255, 255, 220, 70));
        glow.setColorAt(1, QColor(255, 255, 220, 0));
        p.setBrush(glow);
        p.drawPath(roundedRect(inner, radius - 3.5));
    }

    QFont f(QStringLiteral("WenQuanYi Zen Hei"));
    f.setPixelSize(46);
    f.setBold(true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 14);
    p.setFont(f);
    // Letter spacing also pads after the last glyph; shift back by half of it to centre.
    const QRectF textBox = inner.translated(7, pressed ? 1 : -1);
    p.setPen(pal.textShadow);
    p.drawText(textBox.translated(0, stop ? 2 : 1.5), Qt::AlignCenter, text);
    p.setPen(pressed ? darker(pal.text, stop ? 0.85 : 1.0) : pal.text);
    p.drawText(textBox, Qt::AlignCenter, text);
    return img;
}

QImage lockIcon(bool closed)
{
    QImage img = newCanvas(18, 18);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor shackle = closed ? QColor(120, 84, 20) : QColor(112, 118, 128);
    p.setPen(QPen(shackle, 2.0, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath arc;
    if (closed) {
        arc.moveTo(5.5, 9);
        arc.lineTo(5.5, 6);
        arc.arcTo(QRectF(5.5, 2, 7, 8), 180, -180);
        arc.lineTo(12.5, 9);
    } else {
        // Swung open: the right leg is out of its socket.
        arc.moveTo(5.5, 9);
        arc.lineTo(5.5, 4.5);
        arc.arcTo(QRectF(5.5, 0.8, 7, 7), 180, -180);
        arc.lineTo(12.5, 6);
    }
    p.drawPath(arc);
    const QRectF body(3, 8.5, 12, 8.5);
    QLinearGradient g(body.topLeft(), body.bottomLeft());
    if (closed) {
        g.setColorAt(0, QColor(255, 216, 96));
        g.setColorAt(1, QColor(204, 140, 20));
    } else {
        g.setColorAt(0, QColor(206, 210, 216));
        g.setColorAt(1, QColor(140, 146, 156));
    }
    p.setPen(QPen(closed ? QColor(150, 98, 10) : QColor(110, 116, 126), 1));
    p.setBrush(g);
    p.drawRoundedRect(body, 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(closed ? QColor(110, 60, 0) : QColor(80, 86, 96));
    p.drawEllipse(QPointF(9, 11.8), 1.4, 1.4);
    p.drawRect(QRectF(8.4, 12, 1.2, 2.8));
    return img;
}

QImage termButton(bool add)
{
    QImage img = newCanvas(20, 20);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor base = add ? QColor(46, 158, 91) : QColor(214, 69, 69);
    QRadialGradient g(QPointF(8, 6), 14);
    g.setColorAt(0, base.lighter(135));
    g.setColorAt(1, base.darker(115));
    p.setPen(QPen(base.darker(140), 1));
    p.setBrush(g);
    p.drawEllipse(QRectF(1.5, 1.5, 17, 17));
    p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6, 10), QPointF(14, 10));
    if (add)
        p.drawLine(QPointF(10, 6), QPointF(10, 14));
    return img;
}

QImage appIcon()
{
    constexpr int s = 256;
    QImage img = newCanvas(s, s);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF tile(8, 8, s - 16, s - 16);
    QRadialGradient bg(QPointF(s * 0.5, s * 0.38), s * 0.75);
    bg.setColorAt(0, QColor(226, 40, 40));
    bg.setColorAt(0.6, QColor(170, 14, 22));
    bg.setColorAt(1, QColor(104, 4, 10));
    p.setPen(QPen(QColor(236, 190, 96), 6));
    p.setBrush(bg);
    p.drawPath(roundedRect(tile.adjusted(3, 3, -3, -3), 50));
    // A gold wheel ring: the rolling draw.
    const QPointF c(s / 2.0, s / 2.0);
    QLinearGradient ringG(QPointF(0, 40), QPointF(0, s - 40));
    ringG.setColorAt(0, QColor(255, 236, 160));
    ringG.setColorAt(1, QColor(200, 132, 24));
    p.setPen(QPen(QBrush(ringG), 9));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 86, 86);
    p.setPen(QPen(QBrush(ringG), 2.5));
    p.drawEllipse(c, 74, 74);
    for (int i = 0; i < 24; ++i) {
        const double a = i * M_PI / 12;
        p.drawLine(c + 80 * QPointF(std::cos(a), std::sin(a)),
                   c + 92 * QPointF(std::cos(a), std::sin(a)));
    }
    QFont f(QStringLiteral("AR PL UKai CN"));
    f.setPixelSize(112);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(90, 0, 0, 160));
    const QRectF box(0, 0, s, s);
    p.drawText(box.translated(2, 5), Qt::AlignCenter, QStringLiteral("奖"));
    QLinearGradient textG(QPointF(0, 80), QPointF(0, 180));
    textG.setColorAt(0, QColor(255, 244, 196));
    textG.setColorAt(1, QColor(236, 172, 48));
    p.setPen(QPen(QBrush(textG), 1));
    p.drawText(box.translated(0, 2), Qt::AlignCenter, QStringLiteral("奖"));
    return img;
}

QImage banner()
{
    constexpr int w = 749, h = 57;
    QImage img = newCanvas(w, h, Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Deep lacquer red, dark enough for the bar's white captions and buttons.
    QLinearGradient across(QPointF(0, 0), QPointF(w, 0));
    across.setColorAt(0, QColor(120, 8, 16));
    across.setColorAt(0.55, QColor(168, 18, 28));
    across.setColorAt(1, QColor(132, 10, 18));
    p.fillRect(img.rect(), across);
    QLinearGradient down(QPointF(0, 0), QPointF(0, h));
    down.setColorAt(0, QColor(255, 255, 255, 34));
    down.setColorAt(0.5, QColor(255, 255, 255, 0));
    down.setColorAt(1, QColor(0, 0, 0, 60));
    p.fillRect(img.rect(), down);
    p.setPen(QPen(QColor(236, 190, 96, 46), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 7; ++i) {
        const double x = 40 + i * 112;
        p.drawPath(cloudMotif(QPointF(x, 26 + (i % 2) * 6), 7.5, i % 2 == 1));
    }
    p.fillRect(QRectF(0, 0, w, 1), QColor(236, 190, 96, 150));
    p.fillRect(QRectF(0, h - 3, w, 1), QColor(236, 190, 96, 200));
    p.fillRect(QRectF(0, h - 2, w, 2), QColor(70, 2, 6));
    return img;
}

} // namespace datagen
