#pragma once

#include "manage/ParticipantImport.h"

#include <QString>
#include <array>
#include <memory>

namespace varnel {

// One stored row of the first worksheet: its number (from 1) and the displayed texts of
// columns 1 to 4.
struct SheetRow {
    qint64 number = 0;
    std::array<QString, 4> cells;
};

// Reads the rows of a workbook's first worksheet in ascending order; rows the file does not
// store may be left out. Throws ImportError when the file turns out damaged while reading.
class SheetReader {
public:
    virtual ~SheetReader() = default;
    virtual bool nextRow(SheetRow& row) = 0;
};

// Opens a workbook by its content (.xlsx zip package or .xls compound file), whatever its
// extension says. Throws ImportError with a clear text when it cannot be read.
std::unique_ptr<SheetReader> openWorkbook(const QString& path);

// Records of a worksheet: row r (1, 2, ...) is a record unless columns 1 to 3 are all empty,
// which ends the source (column 4 alone does not keep a row alive); rows past `limit` are not
// read.
class SheetRecordSource final : public RecordSource {
public:
    SheetRecordSource(SheetReader& reader, qint64 limit);
    bool next(ImportRecord& record) override;
    // True when row `limit` itself was delivered (the .xls sheet-size message).
    bool limitReached() const { return m_limitReached; }

private:
    SheetReader& m_reader;
    qint64 m_limit;
    qint64 m_row = 0;
    bool m_done = false;
    bool m_havePending = false;
    bool m_limitReached = false;
    SheetRow m_pending;
    std::array<QByteArray, 4> m_utf8;
};

} // namespace varnel
