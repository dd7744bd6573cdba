#pragma once

#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

class QPrinter;

namespace varnel {

struct PrintLine {
    QString text;
    int pointSize = 16;
    bool operator==(const PrintLine&) const = default;
};

// The printed winners list: an empty line and the heading at size 20, then every line of the
// list at size 16, indented by two ideographic spaces.
QList<PrintLine> winnersPrintLines(const QStringList& lines, const QString& title,
                                   const QString& itemName);

// Prints the lines as plain text in `font`'s face, black, one line after the other, starting a
// new page when one is full. False when the printer cannot be opened or written.
bool printTextLines(QPrinter& printer, const QFont& font, const QList<PrintLine>& lines);

} // namespace varnel
