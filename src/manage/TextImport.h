#pragma once

#include "manage/ParticipantImport.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <vector>

namespace varnel {

// Text of an import file as UTF-8: a byte-order mark (UTF-8, UTF-16 LE or BE) decides, else
// UTF-8 when the bytes are valid UTF-8, else GB18030. `binary` is set when the content holds
// NUL characters, which no text file of names has.
QByteArray importTextToUtf8(const QByteArray& bytes, bool* binary = nullptr);

// Reads a .csv/.txt import file in one pass. Throws ImportError when it cannot be read or is
// not a text file.
QByteArray readImportTextFile(const QString& path);

// Splits one line as a comma list: a field that begins with a double quote runs to the closing
// quote (a doubled quote inside stands for one); outside quotes a comma or any run of spaces
// and control characters (1..32) separates fields; blanks at the line's start and around a
// comma are dropped; two commas give an empty field; a comma at the very end gives an empty
// last field. Quoted fields with doubled quotes are unescaped into `scratch`, so the views
// stay valid while `scratch` and `line` do.
void splitCommaFields(QByteArrayView line, QList<QByteArrayView>& fields,
                      std::vector<QByteArray>& scratch);
QStringList splitCommaList(const QString& line);

// Records of a text file: one per line (CR LF, LF or CR), fields 1..4 are rolling text,
// remark, mark and picture path. Ends at the first line with no field, after the last line or
// after `limit` records.
class TextRecordSource final : public RecordSource {
public:
    TextRecordSource(QByteArray utf8, qint64 limit);
    bool next(ImportRecord& record) override;

private:
    QByteArray m_text;
    qsizetype m_pos = 0;
    qint64 m_limit;
    qint64 m_count = 0;
    bool m_done = false;
    QList<QByteArrayView> m_fields;
    std::vector<QByteArray> m_scratch;
};

} // namespace varnel
