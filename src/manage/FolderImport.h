#pragma once

#include <QString>
#include <functional>

namespace varnel {

class ProjectDb;

struct FolderImportOutcome {
    bool listed = false;       // false: the folder listed no entry at all; nothing was changed
    qint64 lastNumber = 0;     // the last number handed out (links use up theirs)
    qint64 stored = 0;         // rows stored
    bool markError = false;    // a mark after "_" that is not an integer
    bool pictureError = false; // a wrong extension, an empty name or a picture that fails
};

// Imports a folder of pictures, always replacing the participants. Every entry counts (files,
// sub-folders, hidden entries, links), sorted by name so the numbering is the same on every
// run. "." and ".." are passed over; the extension must be .JPG, .BMP or .JPEG; a name
// "stem_mark" gives the mark; a symbolic link is passed over but uses up its number. The
// deletion and the new rows are one transaction. `progress` gets 0 at the start, then the
// number of every stored row.
// Throws DbError.
FolderImportOutcome importFolder(ProjectDb& db, const QString& folder,
                                 const std::function<void(qint64)>& progress);

} // namespace varnel
