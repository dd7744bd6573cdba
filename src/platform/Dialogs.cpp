#include "platform/Dialogs.h"

namespace varnel {

namespace {

// Stored patterns are separated by ";" (sometimes with spaces); Qt separates them by spaces.
// "*.*" meant every file where it was written, so it becomes "*".
QString qtPatterns(const QString& stored)
{
    QStringList out;
    for (QString p : stored.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        p = p.trimmed();
        if (p.isEmpty())
            continue;
        out << (p == QLatin1String("*.*") ? QStringLiteral("*") : p);
    }
    return out.join(QLatin1Char(' '));
}

} // namespace

QString toQtFilter(const QString& storedFilter)
{
    const QStringList parts = storedFilter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString patterns = qtPatterns(parts[i + 1]);
        if (patterns.isEmpty())
            continue;
        // Qt reads the patterns from the last brackets; a description that already shows them
        // ("JPEG Image File (*.jpg)") is not given a second pair.
        const int open = description.lastIndexOf(QLatin1Char('('));
        if (open >= 0 && description.endsWith(QLatin1Char(')')) &&
            qtPatterns(description.mid(open + 1, description.size() - open - 2)
                           .replace(QLatin1Char(' '), QLatin1Char(';'))) == patterns) {
            out << description.left(open).trimmed() + QStringLiteral(" (") + patterns +
                       QLatin1Char(')');
            continue;
        }
        out << (description.isEmpty() ? patterns : description) + QStringLiteral(" (") + patterns +
                   QLatin1Char(')');
    }
    if (out.isEmpty())
        return storedFilter;
    return out.join(QStringLiteral(";;"));
}

} // namespace varnel
