#include "draw/Results.h"

namespace varnel {

// Placeholder until the results texts are built.
QString ItemWinnersText(ProjectDb&, const QString&, const ResultsFormat&, int&) { return {}; }
QString allWinnersText(ProjectDb&, bool, const ResultsFormat&, int&) { return {}; }
QString allRollingText(ProjectDb&, const StarMaskParams&, int&) { return {}; }
QString marqueeText(const QString& t) { QString s = t; s.remove(QChar(0x3000)); return s; }
QStringList resultLines(const QString& t) { return t.split(QLatin1Char('\r')); }

} // namespace varnel
