// Opening the draw screen in draw mode on a project with 100,000 participants and 50 items,
// offscreen: creation of the layout, the reshuffle of the working list, the rolling list,
// the plan rebuild, until the first texts are shown. Median of several opens, each with the
// reshuffle due ("初始化" = "0").
#include "draw/DrawEngine.h"
#include "draw/DrawHost.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Sound.h"
#include "screen/TfrmJIANG.h"
#include "store/AppContext.h"
#include "store/Pictures.h"
#include "store/ProjectDb.h"
#include "store/ProjectStore.h"
#include "store/Settings.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace varnel;

namespace {

struct BenchHost : DrawHost {
    StarMaskParams starMaskParams() const override { return {}; }
    bool normalMode() const override { return true; }
    bool mallRegisterDrawer() const override { return false; }
    bool mallCycles() const override { return false; }
    bool mallOnlyWinnable() const override { return false; }
    void showNotice(const QString&) override {}
    void hideNotice() override {}
    void refreshMallPageIfShown() override {}
    void setLayoutPreview(const QImage&, const QString&) override {}
};

bool copyDataFiles(const QString& to)
{
    const QString from = QStringLiteral(VARNEL_DATA_DIR "/");
    for (const char* f : {"set.axc", "bmp/BJ001.JPG", "start1.png", "start2.png", "stop1.png",
                          "stop2.png", "Sound/dada.wav", "Sound/ding.wav"}) {
        const QString name = QString::fromLatin1(f);
        QDir().mkpath(QFileInfo(to + name).path());
        if (!QFile::copy(from + name, to + name))
            return false;
    }
    return true;
}

void fillProject(ProjectDb& db)
{
    db.exec(QStringLiteral("BEGIN"));
    for (int no = 1; no <= 100000; ++no)
        db.exec(QStringLiteral("insert into z_user(NO,List,Memo,TJ,PicB) values(?,?,?,NULL,'无')"),
                {no, QStringLiteral("参与者%1").arg(no, 6, 10, QLatin1Char('0')),
                 QStringLiteral("部门%1").arg(no % 40)});
    for (int no = 1; no <= 50; ++no)
        db.exec(QStringLiteral("insert into z_jx(NO,JXname,JPname,JPjpg,BJjpg,JXcount,CQcount,TJ) "
                               "values(?,?,?,'','',?,?,'')"),
                {no, QStringLiteral("奖项%1").arg(no), QStringLiteral("奖品%1").arg(no), 10, 2});
    db.exec(QStringLiteral("COMMIT"));
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("SDL_AUDIODRIVER", "dummy");
    QApplication app(argc, argv);
    QFont::insertSubstitution(QStringLiteral("黑体"), QStringLiteral("WenQuanYi Zen Hei"));
    QFont::insertSubstitution(QStringLiteral("楷体_GB2312"), QStringLiteral("AR PL UKai CN"));

    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    if (!dir.isValid() || !copyDataFiles(folder)) {
        std::fprintf(stderr, "cannot prepare the program folder from %s\n", VARNEL_DATA_DIR);
        return 1;
    }
    ProjectDb db;
    ScriptedDialogs dialogs;
    SystemClock clock;
    RecordingSoundPlayer sound;
    AppContext ctx;
    ctx.programFolder = folder;
    ctx.db = &db;
    ctx.dialogs = &dialogs;
    ctx.clock = &clock;
    ctx.sound = &sound;
    {
        ProjectDb res(QStringLiteral("res"));
        res.connect(folder + QStringLiteral("set.axc"));
        ctx.blankJpeg =
            res.scalar(QStringLiteral("select Pic from z_pic where name = '空图'")).toByteArray();
    }
    ctx.blank = LoadJpegBlob(ctx.blankJpeg, QImage(8, 8, QImage::Format_RGB32));
    ProjectStore store(db, dialogs, folder, ctx.blankJpeg);
    if (!store.open(QStringLiteral("大型项目")).ready) {
        std::fprintf(stderr, "cannot create the project\n");
        return 1;
    }
    fillProject(db);

    BenchHost host;
    std::vector<double> runs;
    for (int i = 0; i < 5; ++i) {
        Settings(db).save(QStringLiteral("初始化"), QStringLiteral("0"));
        QElapsedTimer t;
        t.start();
        TfrmJIANG screen(ctx, host, false, 32);
        screen.show();
        QCoreApplication::processEvents();
        const double ms = double(t.nsecsElapsed()) / 1e6;
        if (screen.statusText().isEmpty()) {
            std::fprintf(stderr, "the first texts were not shown\n");
            return 1;
        }
        runs.push_back(ms);
        screen.close();
    }
    std::sort(runs.begin(), runs.end());
    std::printf("draw_open_ms: %.1f ms\n", runs[runs.size() / 2]);
    std::printf("draw_open_max_ms: %.1f ms\n", runs.back());
    return 0;
}
