#pragma once

#include <QString>

namespace varnel {

// Star mask values as the option page holds them at the moment of the call.
struct StarMaskParams {
    int start = 0;  // s, positions counted from 1
    int count = 0;  // n
    QString symbol; // c, at most one character
};

// Replaces positions s..s+n-1 (from 1) by the symbol; an empty symbol leaves the text alone.
QString starMask(const QString& text, const StarMaskParams& p);
// The fixed sample text of the option page (two CJK characters, a hyphen, eight digits).
QString starMaskSampleText();

// Space -> U+3000, other characters below 127 -> +0xFEE0, the rest unchanged.
QString ToFullWidth(const QString& text);

} // namespace varnel
