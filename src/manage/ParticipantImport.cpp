#include "manage/ParticipantImport.h"

#include "manage/ParticipantWriter.h"
#include "store/Pictures.h"

#include <QDir>
#include <QFileInfo>
#include <limits>
#include <optional>

namespace varnel {

namespace {

bool isBlank(unsigned char c)
{
    return c <= 32;
}

} // namespace

MarkParse parseMark(QByteArrayView utf8, qint32& value)
{
    const char* p = utf8.data();
    const char* end = p + utf8.size();
    while (p < end && isBlank(uchar(*p)))
        ++p;
    while (end > p && isBlank(uchar(end[-1])))
        --end;
    if (p == end)
        return MarkParse::Empty;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    if (p == end)
        return MarkParse::Invalid;
    qint64 v = 0;
    for (; p < end; ++p) {
        if (*p < '0' || *p > '9')
            return MarkParse::Invalid;
        v = v * 10 + (*p - '0');
        if (v > qint64(std::numeric_limits<qint32>::max()) + 1)
            return MarkParse::Invalid;
    }
    if (negative)
        v = -v;
    if (v > std::numeric_limits<qint32>::max() || v < std::numeric_limits<qint32>::min())
        return MarkParse::Invalid;
    value = qint32(v);
    return MarkParse::Value;
}

MarkParse parseMark(const QString& text, qint32& value)
{
    return parseMark(QByteArrayView(text.toUtf8()), value);
}

PictureLoad loadImportPicture(const QString& path, QByteArray& bitmap)
{
    bitmap.clear();
    if (path.isEmpty())
        return PictureLoad::Plain;
    const QString ext = QFileInfo(path).suffix().toUpper();
    if (ext != QLatin1String("JPG") && ext != QLatin1String("JPEG") && ext != QLatin1String("BMP"))
        return PictureLoad::Plain;
    if (!QFileInfo(path).isFile())
        return PictureLoad::Plain;
    std::optional<QByteArray> loaded = loadPictureFile(path);
    if (!loaded || loaded->isEmpty())
        return PictureLoad::Error;
    bitmap = std::move(*loaded);
    return PictureLoad::Stored;
}

namespace {

// Paths in import files are often written on Windows: try them as written, then with "/".
QString resolvePicturePath(const QString& written, const QString& folder)
{
    if (written.isEmpty())
        return written;
    auto resolve = [&](const QString& p) {
        return QDir::isAbsolutePath(p) || folder.isEmpty() ? p : QDir(folder).filePath(p);
    };
    QString path = resolve(written);
    if (!QFileInfo::exists(path) && written.contains(QLatin1Char('\\'))) {
        QString alt = written;
        alt.replace(QLatin1Char('\\'), QLatin1Char('/'));
        const QString altPath = resolve(alt);
        if (QFileInfo::exists(altPath))
            path = altPath;
    }
    return path;
}

} // namespace

ImportOutcome importRecords(ProjectDb& db, RecordSource& source, const ImportOptions& options)
{
    ImportOutcome out;
    ParticipantWriter writer(db);
    writer.begin();
    if (options.replace)
        writer.deleteAll();
    writer.suspendIndexesIfEmpty();
    const qint64 base = writer.maxNo();

    ImportRecord rec;
    QByteArray bitmap;
    while (source.next(rec)) {
        const qint64 n = out.count + 1;
        qint32 mark = 0;
        std::optional<qint32> tj;
        switch (parseMark(rec.mark, mark)) {
        case MarkParse::Value:
            tj = mark;
            break;
        case MarkParse::Invalid:
            out.markError = true;
            break;
        case MarkParse::Empty:
            break;
        }
        bitmap.clear();
        if (rec.hasPicture && !rec.picture.isEmpty()) {
            const QString path =
                resolvePicturePath(QString::fromUtf8(rec.picture), options.pictureFolder);
            if (loadImportPicture(path, bitmap) == PictureLoad::Error)
                out.pictureError = true;
        }
        writer.insert(base + n, rec.list, rec.memo, tj, &bitmap);
        out.count = n;
        if (options.progress)
            options.progress(n);
    }
    writer.commit();
    return out;
}

} // namespace varnel
