#include "platform/OptionalLibrary.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace varnel;

namespace {

// A real shared library of the system to stand in for an optional one.
QString systemZlib()
{
    for (const char* p :
         {"/usr/lib/x86_64-linux-gnu/libz.so.1", "/lib/x86_64-linux-gnu/libz.so.1",
          "/usr/lib/aarch64-linux-gnu/libz.so.1", "/usr/lib64/libz.so.1", "/usr/lib/libz.so.1"})
        if (QFile::exists(QString::fromLatin1(p)))
            return QString::fromLatin1(p);
    return {};
}

} // namespace

class TestOptionalLibrary : public QObject {
    Q_OBJECT

private slots:
    void lookups_data()
    {
        QTest::addColumn<bool>("copyIntoFolder");
        QTest::addColumn<bool>("useFolder");
        QTest::addColumn<QString>("library");
        QTest::addColumn<QString>("exportName");
        QTest::addColumn<bool>("called");
        QTest::newRow("missing library") << false << true << "flBox.dll"
                                         << "fl" << false;
        QTest::newRow("library in the program folder") << true << true << "capture.dll"
                                                       << "zlibVersion" << true;
        QTest::newRow("missing export") << true << true << "capture.dll"
                                        << "Capoho" << false;
        QTest::newRow("not searched when the folder is not given") << true << false << "capture.dll"
                                                                   << "zlibVersion" << false;
        QTest::newRow("system library search") << false << true << "libz.so.1"
                                               << "zlibVersion" << true;
    }
    void lookups()
    {
        QFETCH(bool, copyIntoFolder);
        QFETCH(bool, useFolder);
        QFETCH(QString, library);
        QFETCH(QString, exportName);
        QFETCH(bool, called);
        const QString zlib = systemZlib();
        if (zlib.isEmpty())
            QSKIP("no zlib shared library to stand in for an optional one");
        QTemporaryDir folder;
        if (copyIntoFolder)
            QVERIFY(QFile::copy(zlib, folder.filePath(QStringLiteral("libcapture.so"))));
        const QString programFolder = useFolder ? folder.path() + QLatin1Char('/') : QString();
        QCOMPARE(
            callOptionalExport(programFolder, library, exportName.toLatin1().constData(), {888}),
            called);
    }

    void argumentsReachTheExport()
    {
        // umask(mask) is a C export with one int argument whose effect can be read back.
        const mode_t before = ::umask(022);
        QVERIFY(callOptionalExport({}, QStringLiteral("libc.so.6"), "umask", {077}));
        QCOMPARE(::umask(before), mode_t(077));
    }

    void tooManyArgumentsIsRefused()
    {
        const mode_t before = ::umask(022);
        QVERIFY(
            !callOptionalExport({}, QStringLiteral("libc.so.6"), "umask", {077, 0, 0, 0, 0, 0, 0}));
        QCOMPARE(::umask(before), mode_t(022));
    }
};

QTEST_MAIN(TestOptionalLibrary)
#include "test_optional_library.moc"
