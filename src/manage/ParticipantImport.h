#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>

namespace varnel {

class ProjectDb;

// One participant as a source delivers it, as UTF-8 views that stay valid until the source's
// next call.
struct ImportRecord {
    QByteArrayView list;
    QByteArrayView memo;
    QByteArrayView mark;
    QByteArrayView picture;
    bool hasPicture = false; // false: stored as "无" without trying a picture
};

class RecordSource {
public:
    virtual ~RecordSource() = default;
    // The next record; false at the end of the source.
    virtual bool next(ImportRecord& record) = 0;
};

// A condition mark as typed or imported: trimmed of spaces and control characters, then a
// decimal 32-bit signed integer. Empty text is no mark; anything else that does not convert
// (letters, decimals, values past 32 bits) is Invalid.
enum class MarkParse { Empty, Value, Invalid };
MarkParse parseMark(QByteArrayView utf8, qint32& value);
MarkParse parseMark(const QString& text, qint32& value);

// The picture loader as the imports use it. Plain: an empty path, an extension other than
// .JPG/.JPEG/.BMP or a missing file (stored as "无" without a note). Error: the file is there
// but does not decode (the imports note a picture error).
enum class PictureLoad { Stored, Plain, Error };
PictureLoad loadImportPicture(const QString& path, QByteArray& bitmap);

struct ImportOptions {
    bool replace = false;
    QString pictureFolder; // relative picture paths are taken from here
    // After every stored row, with its ordinal (1, 2, ...); the caller decides when to repaint.
    std::function<void(qint64)> progress;
};

struct ImportOutcome {
    qint64 count = 0;
    bool markError = false;    // a mark text that is not an integer (row stored with null TJ)
    bool pictureError = false; // a picture that failed to decode (row stored with "无")
};

// The common import steps in one transaction: the replace deletion, the numbering base
// "select max(NO)NO from z_user" (0 when empty), then every record with NO = base + n. Any
// error rolls everything back, so a failed replace import keeps the old participants.
// Throws DbError or ImportError (the source's own errors).
ImportOutcome importRecords(ProjectDb& db, RecordSource& source, const ImportOptions& options);

} // namespace varnel
