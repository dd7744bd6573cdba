#include "manage/FolderImport.h"

#include "manage/ParticipantImport.h"
#include "manage/ParticipantWriter.h"

#include <QDir>
#include <QFileInfo>

namespace varnel {

namespace {

QString trimBlanks(const QString& s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && s.at(b).unicode() <= 32)
        ++b;
    while (e > b && s.at(e - 1).unicode() <= 32)
        --e;
    return s.mid(b, e - b);
}

} // namespace

FolderImportOutcome importFolder(ProjectDb& db, const QString& folder,
                                 const std::function<void(qint64)>& progress)
{
    FolderImportOutcome out;
    QString dir = folder;
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    const QFileInfoList entries = QDir(dir).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
    if (entries.isEmpty())
        return out;
    out.listed = true;

    ParticipantWriter writer(db);
    writer.begin();
    writer.deleteAll();
    writer.suspendIndexesIfEmpty();
    if (progress)
        progress(0);
    qint64 counter = 1;
    QByteArray bitmap;
    for (const QFileInfo& entry : entries) {
        const QString raw = entry.fileName();
        const QString name = trimBlanks(raw);
        if (name == QLatin1String(".") || name == QLatin1String(".."))
            continue;
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        const QString ext = dot < 0 ? QString() : name.mid(dot).toUpper();
        if (ext != QLatin1String(".JPG") && ext != QLatin1String(".BMP") &&
            ext != QLatin1String(".JPEG")) {
            out.pictureError = true;
            continue;
        }
        QString stem = name.left(dot);
        std::optional<qint32> tj;
        const qsizetype underscore = stem.indexOf(QLatin1Char('_'));
        if (underscore >= 0) {
            qint32 mark = 0;
            if (parseMark(stem.mid(underscore + 1), mark) != MarkParse::Value) {
                out.markError = true;
                continue;
            }
            tj = mark;
            stem = stem.left(underscore);
        }
        if (trimBlanks(stem).isEmpty()) {
            out.pictureError = true;
            continue;
        }
        if (entry.isSymLink()) { // stands for a reparse point: no row, but its number is gone
            out.lastNumber = counter++;
            continue;
        }
        if (loadImportPicture(dir + raw, bitmap) == PictureLoad::Error)
            out.pictureError = true;
        const QByteArray list = stem.toUtf8();
        writer.insert(counter, list, std::nullopt, tj, &bitmap);
        ++out.stored;
        out.lastNumber = counter;
        if (progress)
            progress(counter);
        ++counter;
    }
    writer.commit();
    return out;
}

} // namespace varnel
