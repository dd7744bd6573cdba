#include "screen/EffectText.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <algorithm>
#include <vector>

namespace varnel {

namespace {

// Three box passes come close to a gaussian; premultiplied pixels blur without dark fringes.
void boxBlur(QImage& img, int radius)
{
    if (radius <= 0 || img.isNull())
        return;
    const int w = img.width();
    const int h = img.height();
    std::vector<quint32> line(size_t(std::max(w, h)));
    const auto pass = [&](quint32* data, int count, int stride) {
        const int win = 2 * radius + 1;
        for (int c = 0; c < 4; ++c) {
            const int shift = c * 8;
            int sum = 0;
            for (int i = -radius; i <= radius; ++i)
                sum += (data[std::clamp(i, 0, count - 1) * stride] >> shift) & 0xFF;
            for (int i = 0; i < count; ++i) {
                if (c == 0)
                    line[size_t(i)] = 0;
                line[size_t(i)] |= quint32(sum / win) << shift;
                const int out = std::clamp(i - radius, 0, count - 1);
                const int in = std::clamp(i + radius + 1, 0, count - 1);
                sum += int((data[in * stride] >> shift) & 0xFF) -
                       int((data[out * stride] >> shift) & 0xFF);
            }
        }
        for (int i = 0; i < count; ++i)
            data[i * stride] = line[size_t(i)];
    };
    for (int n = 0; n < 3; ++n) {
        for (int y = 0; y < h; ++y)
            pass(reinterpret_cast<quint32*>(img.scanLine(y)), w, 1);
        auto* bits = reinterpret_cast<quint32*>(img.bits());
        const int stride = int(img.bytesPerLine() / 4);
        for (int x = 0; x < w; ++x)
            pass(bits + x, h, stride);
    }
}

struct Layout {
    QFontMetrics fm;
    QPoint origin;
    QSize block;
};

Layout layoutBlock(const QRect& rect, const QStringList& lines, const QFont& font,
                   const TextEffect& effect, Qt::Alignment align)
{
    Layout l{QFontMetrics(font), {}, plainTextSize(font, lines)};
    const QRect inner = rect.marginsRemoved(effectMargins(effect));
    int x = inner.left();
    int y = inner.top();
    if (align & Qt::AlignHCenter)
        x = inner.left() + (inner.width() - l.block.width()) / 2;
    else if (align & Qt::AlignRight)
        x = inner.right() + 1 - l.block.width();
    if (align & Qt::AlignVCenter)
        y = inner.top() + (inner.height() - l.block.height()) / 2;
    else if (align & Qt::AlignBottom)
        y = inner.bottom() + 1 - l.block.height();
    l.origin = QPoint(x, y);
    return l;
}

void drawLines(QPainter& p, const Layout& l, const QStringList& lines, QPoint shift,
               Qt::Alignment align)
{
    for (int i = 0; i < lines.size(); ++i) {
        int x = l.origin.x() + shift.x();
        if (align & Qt::AlignHCenter)
            x += (l.block.width() - l.fm.horizontalAdvance(lines[i])) / 2;
        const int baseline = l.origin.y() + shift.y() + i * l.fm.height() + l.fm.ascent();
        p.drawText(QPoint(x, baseline), lines[i]);
    }
}

QPainterPath linesPath(const Layout& l, const QStringList& lines, const QFont& font,
                       Qt::Alignment align)
{
    QPainterPath path;
    for (int i = 0; i < lines.size(); ++i) {
        int x = l.origin.x();
        if (align & Qt::AlignHCenter)
            x += (l.block.width() - l.fm.horizontalAdvance(lines[i])) / 2;
        path.addText(QPointF(x, l.origin.y() + i * l.fm.height() + l.fm.ascent()), font, lines[i]);
    }
    return path;
}

QImage newLayer(const QSize& size, qreal dpr)
{
    QImage img(size * dpr, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::transparent);
    return img;
}

} // namespace

QStringList textLines(const QString& text)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    return text.split(breaks);
}

