#pragma once

#include "store/ProjectDb.h"

#include <QImage>
#include <QString>
#include <QStringList>

namespace varnel {

class Dialogs;

// The project open routine up to the point where settings are loaded into the main window:
// connect (creating a new file with its tables and default settings), check the version,
// run the upgrade chain, check the edition and the newer-format case, with their messages and
// fallbacks. Loading the settings into the pages is the main window's part.
class ProjectStore {
public:
    struct Outcome {
        QString name;         // the project actually opened (a fallback may change it)
        bool ready = false;   // true: format 4.1 and of this edition; settings can be loaded
        bool created = false; // the file was created by this open
    };

    ProjectStore(ProjectDb& db, Dialogs& dialogs, QString programFolder, QByteArray blankJpeg);

    // Never throws: database errors are shown through Dialogs::error and give ready = false
    // (an existing file stays connected, its settings not loaded; a file whose creation
    // failed is removed and the connection closed). A failed upgrade leaves the file as it
    // was. When ready, winner rows of an interrupted draw have been discarded.
    Outcome open(const QString& name);

    QString fileFor(const QString& name) const; // programFolder + name + ".dat"

private:
    // `visited`: the projects this open has already been through (cycle guard for fallbacks).
    Outcome openOnce(const QString& name, QStringList& visited);
    QString fallbackName(const QString& target, const QStringList& visited) const;
    // Runs the creation steps in one transaction; on failure rolls back, removes the file
    // and rethrows.
    void create(const QString& path);
    void upgrade(QString& version);
    void upgradeSteps(QString& version);

    ProjectDb& m_db;
    Dialogs& m_dialogs;
    QString m_folder;
    QByteArray m_blankJpeg;
};

// The item-already-drawn test: true when "select Max(NO)NO from z_log where ZT = '完成'" has a
// value >= n.
bool itemAlreadyDrawn(ProjectDb& db, int n);

// Winner rows still marked "*" or "-" come from an interrupted draw; removes them.
void discardInterruptedWinners(ProjectDb& db);

} // namespace varnel
