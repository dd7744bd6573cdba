#pragma once

#include <QString>

class QAbstractItemModel;
class QPrinter;

namespace varnel {

// The macro values of the printed records.
struct RecordsPrintTexts {
    QString title = QStringLiteral("VARNEL抽奖软件中奖清单明细表"); // %[Title]
    QString miTitle;                                                // %[MiTitle]
    QString xMiTitle;                                               // %[XMiTitle]
    QString corp;                                                   // %[corp]
    QString sysCaption;                                             // %[syscaption]
    QString today;                                                  // %[Today]
};

// Page margins 1 cm top and bottom, 4 cm left and right.
void setRecordsPageLayout(QPrinter& printer);
// Prints the heading, the grid's rows fitted to the page width (titles repeated on every
// page) and the closing lines. False when the printer cannot be opened.
bool printRecords(QPrinter& printer, const QAbstractItemModel& model,
                  const RecordsPrintTexts& texts);

} // namespace varnel
