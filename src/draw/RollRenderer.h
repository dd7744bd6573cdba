#pragma once

#include "store/RollSettings.h"
#include "store/TextTransforms.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QRect>
#include <QString>
#include <array>

class QPainter;

namespace varnel {

// GDList: the six rolling slots. Slot 0 is the first cell of the strip, new entries enter at
// slot 5; an empty text marks a slot to be filled.
struct TGDList {
    std::array<QString, 6> SlotText;
    std::array<QImage, 6> SlotPic;
};

// Composes the frames of the rolling area off screen. The background, already scaled to the
// client size and cut to the rolling area, is cached until the background or the geometry
// changes, and cell pictures are scaled once per size, so a frame costs one copy of the area
// plus the cells.
class RollRenderer {
public:
    void setSettings(const RollSettings& settings);
    void setFont(const QFont& font, const QColor& colour);
    void setMask(const StarMaskParams& mask) { m_mask = mask; }
    // ImgBJ's picture (unscaled), the client size it is stretched to and the rolling area.
    void setBackground(const QImage& background);
    void setGeometry(const QSize& clientSize, const QRect& area);

    const RollSettings& settings() const { return m_settings; }
    const QFont& font() const { return m_font; }
    const QColor& colour() const { return m_colour; }
    QRect area() const { return m_area; }
    QSize clientSize() const { return m_client; }

    // One frame of the strip moved by `pos` pixels (0 < pos <= pitch).
    QImage composeFrame(const TGDList& strip, int pos);
    // The same frame composed the plain way: the whole background stretched to the client
    // size and every picture stretched again (kept to measure the cached way against).
    QImage composeFrameLiteral(const TGDList& strip, int pos);

    // The background scaled to the client size, cut at `rect` (client coordinates).
    QImage backgroundCut(const QRect& rect) const;

    void DrawCell(QPainter& p, int x, int y, const QImage& picture, const QString& text,
                  bool cached = true);
    // DrawWrappedText with the line layout kept per text and rectangle size.
    void drawWrapped(QPainter& p, const QString& text, const QRect& rect, bool cached);
    void drawPointerMarks(QPainter& p) const;
    // Height of the shown text in the rolling font.
    int textHeight(const QString& text) const;

private:
    const QImage& areaBackground();
    QImage scaledPicture(const QImage& picture, const QSize& size, bool cached);
    void drawCells(QPainter& p, const TGDList& strip, int pos, bool cached);

    RollSettings m_settings;
    QFont m_font;
    QFontMetrics m_metrics{QFont()};
    int m_markSize = 0;
    bool m_fontSet = false;
    QColor m_colour = Qt::white;
    StarMaskParams m_mask;
    QImage m_background;
    QSize m_client;
    QRect m_area;

    QImage m_areaBack; // cached
    bool m_areaBackValid = false;
    QHash<QString, QImage> m_pictureCache;
    QHash<QString, QImage> m_textCache; // rendered names per text and rectangle size
};

// DrawWrappedText: the text broken character by character into lines that fit the
// rectangle's width, cut with "…" when the lines do not fit its height, and centred.
void DrawWrappedText(QPainter& p, const QString& text, const QRect& rect);
// The lines DrawWrappedText draws (empty when the text is blank).
QStringList wrappedLines(const QFontMetrics& fm, const QString& text, const QRect& rect);

} // namespace varnel
