#pragma once

#include "screen/TextEffect.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QMargins>
#include <QRect>
#include <QStringList>

class QPainter;

namespace varnel {

// Anti-aliased text with the effects of TextEffect, shared by the screen's labels and its
// marquee. Text is composed in an off-screen ARGB layer and copied in one go.

// Lines of a label text: CR LF, CR and LF all break a line.
QStringList textLines(const QString& text);
// Size of the text block in the font: the widest line by the line height times the lines.
QSize plainTextSize(const QFont& font, const QStringList& lines);
// Room the effect needs around the glyph block (shadow offset and blur, outline).
QMargins effectMargins(const TextEffect& effect);

// Draws `lines` into `rect`: the block is placed by `align` inside the rectangle less the
// effect margins; centred blocks centre every line.
void drawEffectText(QPainter& painter, const QRect& rect, const QStringList& lines,
                    const QFont& font, const QColor& colour, const TextEffect& effect,
                    Qt::Alignment align);

// Composes the text alone into a transparent image of `size` (device pixel ratio `dpr`).
QImage renderEffectText(const QSize& size, qreal dpr, const QStringList& lines, const QFont& font,
                        const QColor& colour, const TextEffect& effect, Qt::Alignment align);

} // namespace varnel
