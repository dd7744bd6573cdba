// Creating and opening a project file, the way the program does it at start-up and on
// "新建"/"加载": real files in a temporary program folder with the data files beside it.
#include "platform/ScriptedDialogs.h"
#include "store/ProjectDb.h"
#include "store/ProjectStore.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace varnel;

namespace {

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

QByteArray jpeg(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(170, 20, 30));
    QByteArray out;
    QBuffer b(&out);
    b.open(QIODevice::WriteOnly);
    img.save(&b, "JPG", 90);
    return out;
}

// The build's data files when they are there; stand-ins of a similar size otherwise.
QByteArray dataFile(const QString& rel, const QByteArray& standIn)
{
    const QByteArray real = readFile(QStringLiteral(VARNEL_DATA_DIR "/") + rel);
    return real.isEmpty() ? standIn : real;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    writeFile(folder + "bmp/BJ001.JPG", dataFile("bmp/BJ001.JPG", jpeg(1024, 768)));
    writeFile(folder + "Sound/dada.wav", dataFile("Sound/dada.wav", QByteArray(200000, '\x10')));
    writeFile(folder + "Sound/ding.wav", dataFile("Sound/ding.wav", QByteArray(60000, '\x10')));
    QByteArray blank = jpeg(160, 120);
    const QString axc = QStringLiteral(VARNEL_DATA_DIR "/set.axc");
    if (QFile::exists(axc)) {
        ProjectDb resources(QStringLiteral("resources"));
        resources.connect(axc);
        const QVariant pic = resources.scalar("select pic from z_pic where name = '空图'");
        if (!pic.toByteArray().isEmpty())
            blank = pic.toByteArray();
    }

    ProjectDb db;
    ScriptedDialogs dialogs;
    ProjectStore store(db, dialogs, folder, blank);

    const int runs = 9;
    std::vector<double> create, open;
    for (int i = 0; i < runs; ++i) {
        const QString name = QStringLiteral("项目%1").arg(i);
        QElapsedTimer t;
        t.start();
        const auto out = store.open(name);
        create.push_back(t.nsecsElapsed() / 1e6);
        if (!out.ready || !out.created) {
            std::fprintf(stderr, "project creation failed\n");
            return 1;
        }
    }
    // Give the project some data so opening it is not trivially small.
    db.exec("BEGIN");
    for (int i = 1; i <= 2000; ++i)
        db.exec("insert into z_user(NO,List,Memo,PicB) values(?,?,'','无')",
                {i, QStringLiteral("人员%1").arg(i)});
    db.exec("COMMIT");
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        const auto out = store.open(QStringLiteral("项目%1").arg(runs - 1));
        open.push_back(t.nsecsElapsed() / 1e6);
        if (!out.ready || out.created) {
            std::fprintf(stderr, "project open failed\n");
            return 1;
        }
    }
    db.disconnect();
    std::printf("project_create_ms: %.2f ms\n", median(create));
    std::printf("project_open_ms: %.2f ms\n", median(open));
    return dialogs.shown.isEmpty() ? 0 : 1;
}
