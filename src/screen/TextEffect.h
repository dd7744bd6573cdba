#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QString>

namespace varnel {

// Text effects of an anti-aliased label, stored in one section of "Font.ini" per label.
struct TextEffect {
    bool transparent = true;
    // Shadow
    bool shadow = true;
    QColor shadowColour = QColor(0x40, 0x40, 0x40);
    QPoint shadowOffset = QPoint(2, 2);
    int shadowBlur = 0;
    // Outline
    bool outline = false;
    QColor outlineColour = QColor(0, 0, 0);
    int outlineWidth = 1;
    // Two-colour vertical gradient fill of the glyphs (else the font colour)
    bool gradient = false;
    QColor gradientTop = QColor(255, 255, 255);
    QColor gradientBottom = QColor(255, 200, 0);
    // Overall opacity of the text, 0..100
    int alpha = 100;

    bool operator==(const TextEffect&) const = default;
};

// Reads/writes a label's section of an INI file (SimpleIni, UTF-8). A missing section or key
// keeps the defaults above.
TextEffect loadTextEffect(const QString& iniPath, const QString& section);
bool saveTextEffect(const QString& iniPath, const QString& section, const TextEffect& effect);

} // namespace varnel
