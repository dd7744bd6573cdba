#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>

namespace varnel {

// Settings values are text. Flags come in two kinds (see the settings catalogue).
bool flagOffOnlyAtZero(const QString& value);    // on unless exactly "0" (missing reads as on)
bool flagOnOnlyAtMinusOne(const QString& value); // on only when exactly "-1"
QString flagText(bool on);                       // "-1" / "0", as check boxes write them

// Integer with optional minus sign; 0 when the text is not a decimal 32-bit integer.
int toIntOr0(const QString& value);
// Strict conversion: throws ConversionError ("'abc' is not a valid integer value").
int toIntStrict(const QString& value);
// Decimal number with "." as separator; 0 when not a number.
double toDoubleOr0(const QString& value);
// Formats a decimal number with "." whatever the locale ("2.6", "3").
QString decimalText(double value);

// Round to nearest, halves to the even neighbour (the rounding of the stored formulas).
int roundHalfEven(double value);

// A colour stored as a signed 32-bit integer in 0x00BBGGRR layout; negative values (top byte
// 0xFF) are system colours, mapped to palette roles (-16777208 is the window-text colour).
QColor colourFromStored(qint32 stored, const QPalette& palette = QPalette());
qint32 colourToStored(const QColor& colour);

// The font spec string "name;colour;size;[styles];", e.g. "黑体;16777215;26;[fsBold];".
struct FontSpec {
    QString name;
    qint32 colour = 0;
    int size = 8; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    QFont font() const; // the QFont (point size, styles)
    QColor color(const QPalette& palette = QPalette()) const;
    bool operator==(const FontSpec&) const = default;
};

// Parses a font spec; a colour or size field that is not a decimal integer throws
// ConversionError. Text after the fourth ";" is ignored.
FontSpec ApplyFontSpec(const QString& text);
QString EncodeFontSpec(const FontSpec& font);
FontSpec fontSpecFrom(const QFont& font, const QColor& colour);

} // namespace varnel
