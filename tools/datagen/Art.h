#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QString>

#include <random>

namespace datagen {

// Drawing helpers shared by the pictures.
QImage newCanvas(int w, int h, QColor fill = Qt::transparent);
// Three box passes approximate a Gaussian of the given radius.
void blur(QImage& img, int radius);
// Soft out-of-focus light discs, kept away from the ellipse `calm` where text goes.
void drawBokeh(QImage& img, std::mt19937& rng, int count, double minR, double maxR,
               const QRectF& calm, int blurRadius, double alpha);
// Four-pointed glints.
void drawSparkles(QImage& img, std::mt19937& rng, int count, const QRectF& calm);
// A band of the fret pattern along a rectangle, in the given colour.
void drawFretBand(QPainter& p, const QRectF& band, QColor colour, double unit);
// An auspicious-cloud curl motif centred at `c`; `s` scales it, `mirror` flips it horizontally.
QPainterPath cloudMotif(QPointF c, double s, bool mirror);
QPainterPath roundedRect(const QRectF& r, double radius);

// The pictures.
QImage stageBackground(); // bmp/BJ001.JPG
QImage listBackground();  // the winners list window's default background
QImage blankPicture();    // row "空图" of set.axc
QImage drawButton(const QString& text, bool stop, bool pressed);
QImage banner();
QImage lockIcon(bool closed);
QImage appIcon();
QImage termButton(bool add);

} // namespace datagen
