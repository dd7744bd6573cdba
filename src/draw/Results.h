#pragma once

#include "store/TextTransforms.h"

#include <QString>
#include <QStringList>

namespace varnel {

class ProjectDb;

// Builders of the results texts shown on the draw screen and in the winners list window.
// Lines are separated by a carriage return alone. `resultColumnWidth` is the draw screen's
// ResultColumnWidth: it only grows while the screen is open.
struct ResultsFormat {
    int winnerColumns = 2;   // entries per row (values below 1 are read as 1)
    StarMaskParams mask;     // the option page's star mask at this moment
};

// ItemWinnersText: the confirmed winners of an item, then its temporary-draw block "[临 …]".
QString ItemWinnersText(ProjectDb& db, const QString& itemName, const ResultsFormat& format,
                        int& resultColumnWidth);
// The "全部" text: ItemWinnersText of every item in z_jx order (reversed when asked).
QString allWinnersText(ProjectDb& db, bool reversed, const ResultsFormat& format,
                       int& resultColumnWidth);
// "显示全部滚动名单": the first 500 rolling texts under "[全部滚动数据清单]"; reads (and adds
// when missing) "滚动名单中奖列数" for its column count.
QString allRollingText(ProjectDb& db, const StarMaskParams& mask, int& resultColumnWidth);
// The marquee form of a results text: every U+3000 removed.
QString marqueeText(const QString& resultsText);
// Splits a results text into the winners window's lines.
QStringList resultLines(const QString& resultsText);

} // namespace varnel
