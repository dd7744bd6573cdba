#include "store/ValueCodec.h"

#include "store/ProjectDb.h"

#include <QRegularExpression>
#include <QStringList>
#include <cmath>
#include <limits>

namespace varnel {

bool flagOffOnlyAtZero(const QString& value)
{
    return value != QLatin1String("0");
}

bool flagOnOnlyAtMinusOne(const QString& value)
{
    return value == QLatin1String("-1");
}

QString flagText(bool on)
{
    return on ? QStringLiteral("-1") : QStringLiteral("0");
}

namespace {

bool parseInt(const QString& value, int& out)
{
    static const QRegularExpression digits(QStringLiteral("^[+-]?[0-9]+$"));
    if (!digits.match(value).hasMatch())
        return false;
    bool ok = false;
    const qlonglong v = value.toLongLong(&ok, 10);
    if (!ok || v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return false;
    out = int(v);
    return true;
}

} // namespace

int toIntOr0(const QString& value)
{
    int v = 0;
    return parseInt(value, v) ? v : 0;
}

int toIntStrict(const QString& value)
{
    int v = 0;
    if (!parseInt(value, v))
        throw ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(value));
    return v;
}

double toDoubleOr0(const QString& value)
{
    static const QRegularExpression number(
        QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    if (!number.match(value).hasMatch())
        return 0.0;
    bool ok = false;
    const double v = value.toDouble(&ok); // QString::toDouble always uses the C locale
    return ok && std::isfinite(v) ? v : 0.0;
}

QString decimalText(double value)
{
    return QString::number(value, 'g', 15);
}

int roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return 0;
    const double lower = std::floor(value);
    const double diff = value - lower;
    double r;
    if (diff > 0.5)
        r = lower + 1;
    else if (diff < 0.5)
        r = lower;
    else
        r = std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1;
    if (r >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(r);
}

namespace {

// Windows system colour indices (COLOR_*) and the palette colour that plays the same part.
QColor systemColour(int index, const QPalette& p)
{
    using R = QPalette::ColorRole;
    auto c = [&p](R role) { return p.color(QPalette::Active, role); };
    switch (index) {
    case 0:
        return c(R::Button); // scroll bar
    case 1:
        return c(R::Dark); // desktop
    case 2:
        return c(R::Highlight); // active caption
    case 3:
        return c(R::Mid); // inactive caption
    case 4:
        return c(R::Window); // menu
    case 5:
        return c(R::Base); // window background
    case 6:
        return c(R::Shadow); // window frame
    case 7:
        return c(R::WindowText); // menu text
    case 8:
        return c(R::WindowText); // window text
    case 9:
        return c(R::HighlightedText); // caption text
    case 10:
        return c(R::Mid); // active border
    case 11:
        return c(R::Midlight); // inactive border
    case 12:
        return c(R::Dark); // application workspace
    case 13:
        return c(R::Highlight); // highlight
    case 14:
        return c(R::HighlightedText); // highlighted text
    case 15:
        return c(R::Button); // button face
    case 16:
        return c(R::Dark); // button shadow
    case 17:
        return p.color(QPalette::Disabled, R::Text); // grey text
    case 18:
        return c(R::ButtonText); // button text
    case 19:
        return p.color(QPalette::Disabled, R::WindowText); // inactive caption text
    case 20:
        return c(R::Light); // button highlight
    case 21:
        return c(R::Shadow); // 3D dark shadow
    case 22:
        return c(R::Midlight); // 3D light
    case 23:
        return c(R::ToolTipText); // info text
    case 24:
        return c(R::ToolTipBase); // info background
    case 26:
        return c(R::Link); // hot light
    case 27:
        return c(R::Highlight); // gradient active caption
    case 28:
        return c(R::Mid); // gradient inactive caption
    case 29:
        return c(R::Highlight); // menu highlight
    case 30:
        return c(R::Window); // menu bar
    default:
        return c(R::WindowText);
    }
}

} // namespace

QColor colourFromStored(qint32 stored, const QPalette& palette)
{
    const quint32 u = quint32(stored);
    if ((u & 0xFF000000u) == 0xFF000000u)
        return systemColour(int(u & 0xFFu), palette);
    // Other high bytes (palette-relative and the "none"/"default" markers) keep their RGB part.
    return QColor(int(u & 0xFF), int((u >> 8) & 0xFF), int((u >> 16) & 0xFF));
}

qint32 colourToStored(const QColor& colour)
{
    const QColor c = colour.toRgb();
    return qint32(quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16));
}

QFont FontSpec::font() const
{
    QFont f(name);
    if (size > 0)
        f.setPointSize(size);
    else if (size < 0)
        f.setPixelSize(-size); // a negative size is a character height in pixels
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    f.setStrikeOut(strikeOut);
    return f;
}

QColor FontSpec::color(const QPalette& palette) const
{
    return colourFromStored(colour, palette);
}

namespace {

// Takes the text up to the next ";" off the front of `rest` (all of it when there is none).
QString takeField(QString& rest)
{
    const qsizetype at = rest.indexOf(QLatin1Char(';'));
    QString field = at < 0 ? rest : rest.left(at);
    rest = at < 0 ? QString() : rest.mid(at + 1);
    return field;
}

} // namespace

FontSpec ApplyFontSpec(const QString& text)
{
    FontSpec f;
    QString rest = text;
    f.name = takeField(rest);
    f.colour = toIntStrict(takeField(rest));
    f.size = toIntStrict(takeField(rest));
    QString styles = takeField(rest).trimmed();
    if (styles.startsWith(QLatin1Char('[')))
        styles.remove(0, 1);
    if (styles.endsWith(QLatin1Char(']')))
        styles.chop(1);
    for (const QString& s : styles.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString n = s.trimmed();
        if (n == QLatin1String("fsBold"))
            f.bold = true;
        else if (n == QLatin1String("fsItalic"))
            f.italic = true;
        else if (n == QLatin1String("fsUnderline"))
            f.underline = true;
        else if (n == QLatin1String("fsStrikeOut"))
            f.strikeOut = true;
    }
    return f;
}

QString EncodeFontSpec(const FontSpec& font)
{
    QStringList styles;
    if (font.bold)
        styles << QStringLiteral("fsBold");
    if (font.italic)
        styles << QStringLiteral("fsItalic");
    if (font.underline)
        styles << QStringLiteral("fsUnderline");
    if (font.strikeOut)
        styles << QStringLiteral("fsStrikeOut");
    return font.name + QLatin1Char(';') + QString::number(font.colour) + QLatin1Char(';') +
           QString::number(font.size) + QStringLiteral(";[") + styles.join(QLatin1Char(',')) +
           QStringLiteral("];");
}

FontSpec fontSpecFrom(const QFont& font, const QColor& colour)
{
    FontSpec f;
    f.name = font.family();
    f.colour = colourToStored(colour);
    if (font.pointSize() > 0)
        f.size = font.pointSize();
    else if (font.pointSizeF() > 0)
        f.size = roundHalfEven(font.pointSizeF());
    else if (font.pixelSize() > 0)
        f.size = -font.pixelSize();
    f.bold = font.bold();
    f.italic = font.italic();
    f.underline = font.underline();
    f.strikeOut = font.strikeOut();
    return f;
}

} // namespace varnel