QSize plainTextSize(const QFont& font, const QStringList& lines)
{
    const QFontMetrics fm(font);
    int w = 0;
    for (const QString& line : lines)
        w = std::max(w, fm.horizontalAdvance(line));
    return QSize(w, fm.height() * int(std::max<qsizetype>(1, lines.size())));
}

QMargins effectMargins(const TextEffect& e)
{
    int left = 0, top = 0, right = 0, bottom = 0;
    if (e.shadow) {
        left = std::max(0, -e.shadowOffset.x()) + e.shadowBlur;
        right = std::max(0, e.shadowOffset.x()) + e.shadowBlur;
        top = std::max(0, -e.shadowOffset.y()) + e.shadowBlur;
        bottom = std::max(0, e.shadowOffset.y()) + e.shadowBlur;
    }
    if (e.outline && e.outlineWidth > 0) {
        left = std::max(left, e.outlineWidth);
        right = std::max(right, e.outlineWidth);
        top = std::max(top, e.outlineWidth);
        bottom = std::max(bottom, e.outlineWidth);
    }
    return QMargins(left, top, right, bottom);
}

QImage renderEffectText(const QSize& size, qreal dpr, const QStringList& lines, const QFont& font,
                        const QColor& colour, const TextEffect& effect, Qt::Alignment align)
{
    QImage layer = newLayer(size, dpr);
    if (size.isEmpty())
        return layer;
    const Layout l = layoutBlock(QRect(QPoint(0, 0), size), lines, font, effect, align);
    QPainter p(&layer);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                     QPainter::SmoothPixmapTransform);
    p.setFont(font);

    if (effect.shadow) {
        QImage shadow = newLayer(size, dpr);
        {
            QPainter sp(&shadow);
            sp.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
            sp.setFont(font);
            if (effect.outline && effect.outlineWidth > 0) {
                QPainterPath path = linesPath(l, lines, font, align);
                path.translate(effect.shadowOffset);
                sp.strokePath(path, QPen(effect.shadowColour, 2.0 * effect.outlineWidth,
                                         Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            }
            sp.setPen(effect.shadowColour);
            drawLines(sp, l, lines, effect.shadowOffset, align);
        }
        boxBlur(shadow,
                effect.shadowBlur > 0 ? std::max(1, qRound(effect.shadowBlur * dpr / 2.0)) : 0);
        p.drawImage(QPoint(0, 0), shadow);
    }
    if (effect.outline && effect.outlineWidth > 0)
        p.strokePath(linesPath(l, lines, font, align),
                     QPen(effect.outlineColour, 2.0 * effect.outlineWidth, Qt::SolidLine,
                          Qt::RoundCap, Qt::RoundJoin));
    if (effect.gradient) {
        // Over the glyphs themselves, not the line box: the colours meet the ink.
        const QRectF ink = linesPath(l, lines, font, align).boundingRect();
        QLinearGradient g(0, ink.top(), 0, ink.bottom());
        g.setColorAt(0, effect.gradientTop);
        g.setColorAt(1, effect.gradientBottom);
        p.setPen(QPen(QBrush(g), 1));
    } else {
        p.setPen(colour);
    }
    drawLines(p, l, lines, QPoint(0, 0), align);
    return layer;
}

void drawEffectText(QPainter& painter, const QRect& rect, const QStringList& lines,
                    const QFont& font, const QColor& colour, const TextEffect& effect,
                    Qt::Alignment align)
{
    const qreal dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QImage layer = renderEffectText(rect.size(), dpr, lines, font, colour, effect, align);
    painter.save();
    painter.setOpacity(painter.opacity() * std::clamp(effect.alpha, 0, 100) / 100.0);
    painter.drawImage(rect.topLeft(), layer);
    painter.restore();
}

} // namespace varnel
