// Start-up of the main window, its fatal messages and what closing leaves in set.ini.
#include "ShellFixture.h"

#include "store/SetIni.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <csignal>

using namespace varnel;

namespace {

// A set.axc whose "空图" row holds `pic`.
void writeAxc(const QString& path, const QByteArray& pic)
{
    QFile::remove(path);
    TestProject::writeResourceDb(path, pic);
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUpApplication(*qApp); }

    void firstRunCreatesAndShowsNewProject()
    {
        ShellFixture f;
        QVERIFY(!QFile::exists(f.tp.file(QStringLiteral("set.ini"))));
        QVERIFY(f.start());
        QCOMPARE(f.w->windowTitle(), QStringLiteral("Varnel抽奖软件 滚轮版 V3.6.1"));
        QCOMPARE(f.w->size(), QSize(749, 503));
        QCOMPARE(f.w->projectName(), QStringLiteral("新的项目"));
        QVERIFY(QFile::exists(f.tp.file(QStringLiteral("新的项目.dat"))));
        QCOMPARE(f.read(QStringLiteral("版本")), QStringLiteral("4.1"));
        QCOMPARE(f.page(), 0);
        QVERIFY(f.node(QStringLiteral("基础设定"))->isExpanded());
        QCOMPARE(f.find<QLabel>("lbMianTil")->text(),
                 QStringLiteral("Varnel抽奖软件 滚轮版 V3.6.1"));
        QCOMPARE(f.tp.dialogs().texts(), QStringList());
        f.close();
        QCOMPARE(SetIni(f.tp.folder()).lastProject(), QStringLiteral("新的项目"));
    }

