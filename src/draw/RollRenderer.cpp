#include "draw/RollRenderer.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

namespace varnel {

namespace {

const QChar kEllipsis(0x2026);

QStringList breakLines(const QFontMetrics& fm, const QString& text, int width)
{
    QStringList lines;
    QString line;
    int running = 0;
    for (const QChar c : text) {
        const int w = fm.horizontalAdvance(c);
        if (running + w > width && !line.isEmpty()) {
            lines << line;
            line.clear();
            running = 0;
        }
        line += c;
        running += w;
    }
    if (!line.trimmed().isEmpty())
        lines << line;
    return lines;
}

int lineWidth(const QFontMetrics& fm, const QString& line)
{
    int w = 0;
    for (const QChar c : line)
        w += fm.horizontalAdvance(c);
    return w;
}

void drawLines(QPainter& p, const QFontMetrics& fm, const QStringList& lines, const QRect& rect)
{
    if (lines.isEmpty())
        return;
    const int lh = fm.height();
    int y = rect.top() + (rect.height() - int(lines.size()) * lh) / 2;
    for (const QString& line : lines) {
        const int x = rect.left() + (rect.width() - lineWidth(fm, line)) / 2;
        p.drawText(QPoint(x, y + fm.ascent()), line);
        y += lh;
    }
}

} // namespace

QStringList wrappedLines(const QFontMetrics& fm, const QString& text, const QRect& rect)
{
    if (text.trimmed().isEmpty())
        return {};
    QStringList lines = breakLines(fm, text, rect.width());
    const int lh = std::max(1, fm.height());
    const int fit = std::max(1, rect.height() / lh);
    // "…" may be wider than the character it replaces, so cut again until the block fits.
    for (int guard = 0; lines.size() > fit && guard < 64; ++guard) {
        QString joined = lines.mid(0, fit).join(QString()).trimmed();
        if (joined.isEmpty())
            return {};
        joined.chop(1);
        joined += kEllipsis;
        lines = breakLines(fm, joined, rect.width());
    }
    return lines;
}

void DrawWrappedText(QPainter& p, const QString& text, const QRect& rect)
{
    const QFontMetrics fm(p.font());
    drawLines(p, fm, wrappedLines(fm, text, rect), rect);
}

void RollRenderer::setSettings(const RollSettings& settings)
{
    m_settings = settings;
    m_settings.CellWidth = std::max(1, m_settings.CellWidth);
    m_settings.CellHeight = std::max(1, m_settings.CellHeight);
    m_pictureCache.clear();
}

void RollRenderer::setFont(const QFont& font, const QColor& colour)
{
    if (font == m_font && colour == m_colour && m_fontSet)
        return;
    m_colour = colour;
    m_font = font;
    m_fontSet = true;
    m_metrics = QFontMetrics(m_font);
    // A quarter of the text height of a three-character sample (the font's line height).
    m_markSize = m_metrics.height() / 4;
    m_textCache.clear();
}

void RollRenderer::drawWrapped(QPainter& p, const QString& text, const QRect& rect, bool cached)
{
    if (!cached) {
        DrawWrappedText(p, text, rect);
        return;
    }
    if (text.trimmed().isEmpty() || rect.isEmpty())
        return;
    // Each name is laid out and rasterised once; a frame only blends the finished sprite.
    const QString key =
        QString::number(rect.width()) + u'x' + QString::number(rect.height()) + u'|' + text;
    auto it = m_textCache.constFind(key);
    if (it == m_textCache.constEnd()) {
        if (m_textCache.size() > 256)
            m_textCache.clear();
        QImage sprite(rect.size(), QImage::Format_ARGB32_Premultiplied);
        sprite.fill(Qt::transparent);
        QPainter sp(&sprite);
        sp.setRenderHint(QPainter::TextAntialiasing, true);
        sp.setFont(m_font);
        sp.setPen(m_colour);
        const QRect local(QPoint(0, 0), rect.size());
        drawLines(sp, m_metrics, wrappedLines(m_metrics, text, local), local);
        sp.end();
        it = m_textCache.insert(key, sprite);
    }
    p.drawImage(rect.topLeft(), *it);
}

void RollRenderer::setBackground(const QImage& background)
{
    if (background.cacheKey() == m_background.cacheKey() && !m_background.isNull())
        return;
    m_background = background;
    m_areaBackValid = false;
}

void RollRenderer::setGeometry(const QSize& clientSize, const QRect& area)
{
    if (clientSize == m_client && area == m_area)
        return;
    m_client = clientSize;
    m_area = area;
    m_areaBackValid = false;
}

QImage RollRenderer::backgroundCut(const QRect& rect) const
{
    QImage out(rect.size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    out.fill(Qt::black);
    if (m_background.isNull() || m_client.isEmpty())
        return out;
    const QImage scaled =
        m_background.scaled(m_client, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter p(&out);
    p.drawImage(QPoint(0, 0), scaled, rect);
    return out;
}

const QImage& RollRenderer::areaBackground()
{
    if (!m_areaBackValid) {
        m_areaBack = backgroundCut(m_area);
        m_areaBackValid = true;
    }
    return m_areaBack;
}

QImage RollRenderer::scaledPicture(const QImage& picture, const QSize& size, bool cached)
{
    if (picture.isNull() || size.isEmpty())
        return {};
    if (!cached)
        return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QString key = QString::number(picture.cacheKey()) + u'/' + QString::number(size.width()) +
                        u'x' + QString::number(size.height());
    auto it = m_pictureCache.constFind(key);
    if (it != m_pictureCache.constEnd())
        return *it;
    if (m_pictureCache.size() > 48)
        m_pictureCache.clear();
    QImage s = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    s = s.convertToFormat(s.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                              : QImage::Format_RGB32);
    m_pictureCache.insert(key, s);
    return s;
}

int RollRenderer::textHeight(const QString&) const
{
    return m_metrics.height();
}

void RollRenderer::DrawCell(QPainter& p, int x, int y, const QImage& picture, const QString& text,
                            bool cached)
{
    const int W = m_settings.CellWidth;
    const int H = m_settings.CellHeight;
    const QString shown = starMask(text, m_mask);
    p.setFont(m_font);
    p.setPen(m_colour);
    const QRect cell(x - W / 2, y - H / 2, (W / 2) * 2, (H / 2) * 2);
    if (!m_settings.ShowCellPictures) {
        drawWrapped(p, shown, cell, cached);
        return;
    }
    p.fillRect(cell, Qt::black);
    QRect picRect = cell.adjusted(2, 2, -2, -2);
    if (m_settings.ShowCellText) {
        const int th = textHeight(shown);
        const QRect band(QPoint(picRect.left(), y + H / 2 - th),
                         QPoint(picRect.right(), y + H / 2 - 1));
        drawWrapped(p, shown, band, cached);
        picRect.setBottom(band.top() - 1);
    }
    if (picRect.width() > 0 && picRect.height() > 0) {
        const QImage s = scaledPicture(picture, picRect.size(), cached);
        if (!s.isNull())
            p.drawImage(picRect.topLeft(), s);
    }
}

void RollRenderer::drawCells(QPainter& p, const TGDList& strip, int pos, bool cached)
{
    const int W = m_settings.CellWidth;
    const int H = m_settings.CellHeight;
    for (int k = 0; k < 6; ++k) {
        const size_t i = size_t(k);
        if (m_settings.HorizontalRoll)
            DrawCell(p, W / 2 + k * W - pos, H / 2, strip.SlotPic[i], strip.SlotText[i], cached);
        else
            DrawCell(p, W / 2, H / 2 + k * H - pos, strip.SlotPic[i], strip.SlotText[i], cached);
    }
}

void RollRenderer::drawPointerMarks(QPainter& p) const
{
    const int t = m_markSize;
    const int W = m_settings.CellWidth;
    const int H = m_settings.CellHeight;
    const QColor shadow(0x44, 0x44, 0x44);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    auto tri = [&p](const QColor& c, QPoint a, QPoint b, QPoint d) {
        p.setPen(c);
        p.setBrush(c);
        p.drawPolygon(QPolygon({a, b, d}));
    };
    if (m_settings.HorizontalRoll) {
        const int cx = m_area.width() / 2;
        tri(shadow, {cx + 2, H - t}, {cx - t + 2, H}, {cx + t + 2, H});
        tri(m_colour, {cx, H - t - 2}, {cx - t, H - 2}, {cx + t, H - 2});
    } else {
        const int cy = H * m_settings.CellCount / 2;
        tri(shadow, {W - 1, cy - t + 2}, {W - 1, cy + t + 2}, {W - t - 1, cy + 2});
        tri(m_colour, {W - 3, cy - t}, {W - 3, cy + t}, {W - t - 3, cy});
        tri(shadow, {2, cy - t + 2}, {2, cy + t + 2}, {t + 2, cy + 2});
        tri(m_colour, {1, cy - t}, {1, cy + t}, {t + 1, cy});
    }
    p.restore();
}

QImage RollRenderer::composeFrame(const TGDList& strip, int pos)
{
    QImage frame = areaBackground(); // shares the cache; painting detaches one copy
    QPainter p(&frame);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    drawCells(p, strip, pos, true);
    drawPointerMarks(p);
    p.end();
    return frame;
}

QImage RollRenderer::composeFrameLiteral(const TGDList& strip, int pos)
{
    QImage frame = backgroundCut(m_area);
    QPainter p(&frame);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    drawCells(p, strip, pos, false);
    drawPointerMarks(p);
    p.end();
    return frame;
}

} // namespace varnel
