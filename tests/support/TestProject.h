#pragma once

#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Sound.h"
#include "store/AppContext.h"
#include "store/ProjectDb.h"
#include "store/ProjectStore.h"
#include "store/Settings.h"

#include <QTemporaryDir>
#include <QVariant>
#include <memory>

namespace varnel {

// A temporary program folder with the data files beside the program (copied from the build's
// data folder when present, otherwise made on the spot), one connection and an AppContext
// wired to the test seams. By default the project "新的项目" is created and opened.
//
//   TestProject tp;                       // folder + "新的项目"
//   tp.addParticipants(20);
//   tp.addItem("一等奖", 3, ">=5");
//   tp.dialogs().answerYes();
//   SomeWindow w(tp.ctx());
class TestProject {
public:
    struct Options {
        QString project = QStringLiteral("新的项目"); // empty: open nothing
        bool dataFiles = true; // false: only set.axc, no picture, sound or button files
    };

    // Only the program folder and the connection; no project opened yet.
    static Options folderOnly(bool dataFiles = true) { return Options{QString(), dataFiles}; }

    TestProject();
    explicit TestProject(const Options& options);
    explicit TestProject(const QString& project);
    ~TestProject();
    TestProject(const TestProject&) = delete;
    TestProject& operator=(const TestProject&) = delete;

    AppContext& ctx() { return m_ctx; }
    ProjectDb& db() { return *m_db; }
    ScriptedDialogs& dialogs() { return m_dialogs; }
    RecordingSoundPlayer& sound() { return m_sound; }
    FakeClock& clock() { return m_clock; }
    Settings& settings() { return m_settings; }
    ProjectStore& store() { return *m_store; }
    const QImage& blank() const { return m_ctx.blank; }

    // The program folder, with a trailing '/', and a file in it.
    QString folder() const { return m_ctx.programFolder; }
    QString file(const QString& name) const { return m_ctx.programFolder + name; }
    QString projectFile(const QString& name) const { return m_store->fileFor(name); }

    // Opens (creating when missing) a project through the project open routine.
    ProjectStore::Outcome openProject(const QString& name = QStringLiteral("新的项目"));
    const ProjectStore::Outcome& lastOutcome() const { return m_outcome; }

    // Participants NO 1..n (after the highest NO present): List = prefix + number (4 digits),
    // Memo = "备注" + number, TJ = mark (NULL when invalid), PicB "无".
    void addParticipants(int n, const QString& prefix = QStringLiteral("人员"),
                         const QVariant& mark = QVariant());
    void addParticipant(int no, const QString& list, const QString& memo = {},
                        const QVariant& mark = QVariant());
    // A draw item after the last one; returns its NO.
    int addItem(const QString& name, int count, const QString& condition = {}, int perPress = 1,
                const QString& prizeName = {});

    // A winner row for participant `listNo` (its List and Memo copied), `bz` its marker.
    void addWinner(int listNo, const QString& itemName, const QString& bz = {});

    // Convenience readers for assertions.
    int count(const QString& table);
    QVariantList column(const QString& sql, const QVariantList& binds = {});

    // Writes a file into the program folder (creating sub-folders).
    void writeFile(const QString& relPath, const QByteArray& bytes);

    // Small data files made in code, used when the build's data files are missing.
    static QByteArray makeJpeg(int width, int height, const QColor& colour);
    static QByteArray makePng(int width, int height, const QColor& colour);
    static QByteArray makeBmp(int width, int height, const QColor& colour);
    static QByteArray makeWav(int milliseconds, int frequency);
    // A set.axc with table z_pic holding the row "空图".
    static void writeResourceDb(const QString& path, const QByteArray& blankJpeg);

private:
    void setUpFolder(bool dataFiles);

    QTemporaryDir m_dir;
    std::unique_ptr<ProjectDb> m_db;
    ScriptedDialogs m_dialogs;
    RecordingSoundPlayer m_sound;
    FakeClock m_clock;
    AppContext m_ctx;
    std::unique_ptr<ProjectStore> m_store;
    Settings m_settings;
    ProjectStore::Outcome m_outcome;
};

} // namespace varnel
