#pragma once

#include "manage/SheetImport.h"

#include <QHash>
#include <QStringList>
#include <QXmlStreamReader>
#include <memory>

class QuaZip;
class QuaZipFile;

namespace varnel {

// Reads the first worksheet of an .xlsx package: the workbook part found through
// _rels/.rels, sheet 1 through the workbook's relationships, shared strings (rich text runs
// joined, phonetic runs left out), inline strings, and numbers as their number format shows
// them. The sheet is streamed, so large sheets need little memory. The constructor throws
// ImportError for a file that is not a readable workbook.
class XlsxReader final : public SheetReader {
public:
    explicit XlsxReader(const QString& path);
    ~XlsxReader() override;
    bool nextRow(SheetRow& row) override;

private:
    QByteArray readPart(const QString& name, bool required);
    QHash<QString, QString> relationships(const QString& partName, QHash<QString, QString>* types);
    void readWorkbook();
    void readSharedStrings(const QByteArray& xml);
    void readStyles(const QByteArray& xml);
    QString cellText(const QString& type, const QString& style, const QString& value) const;
    [[noreturn]] void damaged() const;

    QString m_path;
    std::unique_ptr<QuaZip> m_zip;
    std::unique_ptr<QuaZipFile> m_sheet;
    QXmlStreamReader m_xml;
    QStringList m_strings;
    QList<int> m_xfFormats;         // cell style index -> number format id
    QHash<int, QString> m_formats;  // custom number formats by id
    QHash<int, bool> m_dateFormats; // cache: format id -> shows a date
    bool m_date1904 = false;
    qint64 m_lastRow = 0;
    bool m_finished = false;
};

} // namespace varnel
