#include "screen/ListTextRenderer.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <vector>

namespace varnel {

namespace {

// The stored blur is a strength 0..100; a tenth of it in pixels looks like a soft shadow.
int blurRadius(const TextEffect& e)
{
    return e.shadow ? std::clamp(e.shadowBlur / 10, 0, 12) : 0;
}

void boxPass(uchar* data, int length, int stride, int radius, std::vector<int>& tmp)
{
    if (length <= 1)
        return;
    tmp.resize(length);
    for (int i = 0; i < length; ++i)
        tmp[i] = data[i * stride];
    const int window = 2 * radius + 1;
    int sum = 0;
    for (int i = -radius; i <= radius; ++i)
        sum += tmp[std::clamp(i, 0, length - 1)];
    for (int i = 0; i < length; ++i) {
        data[i * stride] = uchar(sum / window);
        sum += tmp[std::min(i + radius + 1, length - 1)] - tmp[std::max(i - radius, 0)];
    }
}

} // namespace

void blurAlpha(QImage& alpha, int radius)
{
    if (radius <= 0 || alpha.isNull())
        return;
    const int r = std::max(1, radius / 2);
    std::vector<int> tmp;
    const int w = alpha.width();
    const int h = alpha.height();
    const int bpl = int(alpha.bytesPerLine());
    uchar* bits = alpha.bits();
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < h; ++y)
            boxPass(bits + y * bpl, w, 1, r, tmp);
        for (int x = 0; x < w; ++x)
            boxPass(bits + x, h, bpl, r, tmp);
    }
}

ListTextRenderer::ListTextRenderer(int cacheMegabytes) : m_cache(cacheMegabytes * 1024)
{
    setStyle(ListTextStyle{});
}

void ListTextRenderer::setStyle(const ListTextStyle& style)
{
    m_style = style;
    m_cache.clear();
    const QFontMetrics fm(m_style.font);
    m_lineHeight = std::max(1, fm.lineSpacing());
    m_ascent = fm.ascent();
    const TextEffect& e = m_style.effect;
    int reach = 0;
    if (e.shadow)
        reach = std::max(std::abs(e.shadowOffset.x()), std::abs(e.shadowOffset.y())) +
                blurRadius(e) * 2;
    if (e.outline)
        reach = std::max(reach, e.outlineWidth + 1);
    m_margin = reach + 1;
}

int ListTextRenderer::textWidth(const QString& line) const
{
    return QFontMetrics(m_style.font).horizontalAdvance(line);
}

const QImage* ListTextRenderer::line(const QString& text)
{
    if (QImage* hit = m_cache.object(text))
        return hit;
    auto* image = new QImage(render(text));
    const qsizetype cost = std::max<qsizetype>(1, image->sizeInBytes() / 1024);
    m_cache.insert(text, image, cost);
    return m_cache.object(text);
}

QImage ListTextRenderer::render(const QString& fullText) const
{
    if (fullText.trimmed().isEmpty() && !fullText.contains(QChar(0x3000)))
        return {};
    // No screen shows more than this; an absurdly long line is cut rather than made into a
    // picture wider than the painter can handle.
    const QString text =
        textWidth(fullText) > kMaxLineWidth
            ? QFontMetrics(m_style.font).elidedText(fullText, Qt::ElideRight, kMaxLineWidth)
            : fullText;
    const TextEffect& e = m_style.effect;
    const int w = textWidth(text) + 2 * m_margin;
    const int h = QFontMetrics(m_style.font).height() + 2 * m_margin;
    if (w <= 2 * m_margin)
        return {};
    const QPointF base(m_margin, m_margin + m_ascent);

    // Glyphs in their fill.
    QImage glyphs(w, h, QImage::Format_ARGB32_Premultiplied);
    glyphs.fill(Qt::transparent);
    {
        QPainter p(&glyphs);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(m_style.font);
        if (e.outline) {
            QPainterPath path;
            path.addText(base, m_style.font, text);
            p.setPen(QPen(e.outlineColour, e.outlineWidth * 2.0, Qt::SolidLine, Qt::RoundCap,
                          Qt::RoundJoin));
            p.drawPath(path);
        }
        p.setPen(m_style.colour);
        p.drawText(base, text);
        if (e.gradient) {
            // Only the glyph fill takes the gradient; redraw it through a mask.
            QImage fill(w, h, QImage::Format_ARGB32_Premultiplied);
            fill.fill(Qt::transparent);
            QPainter fp(&fill);
            fp.setFont(m_style.font);
            fp.setPen(Qt::black);
            fp.drawText(base, text);
            fp.setCompositionMode(QPainter::CompositionMode_SourceIn);
            QLinearGradient g(0, m_margin, 0, h - m_margin);
            g.setColorAt(0, e.gradientTop);
            g.setColorAt(1, e.gradientBottom);
            fp.fillRect(fill.rect(), g);
            fp.end();
            p.drawImage(0, 0, fill);
        }
    }
    if (!e.shadow && e.alpha >= 100)
        return glyphs;

    QImage out(w, h, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter p(&out);
    if (e.shadow) {
        QImage alpha = glyphs.convertToFormat(QImage::Format_Alpha8);
        blurAlpha(alpha, blurRadius(e));
        QImage shadow(w, h, QImage::Format_ARGB32_Premultiplied);
        shadow.fill(e.shadowColour);
        QPainter sp(&shadow);
        sp.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        sp.drawImage(0, 0, alpha);
        sp.end();
        p.drawImage(e.shadowOffset, shadow);
    }
    p.drawImage(0, 0, glyphs);
    p.end();
    if (e.alpha < 100) {
        QImage faded(w, h, QImage::Format_ARGB32_Premultiplied);
        faded.fill(Qt::transparent);
        QPainter fp(&faded);
        fp.setOpacity(std::max(0, e.alpha) / 100.0);
        fp.drawImage(0, 0, out);
        return faded;
    }
    return out;
}

} // namespace varnel
