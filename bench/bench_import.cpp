// Participant import speed: a 1,000,000-row .csv through the page's import button, against the
// sqlite3 command-line shell's own .import of the same file; and a 100,000-row .xlsx.
#include "manage/pages/ParticipantsPage.h"
#include "platform/ScriptedDialogs.h"
#include "store/AppContext.h"
#include "store/Pictures.h"
#include "store/ProjectDb.h"
#include "store/ProjectStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
// The QuaZip target's include folder is not exported to benchmarks; its headers find each other.
#include <QuaZip-Qt6-1.4/quazip/quazip.h>
#include <QuaZip-Qt6-1.4/quazip/quazipfile.h>

using namespace varnel;

namespace {

class BenchMain final : public MainWindowApi {
public:
    bool changed = false;
    void navigateSelected() override {}
    int currentPage() const override { return 4; }
    void showPage(int) override {}
    void markDataChanged() override { changed = true; }
    bool dataChanged() const override { return changed; }
    void clearDataChanged() override { changed = false; }
    bool normalMode() const override { return true; }
};

bool writeCsv(const QString& path, int rows)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QByteArray chunk;
    for (int i = 1; i <= rows; ++i) {
        chunk += "人员" + QByteArray::number(i) + ",部门" + QByteArray::number(i % 97) + "," +
                 QByteArray::number(i % 10) + "\r\n";
        if (chunk.size() > (1 << 20)) {
            f.write(chunk);
            chunk.clear();
        }
    }
    f.write(chunk);
    return true;
}

bool writeXlsx(const QString& path, int rows)
{
    QByteArray strings = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><sst "
                         "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
    QByteArray sheet = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><worksheet "
                       "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                       "<sheetData>";
    for (int i = 1; i <= rows; ++i) {
        const QByteArray r = QByteArray::number(i);
        strings += "<si><t>人员" + r + "</t></si><si><t>部门" + r + "</t></si>";
        sheet += "<row r=\"" + r + "\"><c r=\"A" + r + "\" t=\"s\"><v>" +
                 QByteArray::number(2 * (i - 1)) + "</v></c><c r=\"B" + r + "\" t=\"s\"><v>" +
                 QByteArray::number(2 * (i - 1) + 1) + "</v></c><c r=\"C" + r + "\"><v>" +
                 QByteArray::number(i % 10) + "</v></c></row>";
    }
    strings += "</sst>";
    sheet += "</sheetData></worksheet>";
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    const QList<QPair<QString, QByteArray>> parts = {
        {"_rels/.rels", "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                        "relationships\"><Relationship Id=\"rId1\" Type=\"" +
                            rel + "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
        {"xl/workbook.xml",
         "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
         "xmlns:r=\"" +
             rel.left(rel.size() - 1) +
             "\"><sheets><sheet name=\"名单\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels",
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"" +
             rel +
             "worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" Type=\"" +
             rel + "sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>"},
        {"xl/sharedStrings.xml", strings},
        {"xl/worksheets/sheet1.xml", sheet}};
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdCreate))
        return false;
    for (const auto& [name, bytes] : parts) {
        QuaZipFile f(&zip);
        if (!f.open(QIODevice::WriteOnly, QuaZipNewInfo(name)))
            return false;
        f.write(bytes);
        f.close();
    }
    zip.close();
    return zip.getZipError() == 0;
}

// Imports `file` by pressing the page's button; returns seconds, or -1 on failure.
double importThroughPage(ParticipantsPage& page, ScriptedDialogs& dialogs, ProjectDb& db,
                         const QString& file, int expected)
{
    dialogs.clear();
    dialogs.answerText(file);
    QPushButton* button = page.findChild<QPushButton*>(QStringLiteral("btnRENexcel"));
    QElapsedTimer t;
    t.start();
    button->click();
    const double s = t.nsecsElapsed() / 1e9;
    const qint64 n = db.scalar(QStringLiteral("select count(*) from z_user")).toLongLong();
    if (n != expected || !dialogs.texts().isEmpty()) {
        std::fprintf(stderr, "import of %s stored %lld rows (expected %d); messages: %s\n",
                     qPrintable(file), n, expected, qPrintable(dialogs.texts().join(" | ")));
        return -1;
    }
    return s;
}

