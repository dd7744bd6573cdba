#include "draw/Results.h"

#include "store/ProjectDb.h"
#include "store/Settings.h"
#include "store/ValueCodec.h"

#include <QSqlQuery>
#include <algorithm>

namespace varnel {

namespace {

const QChar kIdeographicSpace(0x3000);
const QChar kCr(u'\r');

QStringList firstColumn(ProjectDb& db, const QString& sql)
{
    QSqlQuery q = db.select(sql);
    QStringList out;
    while (q.next())
        out << q.value(0).toString();
    return out;
}

int longest(const QStringList& values)
{
    int width = 0;
    for (const QString& v : values)
        width = std::max(width, int(v.size()));
    return width;
}

QString itemBlock(const QString& heading, const QStringList& values, int columns, int width,
                  const StarMaskParams& mask)
{
    if (values.isEmpty())
        return {};
    const QString space(QLatin1Char(' '));
    return kCr + heading + kCr + space +
           entryRows(values, columns, width, mask, space, kCr + space, kMaxEntryPadding);
}

} // namespace

QString entryRows(const QStringList& values, int columns, int width, const StarMaskParams& mask,
                  const QString& separator, const QString& rowEnd, int maxPadding)
{
    columns = std::max(columns, 1);
    const int rows = int((values.size() + columns - 1) / columns);
    QString out;
    out.reserve(rows * (columns * (width + separator.size()) + rowEnd.size()));
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const int i = r * columns + c;
            const QString entry =
                i < values.size() ? ToFullWidth(starMask(values.at(i), mask)) : QString();
            int pad = std::max(0, width - int(entry.size()));
            if (maxPadding >= 0)
                pad = std::min(pad, maxPadding);
            out += entry;
            out += QString(pad, kIdeographicSpace);
            out += separator;
        }
        out += rowEnd;
    }
    return out;
}

QString ItemWinnersText(ProjectDb& db, const QString& itemName, const ResultsFormat& format,
                        int& resultColumnWidth)
{
    const QString n = sqlQuote(itemName);
    const QStringList winners =
        firstColumn(db, QStringLiteral("select ListZJ from z_zj where jxname = '") + n +
                            QStringLiteral("' and BZ <> '*'"));
    resultColumnWidth = std::max(resultColumnWidth, longest(winners));
    // Temporary draws of the item are padded the same way but never widen the columns.
    const QStringList temporary =
        firstColumn(db, QStringLiteral("select ListZJ from z_zj where jxname = '[临]") + n +
                            QStringLiteral("' and BZ <> '*'"));
    return itemBlock(QLatin1Char('[') + itemName + QLatin1Char(']'), winners, format.winnerColumns,
                     resultColumnWidth, format.mask) +
           itemBlock(QStringLiteral("[临 ") + itemName + QLatin1Char(']'), temporary,
                     format.winnerColumns, resultColumnWidth, format.mask);
}

QString allWinnersText(ProjectDb& db, bool reversed, const ResultsFormat& format,
                       int& resultColumnWidth)
{
    const QStringList items = firstColumn(
        db, reversed ? QStringLiteral("select Distinct jxname from z_jx order by no desc")
                     : QStringLiteral("select Distinct jxname from z_jx order by no"));
    QString out;
    for (const QString& item : items)
        out += ItemWinnersText(db, item, format, resultColumnWidth);
    return out;
}

int rollingListColumns(Settings& settings)
{
    const QString key = QStringLiteral("滚动名单中奖列数");
    QString value = settings.addMissing(key, QStringLiteral("3"));
    if (value.trimmed().isEmpty()) {
        // A row without a value counts as missing: it gets the default as well.
        settings.update(key, QStringLiteral("3"));
        value = QStringLiteral("3");
    }
    return toIntOr0(value.trimmed());
}

StarMaskParams storedStarMask(const Settings& settings)
{
    StarMaskParams p;
    p.start = settings.integer(QStringLiteral("滚动显示星星开始"));
    p.count = settings.integer(QStringLiteral("滚动显示星星个数"));
    p.symbol = settings.read(QStringLiteral("滚动显示星星符号")).left(1);
    return p;
}

QString allRollingText(ProjectDb& db, const StarMaskParams& mask, int& resultColumnWidth)
{
    Settings settings(db);
    const int columns = toIntOr0(
        settings.addMissing(QStringLiteral("滚动名单中奖列数"), QStringLiteral("3")).trimmed());
    const QStringList texts = firstColumn(db, QStringLiteral("select List from z_user limit 500"));
    resultColumnWidth = std::max(resultColumnWidth, longest(texts));
    return itemBlock(QStringLiteral("[全部滚动数据清单]"), texts, columns, resultColumnWidth, mask);
}

QString demonstrationListText(ProjectDb& db, int columns, int indentCount,
                              const StarMaskParams& mask)
{
    const QStringList values = firstColumn(db, QStringLiteral("select List from z_user limit 30"));
    if (values.isEmpty())
        return {};
    const QString indent(std::max(indentCount, 0), kIdeographicSpace);
    return QStringLiteral("\r[滚动中奖清单演示数据]\r") + indent +
           entryRows(values, columns, longest(values), mask, indent, kCr + indent, -1);
}

QString marqueeText(const QString& resultsText)
{
    QString s = resultsText;
    s.remove(kIdeographicSpace);
    return s;
}

QStringList resultLines(const QString& resultsText)
{
    return resultsText.split(kCr);
}

} // namespace varnel
