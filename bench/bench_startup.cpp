// Time from starting the program until its main window is shown, on a copy of the program
// folder: the first run creates the project "新的项目", the later runs open it again.
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

bool copyFolder(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString src = it.next();
        const QString rel = QDir(from).relativeFilePath(src);
        if (rel.endsWith(QStringLiteral(".dat")) || rel == QStringLiteral("set.ini"))
            continue; // start from a clean program folder
        const QString dst = to + QLatin1Char('/') + rel;
        QDir().mkpath(QFileInfo(dst).absolutePath());
        if (!QFile::copy(src, dst))
            return false;
        QFile::setPermissions(dst, QFile(src).permissions());
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString bin = QStringLiteral(VARNEL_DATA_DIR);
    QTemporaryDir dir;
    if (!dir.isValid() || !copyFolder(bin, dir.path())) {
        std::fprintf(stderr, "cannot copy the program folder %s\n", qPrintable(bin));
        return 1;
    }
    const QString program = dir.filePath(QStringLiteral("varnel-draw"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    env.insert(QStringLiteral("VARNEL_EXIT_WHEN_SHOWN"), QStringLiteral("1"));
    env.remove(QStringLiteral("VARNEL_SCREENSHOT_DIR"));

    const int runs = 9;
    std::vector<double> wall;  // from process start until "shown" was read
    std::vector<double> inner; // as the program measures it from main()
    double firstRun = 0;
    for (int i = 0; i < runs; ++i) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(dir.path());
        QElapsedTimer t;
        t.start();
        p.start(program, {});
        if (!p.waitForStarted(10000)) {
            std::fprintf(stderr, "cannot start %s\n", qPrintable(program));
            return 1;
        }
        QByteArray line;
        while (!line.contains('\n') && p.state() != QProcess::NotRunning) {
            p.waitForReadyRead(20000);
            line += p.readAllStandardOutput();
        }
        const double ms = double(t.nsecsElapsed()) / 1e6;
        p.waitForFinished(20000);
        if (!line.startsWith("shown ")) {
            std::fprintf(stderr, "unexpected output: %s\n%s\n", line.constData(),
                         p.readAllStandardError().constData());
            return 1;
        }
        if (i == 0)
            firstRun = ms;
        else
            wall.push_back(ms);
        inner.push_back(line.mid(6).trimmed().toDouble());
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    std::printf("startup_to_main_window_ms: %.1f ms\n", median(wall));
    std::printf("startup_first_run_creating_project_ms: %.1f ms\n", firstRun);
    std::printf("startup_inside_program_ms: %.1f ms\n", median(inner));
    return 0;
}