// CPU seconds of this process, and of its finished children: on a busy machine these say
// more than the wall clock.
double cpuSelf()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + ts.tv_nsec / 1e9;
}

double cpuChildren()
{
    rusage ru{};
    getrusage(RUSAGE_CHILDREN, &ru);
    return double(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) +
           double(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    const int csvRows = 1000000, xlsxRows = 100000;

    ProjectDb db;
    ScriptedDialogs dialogs;
    QImage blank(40, 30, QImage::Format_RGB32);
    blank.fill(Qt::white);
    ProjectStore store(db, dialogs, folder, encodeJpeg(blank));
    if (!store.open(QStringLiteral("导入测速")).ready) {
        std::fprintf(stderr, "project not created\n");
        return 1;
    }
    AppContext ctx;
    ctx.programFolder = folder;
    ctx.db = &db;
    ctx.dialogs = &dialogs;
    ctx.blank = blank;
    BenchMain main;
    ParticipantsPage page(ctx, main);
    page.enter();

    const QString csv = folder + QStringLiteral("名单.csv");
    const QString xlsx = folder + QStringLiteral("名单.xlsx");
    if (!writeCsv(csv, csvRows) || !writeXlsx(xlsx, xlsxRows)) {
        std::fprintf(stderr, "could not write the import files\n");
        return 1;
    }

    const double cpu0 = cpuSelf();
    const double ours = importThroughPage(page, dialogs, db, csv, csvRows);
    const double oursCpu = cpuSelf() - cpu0;
    if (ours < 0)
        return 1;
    std::printf("import_csv_1m_s: %.3f s\n", ours);
    std::fflush(stdout);

    // The command-line shell into a table of the same column types, in a fresh database.
    const QString cliDb = folder + QStringLiteral("cli.dat");
    QProcess create;
    create.start(QStringLiteral("sqlite3"),
                 {cliDb, QStringLiteral("create table z_user_cli([List] varchar,[Memo] "
                                        "varchar,[TJ] Int)")});
    if (!create.waitForFinished(60000) || create.exitCode() != 0) {
        std::fprintf(stderr, "sqlite3 command-line shell not available\n");
        return 1;
    }
    QProcess cli;
    QElapsedTimer t;
    const double child0 = cpuChildren();
    t.start();
    cli.start(QStringLiteral("sqlite3"),
              {cliDb, QStringLiteral(".mode csv"),
               QStringLiteral(".import ") + csv + QStringLiteral(" z_user_cli")});
    if (!cli.waitForFinished(600000) || cli.exitCode() != 0) {
        std::fprintf(stderr, "sqlite3 .import failed: %s\n",
                     cli.readAllStandardError().constData());
        return 1;
    }
    const double theirs = t.nsecsElapsed() / 1e9;
    const double theirsCpu = cpuChildren() - child0;
    std::printf("sqlite_cli_import_csv_1m_s: %.3f s\n", theirs);
    std::printf("import_csv_ratio: %.3f\n", ours / theirs);
    std::printf("import_csv_1m_cpu_s: %.3f s\n", oursCpu);
    std::printf("sqlite_cli_import_csv_1m_cpu_s: %.3f s\n", theirsCpu);
    std::printf("import_csv_cpu_ratio: %.3f\n", oursCpu / theirsCpu);
    std::fflush(stdout);

    const double sheet = importThroughPage(page, dialogs, db, xlsx, xlsxRows);
    if (sheet < 0)
        return 1;
    std::printf("import_xlsx_100k_s: %.3f s\n", sheet);
    return 0;
}
