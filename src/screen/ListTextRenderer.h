#pragma once

#include "screen/TextEffect.h"

#include <QCache>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

namespace varnel {

// How the lines of the winners list are drawn: font, font colour and text effect.
struct ListTextStyle {
    QFont font;
    QColor colour = Qt::white;
    TextEffect effect;
    bool operator==(const ListTextStyle&) const = default;
};

// Renders single lines of list text, with shadow, outline, gradient and opacity, into
// premultiplied ARGB images and keeps the recent ones, so scrolling only blits.
class ListTextRenderer {
public:
    explicit ListTextRenderer(int cacheMegabytes = 96);

    void setStyle(const ListTextStyle& style);
    const ListTextStyle& style() const { return m_style; }

    // Distance between two lines.
    int lineHeight() const { return m_lineHeight; }
    // Width of the text itself (no effect margins).
    int textWidth(const QString& line) const;
    // Pixels the effects reach beyond the text box on every side.
    int margin() const { return m_margin; }

    // The line's picture: text box plus margin() on each side; the text's top-left is at
    // (margin, margin). A null image for a blank line. Cached by text.
    const QImage* line(const QString& text);

    // Renders without the cache; text wider than kMaxLineWidth is cut with an ellipsis.
    static constexpr int kMaxLineWidth = 8192;
    QImage render(const QString& text) const;

private:
    ListTextStyle m_style;
    int m_lineHeight = 0;
    int m_ascent = 0;
    int m_margin = 0;
    QCache<QString, QImage> m_cache;
};

// Blurs an 8-bit alpha image in place (three box passes each way, close to a Gaussian).
void blurAlpha(QImage& alpha, int radius);

} // namespace varnel
