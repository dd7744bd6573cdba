#pragma once

#include "store/TextTransforms.h"

#include <QString>
#include <QStringList>

namespace varnel {

class ProjectDb;
class Settings;

// Builders of the results texts shown on the draw screen and in the winners list window.
// Lines are separated by a carriage return alone. `resultColumnWidth` is the draw screen's
// ResultColumnWidth: it only grows while the screen is open.
struct ResultsFormat {
    int winnerColumns = 2; // entries per row (values below 1 are read as 1)
    StarMaskParams mask;   // the option page's star mask at this moment
};

// Padding of an entry never exceeds this many ideographic spaces.
inline constexpr int kMaxEntryPadding = 40;

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

// Rows of entries: each value star-masked, turned to full width and padded with U+3000 to
// `width` (at most `maxPadding` characters; a negative cap means none), followed by
// `separator`; missing positions of the last row are empty padded entries; every row ends
// with `rowEnd`. A column count below 1 is read as 1.
QString entryRows(const QStringList& values, int columns, int width, const StarMaskParams& mask,
                  const QString& separator, const QString& rowEnd, int maxPadding);

// The winners list window's demonstration list: the first 30 rolling texts in `columns`
// columns, every entry and row followed by `indentCount` ideographic spaces, entries padded to
// the longest raw text. Empty when there are no participants.
QString demonstrationListText(ProjectDb& db, int columns, int indentCount,
                              const StarMaskParams& mask);

// The winners list window's column count "滚动名单中奖列数" (trimmed; 0 when not a number);
// a missing or empty value becomes "3".
int rollingListColumns(Settings& settings);
// The star mask as stored on the option page ("滚动显示星星开始/个数/符号").
StarMaskParams storedStarMask(const Settings& settings);

} // namespace varnel
