#include "store/TextTransforms.h"

namespace varnel {

QString starMask(const QString& text, const StarMaskParams& p)
{
    if (p.symbol.isEmpty() || p.count <= 0)
        return text;
    const QString symbol = p.symbol.left(1);
    // Positions s..s+n-1, counted from 1; 64-bit so extreme values cannot overflow.
    const qint64 first = p.start;
    const qint64 last = qint64(p.start) + p.count - 1;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qint64 pos = i + 1;
        if (pos >= first && pos <= last)
            out += symbol;
        else
            out += text.at(i);
    }
    return out;
}

QString starMaskSampleText()
{
    return QStringLiteral("张三-12345678");
}

QString ToFullWidth(const QString& text)
{
    QString out = text;
    for (QChar& ch : out) {
        const char16_t u = ch.unicode();
        if (u == 32)
            ch = QChar(0x3000);
        else if (u < 127)
            ch = QChar(char16_t(u + 0xFEE0));
    }
    return out;
}

} // namespace varnel
