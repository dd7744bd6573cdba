#include "TestProject.h"
#include "store/SetIni.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QStringEncoder>
#include <QTest>

using namespace varnel;

class TestSetIni : public QObject {
    Q_OBJECT
private slots:
    void reads_data();
    void reads();
    void writeKeepsTheOtherKey();
    void writeFailureIsReported();
};

void TestSetIni::reads_data()
{
    QTest::addColumn<QByteArray>("content"); // "<none>": no file
    QTest::addColumn<QString>("last");
    QTest::addColumn<int>("key");
    QTest::newRow("no file") << QByteArray("<none>") << "" << 32;
    QTest::newRow("both keys") << QByteArray("[set]\r\n最后项目=年会\r\n[SET]\r\nSPACE=13\r\n")
                               << "年会" << 13;
    QTest::newRow("one section any case")
        << QByteArray("[Set]\n最后项目=年会\nSPACE=65\n") << "年会" << 65;
    QTest::newRow("with byte order mark")
        << QByteArray("\xEF\xBB\xBF[set]\n最后项目=O'Neil 年会\n") << "O'Neil 年会" << 32;
    QTest::newRow("key not a number") << QByteArray("[SET]\nSPACE=abc\n") << "" << 32;
    QTest::newRow("key empty") << QByteArray("[SET]\nSPACE=\n") << "" << 32;
    QTest::newRow("garbled") << QByteArray("\x00\x01\xFE\xFF\x80[[[==", 11) << "" << 32;
    QTest::newRow("other section") << QByteArray("[other]\n最后项目=年会\nSPACE=13\n") << "" << 32;
    QTest::newRow("ansi code page") << QByteArray(QStringEncoder("GB18030").encode(
                                           QStringLiteral("[set]\r\n最后项目=年会\r\n")))
                                    << "年会" << 32;
}

void TestSetIni::reads()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, last);
    QFETCH(int, key);
    TestProject tp(TestProject::folderOnly(false));
    if (content != "<none>")
        tp.writeFile("set.ini", content);
    SetIni ini(tp.folder());
    QCOMPARE(ini.lastProject(), last);
    QCOMPARE(ini.drawKey(), key);
}

void TestSetIni::writeKeepsTheOtherKey()
{
    TestProject tp(TestProject::folderOnly(false));
    SetIni ini(tp.folder());
    QVERIFY(ini.writeLastProject("新的项目"));
    QCOMPARE(ini.lastProject(), QStringLiteral("新的项目"));
    tp.writeFile("set.ini", "[SET]\nSPACE=13\n[set]\n最后项目=旧\n");
    QVERIFY(ini.writeLastProject("年会's"));
    QCOMPARE(SetIni(tp.folder()).lastProject(), QStringLiteral("年会's"));
    QCOMPARE(SetIni(tp.folder()).drawKey(), 13);
    QFile f(tp.file("set.ini"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    QVERIFY(!text.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(text.count("最后项目"), 1);
    QVERIFY(text.contains("最后项目 = 年会's") || text.contains("最后项目=年会's"));
}

void TestSetIni::writeFailureIsReported()
{
    // A folder where the file should be: it cannot be written (true even for root).
    TestProject tp(TestProject::folderOnly(false));
    QVERIFY(QDir(tp.folder()).mkdir("set.ini"));
    SetIni ini(tp.folder());
    QVERIFY(!ini.writeLastProject("年会"));
    QCOMPARE(ini.lastProject(), QString());
    QCOMPARE(ini.drawKey(), 32);
    // A folder that does not exist.
    QVERIFY(!SetIni(tp.folder() + "missing/").writeLastProject("年会"));
}

QTEST_MAIN(TestSetIni)
#include "test_set_ini.moc"