    void lastProjectIsReopened_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("createFirst");
        QTest::addColumn<QString>("opened");
        QTest::newRow("existing project")
            << QStringLiteral("年会") << true << QStringLiteral("年会");
        QTest::newRow("file deleted")
            << QStringLiteral("年会") << false << QStringLiteral("新的项目");
        QTest::newRow("name leaving the folder")
            << QStringLiteral("../年会") << false << QStringLiteral("新的项目");
    }
    void lastProjectIsReopened()
    {
        QFETCH(QString, stored);
        QFETCH(bool, createFirst);
        QFETCH(QString, opened);
        ShellFixture f;
        if (createFirst)
            f.tp.openProject(stored);
        f.tp.db().disconnect();
        QVERIFY(SetIni(f.tp.folder()).writeLastProject(stored));
        QVERIFY(f.start());
        QCOMPARE(f.w->projectName(), opened);
        QVERIFY(QFile::exists(f.tp.file(opened + QStringLiteral(".dat"))));
        f.close();
        QCOMPARE(SetIni(f.tp.folder()).lastProject(), opened);
        QVERIFY(!QFile::exists(f.tp.folder() + QStringLiteral("../年会.dat")));
    }

    void resourceDatabase_data()
    {
        QTest::addColumn<QString>("axc"); // "jpeg", "empty", "text", "" = no file
        QTest::addColumn<QString>("dll");
        QTest::addColumn<bool>("started");
        QTest::addColumn<QString>("message");
        QTest::newRow("set.axc") << "jpeg"
                                 << "" << true << "";
        QTest::newRow("only set.dll") << ""
                                      << "jpeg" << true << "";
        QTest::newRow("set.axc wins over set.dll") << "jpeg"
                                                   << "text" << true << "";
        QTest::newRow("neither") << ""
                                 << "" << false << "set.axc 文件未发现";
        QTest::newRow("empty blank picture") << "empty"
                                             << "jpeg" << false << "set.axc 文件错误";
        QTest::newRow("blank picture not a JPEG") << "text"
                                                  << "" << false << "set.axc 文件错误";
    }
    void resourceDatabase()
    {
        QFETCH(QString, axc);
        QFETCH(QString, dll);
        QFETCH(bool, started);
        QFETCH(QString, message);
        ShellFixture f;
        const QByteArray jpeg = TestProject::makeJpeg(40, 30, Qt::white);
        auto place = [&](const QString& file, const QString& kind) {
            const QString path = f.tp.file(file);
            QFile::remove(path);
            if (kind == QStringLiteral("jpeg"))
                writeAxc(path, jpeg);
            else if (kind == QStringLiteral("empty"))
                writeAxc(path, QByteArray());
            else if (kind == QStringLiteral("text"))
                writeAxc(path, QByteArrayLiteral("not a picture"));
        };
        place(QStringLiteral("set.axc"), axc);
        place(QStringLiteral("set.dll"), dll);
        QCOMPARE(f.start(), started);
        QCOMPARE(f.tp.dialogs().texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(QFile::exists(f.tp.file(QStringLiteral("新的项目.dat"))), started);
        if (started)
            QCOMPARE(f.w->context().blankJpeg, jpeg);
    }

    void resourceDatabaseWithoutPictureTable()
    {
        ShellFixture f;
        QFile::remove(f.tp.file(QStringLiteral("set.axc")));
        {
            ProjectDb other(QStringLiteral("axc_writer"));
            other.connect(f.tp.file(QStringLiteral("set.axc")));
            other.exec(QStringLiteral("create table t(x int)"));
        }
        QVERIFY(!f.start());
        QCOMPARE(f.tp.dialogs().shown.size(), 1);
        QCOMPARE(f.tp.dialogs().shown.first().kind, QStringLiteral("error"));
        QVERIFY(f.tp.dialogs().shown.first().text.contains(QStringLiteral("z_pic")));
    }

    void missingEngineEndsAtOnce()
    {
        ShellFixture f;
        FrmSetDeps d = f.deps();
        d.engineAvailable = [] { return false; };
        QVERIFY(!f.start(d));
        QCOMPARE(f.tp.dialogs().texts(), QStringList{QStringLiteral("sqlite3.dll 文件未发现")});
        QVERIFY(!QFile::exists(f.tp.file(QStringLiteral("新的项目.dat"))));
    }

    void closingStoresFieldsThatSaveOnExit()
    {
        ShellFixture f;
        QVERIFY(f.start());
        f.w->show();
        QApplication::setActiveWindow(f.w.get());
        f.clickNode(QStringLiteral("基础设定"));
        QCOMPARE(f.page(), 2);
        auto* password = f.find<QLineEdit>("edtMM");
        auto* condition = f.find<QLineEdit>("edt_MoRenTiaoJian");
        condition->setFocus();
        QTest::keyClicks(condition, QStringLiteral(">=2"));
        password->setFocus(); // leaving the condition box stores it
        QTest::keyClicks(password, QStringLiteral("ab'c"));
        QCOMPARE(f.read(QStringLiteral("默认条件")), QStringLiteral(">=2"));
        QCOMPARE(f.read(QStringLiteral("项目密码")), QString());
        const QString file = f.db().path();
        f.close();
        TestProject check(TestProject::folderOnly());
        check.db().connect(file);
        QCOMPARE(check.settings().read(QStringLiteral("项目密码")), QStringLiteral("ab'c"));
        QCOMPARE(SetIni(f.tp.folder()).lastProject(), QStringLiteral("新的项目"));
    }

    void closingAnInactiveWindowStillStoresThePassword()
    {
        ShellFixture f;
        QVERIFY(f.start());
        auto* password = f.find<QLineEdit>("edtMM");
        password->setFocus(); // never shown: no focus-out will arrive
        password->setText(QStringLiteral("9876"));
        const QString file = f.db().path();
        f.close();
        TestProject check(TestProject::folderOnly());
        check.db().connect(file);
        QCOMPARE(check.settings().read(QStringLiteral("项目密码")), QStringLiteral("9876"));
    }

    void terminationSignalClosesNormally_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
    }
    void terminationSignalClosesNormally()
    {
        QFETCH(int, signal);
        // The real program from a copy of the build's program folder.
        const QString bin = QStringLiteral(VARNEL_DATA_DIR);
        if (!QFile::exists(bin + QStringLiteral("/varnel-draw")))
            QSKIP("the program is not built");
        QTemporaryDir dir;
        for (const QString& rel :
             {QStringLiteral("varnel-draw"), QStringLiteral("set.axc"),
              QStringLiteral("bmp/BJ001.JPG"), QStringLiteral("Sound/dada.wav"),
              QStringLiteral("Sound/ding.wav")}) {
            QDir().mkpath(QFileInfo(dir.filePath(rel)).absolutePath());
            QVERIFY(QFile::copy(bin + QLatin1Char('/') + rel, dir.filePath(rel)));
        }
        QFile(dir.filePath(QStringLiteral("varnel-draw")))
            .setPermissions(QFileDevice::ExeOwner | QFileDevice::ReadOwner);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
        env.remove(QStringLiteral("VARNEL_SCREENSHOT_DIR"));
        env.remove(QStringLiteral("VARNEL_EXIT_WHEN_SHOWN"));
        p.setProcessEnvironment(env);
        p.start(dir.filePath(QStringLiteral("varnel-draw")), {});
        QVERIFY(p.waitForStarted());
        // The project file appears during start-up, after the signal handling is in place.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir.filePath(QStringLiteral("新的项目.dat"))),
                                 20000);
        ::kill(pid_t(p.processId()), signal);
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(SetIni(dir.path() + QLatin1Char('/')).lastProject(), QStringLiteral("新的项目"));
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
