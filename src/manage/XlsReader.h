#pragma once

#include "manage/SheetImport.h"

namespace varnel {

// Reads the first worksheet of an .xls workbook through libfreexl. Numbers come out in the
// General display (the library does not tell the cell's number format), dates and times as
// the library writes them ("yyyy-mm-dd", "hh:mm:ss"). The constructor throws ImportError for a
// workbook the library refuses (damaged, password protected, an unsupported variant).
class XlsReader final : public SheetReader {
public:
    explicit XlsReader(const QString& path);
    ~XlsReader() override;
    XlsReader(const XlsReader&) = delete;
    XlsReader& operator=(const XlsReader&) = delete;
    bool nextRow(SheetRow& row) override;

private:
    [[noreturn]] void refuse(const QString& why) const;

    QString m_path;
    const void* m_handle = nullptr;
    unsigned int m_rows = 0;
    unsigned short m_columns = 0;
    unsigned int m_next = 0;
};

} // namespace varnel
