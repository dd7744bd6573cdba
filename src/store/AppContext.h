#pragma once

#include "store/RollSettings.h"
#include "store/Settings.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace varnel {

class ProjectDb;
class Dialogs;
class SoundPlayer;
class Clock;

// What the main window holds for the whole run and shares with every other window: the one
// connection, the program folder, the blank picture, the seams and the rolling settings.
// Nothing here is a global; tests build their own.
struct AppContext {
    QString programFolder;   // with a trailing '/'
    ProjectDb* db = nullptr; // `con`
    Dialogs* dialogs = nullptr;
    SoundPlayer* sound = nullptr;
    Clock* clock = nullptr;
    QImage blank;         // row "空图" of set.axc
    QByteArray blankJpeg; // its bytes as stored
    RollSettings roll;
    QString presetPath = QStringLiteral("/etc/_dsFA.tmp"); // the draw preset file

    QString file(const QString& name) const { return programFolder + name; }
    // Settings of the open project (needs `db`).
    Settings settings() const { return Settings(*db); }
};

} // namespace varnel
