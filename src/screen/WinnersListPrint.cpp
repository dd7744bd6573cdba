#include "screen/WinnersListPrint.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace varnel {

QList<PrintLine> winnersPrintLines(const QStringList& lines, const QString& title,
                                   const QString& itemName)
{
    const QChar s(0x3000);
    QList<PrintLine> out;
    out.reserve(lines.size() + 2);
    out.append({QString(), 20});
    out.append({s + title + QLatin1Char('(') + itemName + QStringLiteral(")抽取明细清单"), 20});
    const QString indent(2, s);
    for (const QString& line : lines)
        out.append({indent + line, 16});
    return out;
}

bool printTextLines(QPrinter& printer, const QFont& font, const QList<PrintLine>& lines)
{
    QPainter p;
    if (!p.begin(&printer))
        return false;
    const QRect page = p.viewport();
    p.setPen(Qt::black);
    int y = 0;
    for (const PrintLine& line : lines) {
        QFont f = font;
        f.setPointSize(line.pointSize);
        p.setFont(f);
        const QFontMetrics fm(f, &printer);
        if (y > 0 && y + fm.height() > page.height()) {
            if (!printer.newPage())
                return false;
            y = 0;
        }
        p.drawText(0, y + fm.ascent(), line.text);
        y += fm.height();
    }
    return p.end();
}

} // namespace varnel
