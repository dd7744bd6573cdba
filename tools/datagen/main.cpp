// Draws and synthesises the files the program expects beside it, and the built-in pictures.
//   varnel-datagen data <program folder>
//   varnel-datagen resources <resources folder>
#include "Art.h"
#include "Synth.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <sqlite3.h>

#include <cstdio>

namespace {

bool fail(const QString& what)
{
    std::fprintf(stderr, "varnel-datagen: %s\n", qPrintable(what));
    return false;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        return fail(QStringLiteral("cannot write ") + path);
    return true;
}

QByteArray encode(const QImage& img, const char* format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    // JPEG has no alpha: flatten onto white first.
    if (qstrcmp(format, "JPEG") == 0)
        img.convertToFormat(QImage::Format_RGB32).save(&buf, format, quality);
    else
        img.save(&buf, format, quality);
    return bytes;
}

// The resource database: table z_pic(name, pic) with the blank picture as row "空图".
bool writeResourceDb(const QString& path, const QByteArray& jpeg)
{
    QFile::remove(path);
    sqlite3* db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        return fail(QStringLiteral("cannot create ") + path);
    }
    bool ok = sqlite3_exec(db, "CREATE TABLE z_pic (name TEXT, pic BLOB)", nullptr, nullptr,
                           nullptr) == SQLITE_OK;
    sqlite3_stmt* st = nullptr;
    ok = ok && sqlite3_prepare_v2(db, "INSERT INTO z_pic (name, pic) VALUES (?, ?)", -1, &st,
                                  nullptr) == SQLITE_OK;
    const QByteArray name = QStringLiteral("空图").toUtf8();
    ok = ok && sqlite3_bind_text(st, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT) ==
                   SQLITE_OK;
    ok = ok && sqlite3_bind_blob(st, 2, jpeg.constData(), int(jpeg.size()), SQLITE_TRANSIENT) ==
                   SQLITE_OK;
    ok = ok && sqlite3_step(st) == SQLITE_DONE;
    sqlite3_finalize(st);
    sqlite3_close(db);
    return ok || fail(QStringLiteral("cannot fill ") + path);
}

bool writeData(const QString& dir)
{
    using namespace datagen;
    return writeResourceDb(dir + QStringLiteral("/set.axc"), encode(blankPicture(), "JPEG", 90)) &&
           writeFile(dir + QStringLiteral("/bmp/BJ001.JPG"),
                     encode(stageBackground(), "JPEG", 92)) &&
           writeFile(dir + QStringLiteral("/Sound/dada.wav"), toWav(snareRoll())) &&
           writeFile(dir + QStringLiteral("/Sound/ding.wav"), toWav(bell())) &&
           writeFile(dir + QStringLiteral("/start1.png"),
                     encode(drawButton(QStringLiteral("开始"), false, false), "PNG")) &&
           writeFile(dir + QStringLiteral("/start2.png"),
                     encode(drawButton(QStringLiteral("开始"), false, true), "PNG")) &&
           writeFile(dir + QStringLiteral("/stop1.png"),
                     encode(drawButton(QStringLiteral("停止"), true, false), "PNG")) &&
           writeFile(dir + QStringLiteral("/stop2.png"),
                     encode(drawButton(QStringLiteral("停止"), true, true), "PNG"));
}

bool writeResources(const QString& dir)
{
    using namespace datagen;
    return writeFile(dir + QStringLiteral("/banner.png"), encode(banner(), "PNG")) &&
           writeFile(dir + QStringLiteral("/lock_open.png"), encode(lockIcon(false), "PNG")) &&
           writeFile(dir + QStringLiteral("/lock_closed.png"), encode(lockIcon(true), "PNG")) &&
           writeFile(dir + QStringLiteral("/zjqd_background.jpg"),
                     encode(listBackground(), "JPEG", 90)) &&
           writeFile(dir + QStringLiteral("/app_icon.png"), encode(appIcon(), "PNG")) &&
           writeFile(dir + QStringLiteral("/add_term.png"), encode(termButton(true), "PNG")) &&
           writeFile(dir + QStringLiteral("/remove_term.png"), encode(termButton(false), "PNG"));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3 ||
        (args[1] != QLatin1String("data") && args[1] != QLatin1String("resources"))) {
        std::fprintf(stderr, "usage: varnel-datagen data|resources <folder>\n");
        return 2;
    }
    const QString dir = QDir(args[2]).absolutePath();
    const bool ok = args[1] == QLatin1String("data") ? writeData(dir) : writeResources(dir);
    return ok ? 0 : 1;
}
