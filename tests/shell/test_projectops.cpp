// The top bar's project operations, the password lock and its prompt.
#include "ShellFixture.h"

#include "manage/pages/OptionPage.h"
#include "shell/TfrmMM.h"
#include "store/SetIni.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace varnel;

namespace {

void addWinnerAndPlan(ProjectDb& db)
{
    db.exec(QStringLiteral("insert into z_user(NO,List) values(1,'张三')"));
    db.exec(QStringLiteral("insert into z_jx(NO,JXname,JXcount,CQcount) values(1,'一等奖',1,1)"));
    db.exec(QStringLiteral("insert into z_log(XNO,NO,JXname,ZT) values(1,1,'一等奖','完成')"));
    db.exec(
        QStringLiteral("insert into z_zj(ListNO,ListZJ,JXname,BZ) values(1,'张三','一等奖','')"));
}

} // namespace

class TestProjectOps : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUpApplication(*qApp); }

    void newProject_data()
    {
        QTest::addColumn<QVariant>("answer"); // invalid: cancel
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("opened");
        QTest::newRow("cancelled") << QVariant() << ""
                                   << "新的项目";
        QTest::newRow("empty name") << QVariant(QString()) << "请先输入抽奖项目的名称"
                                    << "新的项目";
        QTest::newRow("new name") << QVariant(QStringLiteral("2026年会")) << ""
                                  << "2026年会";
        QTest::newRow("quote in name") << QVariant(QStringLiteral("O'Brien")) << ""
                                       << "O'Brien";
        QTest::newRow("existing name opens without asking")
            << QVariant(QStringLiteral("新的项目")) << ""
            << "新的项目";
        QTest::newRow("path separator refused")
            << QVariant(QStringLiteral("../外面"))
            << "抽奖项目的名称不能包含 / 或 \\ 字符,请重新输入项目名称"
            << "新的项目";
    }
    void newProject()
    {
        QFETCH(QVariant, answer);
        QFETCH(QString, message);
        QFETCH(QString, opened);
        ShellFixture f;
        QVERIFY(f.start());
        auto& d = f.tp.dialogs();
        answer.isValid() ? d.answerText(answer.toString()) : d.answerCancel();
        f.find<QToolButton>("spbtnTopNew")->click();
        QCOMPARE(d.shown.first().kind, QStringLiteral("input"));
        QCOMPARE(d.shown.first().title, QStringLiteral("输入"));
        QCOMPARE(d.shown.first().text, QStringLiteral("新抽奖项目的名称:"));
        QCOMPARE(d.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(f.w->projectName(), opened);
        QVERIFY(QFile::exists(f.tp.file(opened + QStringLiteral(".dat"))));
        QCOMPARE(f.read(QStringLiteral("版本类型")), QStringLiteral("滚轮版"));
        QVERIFY(!QFile::exists(f.tp.folder() + QStringLiteral("../外面.dat")));
        f.close();
        QCOMPARE(SetIni(f.tp.folder()).lastProject(), opened);
    }

    void loadTakesTheNameIntoTheProgramFolder()
    {
        ShellFixture f;
        QVERIFY(f.start());
        f.clickNode(QStringLiteral("声音设定"));
        QTemporaryDir other;
        QFile abc(other.filePath(QStringLiteral("abc.dat")));
        QVERIFY(abc.open(QIODevice::WriteOnly));
        abc.close();
        auto& d = f.tp.dialogs();
        d.answerText(abc.fileName());
        f.find<QToolButton>("spbtnTopLoad")->click();
        QCOMPARE(d.shown.first().kind, QStringLiteral("openFile"));
        QCOMPARE(d.shown.first().text, QStringLiteral("*.dat|*.dat"));
        QCOMPARE(f.w->projectName(), QStringLiteral("abc"));
        QCOMPARE(f.db().path(), f.tp.file(QStringLiteral("abc.dat")));
        QCOMPARE(f.read(QStringLiteral("版本")), QStringLiteral("4.1"));
        QCOMPARE(f.page(), 0);
        d.answerCancel();
        f.find<QToolButton>("spbtnTopLoad")->click();
        QCOMPARE(f.w->projectName(), QStringLiteral("abc"));
    }

    void clearDrawRecords_data()
    {
        QTest::addColumn<bool>("mall");
        QTest::addColumn<bool>("answer");
        QTest::newRow("normal mode, Yes") << false << true;
        QTest::newRow("mall mode, Yes") << true << true;
        QTest::newRow("No") << false << false;
    }
    void clearDrawRecords()
    {
        QFETCH(bool, mall);
        QFETCH(bool, answer);
        ShellFixture f;
        QVERIFY(f.start());
        auto& d = f.tp.dialogs();
        if (mall) {
            d.answerYes();
            f.find<QAbstractButton>("rbCJSETcjms2")->click();
        }
        addWinnerAndPlan(f.db());
        f.settings().save(QStringLiteral("初始化"), QStringLiteral("1"));
        d.clear();
        answer ? d.answerYes() : d.answerNo();
        f.find<QToolButton>("spbtnTopClear")->click();
        QCOMPARE(d.shown.size(), 1);
        QCOMPARE(d.shown[0].title, QStringLiteral("提示"));
        QCOMPARE(d.shown[0].text, QStringLiteral("是否要删除中奖记录？"));
        QCOMPARE(f.count(QStringLiteral("z_zj")), answer ? 0 : 1);
        QCOMPARE(f.count(QStringLiteral("z_log")), answer ? 0 : 1);
        QCOMPARE(f.count(QStringLiteral("z_jx")), answer && mall ? 0 : 1);
        QCOMPARE(f.count(QStringLiteral("z_user")), 1);
        QCOMPARE(f.read(QStringLiteral("初始化")),
                 answer ? QStringLiteral("0") : QStringLiteral("1"));
    }

    void clearOnTheRecordsPageReturnsToTheTreePage()
    {
        ShellFixture f;
        QVERIFY(f.start());
        f.clickNode(QStringLiteral("声音设定"));
        f.find<QToolButton>("spbthTopSee")->click();
        QCOMPARE(f.page(), 1);
        f.tp.dialogs().answerYes();
        f.find<QToolButton>("spbtnTopClear")->click();
        QCOMPARE(f.page(), 3);
        f.find<QToolButton>("spbthTopSee")->click();
        f.find<QToolButton>("spbthTopSee")->click();
        QCOMPARE(f.page(), 3);
    }

    void startDrawChecksTheLayout_data()
    {
        QTest::addColumn<QString>("windowMode");
        QTest::addColumn<QString>("layoutInfo"); // "screen": the current screen size
        QTest::addColumn<QString>("question");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("opened");
        const QString never =
            QStringLiteral("抽奖界面还未设定调整,默认位置可能跟您的显示分辨率不一致,\r\n你可以在 "
                           "基础设定 里调整抽奖界面!\r\n是否继续抽奖?");
        const QString other = QStringLiteral(
            "当前抽奖项目的界面大小跟您的显示分辨率不一致,\r\n不能达到一致的显示效果!\r\n你可以在 "
            "基础设定 里调整抽奖界面!\r\n是否继续抽奖?");
        QTest::newRow("never adjusted, No") << "0"
                                            << "" << never << false << false;
        QTest::newRow("never adjusted, Yes") << "0"
                                             << "" << never << true << true;
        QTest::newRow("other screen size, No") << "0"
                                               << "1x1" << other << false << false;
        QTest::newRow("same screen size") << "0"
                                          << "screen"
                                          << "" << false << true;
        QTest::newRow("window mode never asks") << "-1"
                                                << ""
                                                << "" << false << true;
    }
    void startDrawChecksTheLayout()
    {
        QFETCH(QString, windowMode);
        QFETCH(QString, layoutInfo);
        QFETCH(QString, question);
        QFETCH(bool, answer);
        QFETCH(bool, opened);
        ShellFixture f;
        QVERIFY(SetIni(f.tp.folder()).writeLastProject(QString()));
        {
            QFile ini(f.tp.file(QStringLiteral("set.ini")));
            QVERIFY(ini.open(QIODevice::Append));
            ini.write("\n[SET]\nSPACE = 13\n");
        }
        QVERIFY(f.start());
        f.w->show();
        f.settings().save(QStringLiteral("抽奖界面窗口模式"), windowMode);
        f.settings().save(QStringLiteral("抽奖界面预览信息"), layoutInfo == QStringLiteral("screen")
                                                                  ? currentScreenSizeText()
                                                                  : layoutInfo);
        f.settings().save(QStringLiteral("初始化"), QStringLiteral("1"));
        f.w->markDataChanged();
        const QColor red(255, 0, 0);
        auto captionColour = [&] {
            return f.find<QLabel>("lbRENTabletile")->palette().color(QPalette::WindowText);
        };
        QCOMPARE(captionColour(), red);
        auto& d = f.tp.dialogs();
        answer ? d.answerYes() : d.answerNo();
        f.find<QToolButton>("spbtnTopOPEN")->click();
        if (question.isEmpty()) {
            QCOMPARE(d.shown.size(), 0);
        } else {
            QCOMPARE(d.shown.size(), 1);
            QCOMPARE(d.shown[0].title, QString());
            QCOMPARE(d.shown[0].text, question);
            QCOMPARE(d.shown[0].icon, Dialogs::Icon::Warning);
            QVERIFY(d.shown[0].defaultNo);
            QVERIFY(d.shown[0].topmost);
        }
        QCOMPARE(f.drawRuns.size(), opened ? 1 : 0);
        if (opened) {
            QCOMPARE(f.drawRuns[0], std::make_pair(false, 13));
            QVERIFY(f.hiddenDuringDraw);
        }
        QCOMPARE(f.w->tag(), 0);
        QVERIFY(f.w->isVisible());
        // The data-changed flag is turned into a reshuffle before anything is asked.
        QVERIFY(!f.w->dataChanged());
        QVERIFY(captionColour() != red);
        QCOMPARE(f.read(QStringLiteral("初始化")), QStringLiteral("0"));
    }

    void adjustButtonOpensTheDrawScreenInAdjustMode()
    {
        ShellFixture f;
        QVERIFY(f.start());
        f.find<QPushButton>("btnTZCJJM")->click();
        QCOMPARE(f.drawRuns.size(), 1);
        QCOMPARE(f.drawRuns[0].first, true);
        QCOMPARE(f.w->tag(), 1);
        QImage preview(161, 117, QImage::Format_RGB32);
        preview.fill(Qt::green);
        f.w->setLayoutPreview(preview, QStringLiteral("1920*1080"));
        QCOMPARE(f.find<QLabel>("imgYL")->pixmap().toImage().pixelColor(5, 5), QColor(Qt::green));
        QCOMPARE(f.w->optionPage()->layoutInfo(), QStringLiteral("抽奖界面信息:\r\r1920*1080"));
        QCOMPARE(f.find<QLabel>("lblCJInfo")->text(), QStringLiteral("抽奖界面信息:\n\n1920*1080"));
    }

    void lockAtProjectOpen_data()
    {
        QTest::addColumn<QStringList>("off"); // protection boxes stored "0"
        QTest::newRow("all four protected") << QStringList();
        QTest::newRow("new stays free") << QStringList{"加密新建"};
        QTest::newRow("load and clear free") << QStringList{"加密加载", "加密清除"};
        QTest::newRow("records free") << QStringList{"加密领奖"};
    }
    void lockAtProjectOpen()
    {
        QFETCH(QStringList, off);
        ShellFixture f;
        f.tp.openProject(QStringLiteral("新的项目"));
        f.tp.settings().save(QStringLiteral("使用项目密码"), QStringLiteral("-1"));
        f.tp.settings().save(QStringLiteral("项目密码"), QStringLiteral("Abc"));
        for (const QString& key : off)
            f.tp.settings().save(key, QStringLiteral("0"));
        f.tp.db().disconnect();
        QVERIFY(f.start());
        const std::pair<const char*, const char*> buttons[] = {{"spbtnTopNew", "加密新建"},
                                                               {"spbtnTopLoad", "加密加载"},
                                                               {"spbthTopSee", "加密领奖"},
                                                               {"spbtnTopClear", "加密清除"}};
        auto expectLocked = [&](bool locked) {
            QCOMPARE(f.w->lockIconIndex(), locked ? 1 : 0);
            QVERIFY(f.w->lockButtonVisible());
            QCOMPARE(f.find<QTreeWidget>("TreeV")->isEnabled(), !locked);
            QVERIFY(f.find<QToolButton>("spbtnTopOPEN")->isEnabled());
            for (const auto& [button, key] : buttons) {
                const bool isProtected = !off.contains(QString::fromUtf8(key));
                QVERIFY2(f.find<QToolButton>(button)->isEnabled() == !(locked && isProtected),
                         button);
            }
        };
        expectLocked(true);
        QCOMPARE(f.page(), 0);

        f.prompts = {QStringLiteral("abc")}; // case matters: stays locked, silently
        f.w->editTopRightButtonClick();
        expectLocked(true);
        QCOMPARE(f.tp.dialogs().texts(), QStringList());

        f.clickNode(QStringLiteral("声音设定")); // the tree is disabled: no page change
        QCOMPARE(f.page(), 0);

        f.prompts = {QStringLiteral("Abc")};
        f.w->editTopRightButtonClick();
        expectLocked(false);
        f.clickNode(QStringLiteral("声音设定"));
        QCOMPARE(f.page(), 3);

        f.w->editTopRightButtonClick(); // locks again without a prompt and shows page 0
        expectLocked(true);
        QCOMPARE(f.page(), 0);
        QCOMPARE(f.promptsShown, 2);
    }

    void emptyPasswordUnlocksWithAnEmptyPrompt()
    {
        ShellFixture f;
        f.tp.openProject(QStringLiteral("新的项目"));
        f.tp.settings().save(QStringLiteral("使用项目密码"), QStringLiteral("-1"));
        f.tp.db().disconnect();
        QVERIFY(f.start());
        QCOMPARE(f.w->lockIconIndex(), 1);
        f.w->editTopRightButtonClick(); // the prompt answers nothing (closed without the button)
        QCOMPARE(f.w->lockIconIndex(), 0);
        QVERIFY(f.find<QTreeWidget>("TreeV")->isEnabled());
    }

    void checkingProtectionOnlyShowsTheButton()
    {
        ShellFixture f;
        QVERIFY(f.start());
        QVERIFY(!f.w->lockButtonVisible());
        f.find<QCheckBox>("chkMM")->click();
        QCOMPARE(f.read(QStringLiteral("使用项目密码")), QStringLiteral("-1"));
        QVERIFY(f.w->lockButtonVisible());
        QCOMPARE(f.w->lockIconIndex(), 0);
        QVERIFY(f.find<QTreeWidget>("TreeV")->isEnabled());
        f.find<QCheckBox>("chkMM")->click();
        QVERIFY(!f.w->lockButtonVisible());
        f.w->editTopRightButtonClick(); // protection off: nothing happens
        QCOMPARE(f.w->lockIconIndex(), 0);
        QVERIFY(f.find<QTreeWidget>("TreeV")->isEnabled());
    }

    void passwordPrompt()
    {
        {
            TfrmMM prompt;
            QCOMPARE(prompt.windowTitle(), QStringLiteral("输入密码:"));
            auto* edit = prompt.findChild<QLineEdit*>(QStringLiteral("edtMM"));
            QCOMPARE(edit->echoMode(), QLineEdit::Password);
            QCOMPARE(prompt.findChild<QPushButton*>(QStringLiteral("btnOK"))->text(),
                     QStringLiteral("确定"));
            prompt.show();
            QTest::keyClicks(edit, QStringLiteral("Se cret"));
            QTest::keyClick(edit, Qt::Key_Return);
            QCOMPARE(prompt.result(), int(QDialog::Accepted));
            QCOMPARE(prompt.enteredText(), QStringLiteral("Se cret"));
        }
        {
            TfrmMM prompt;
            prompt.show();
            QTest::keyClicks(prompt.findChild<QLineEdit*>(QStringLiteral("edtMM")),
                             QStringLiteral("typed"));
            prompt.reject(); // closed another way
            QCOMPARE(prompt.enteredText(), QString());
        }
    }

    void noticePanelShowsAndHides()
    {
        ShellFixture f;
        QVERIFY(f.start());
        auto* panel = f.find<QLabel>("pnlTS");
        QVERIFY(panel->isHidden());
        f.w->showNotice(QStringLiteral("初始化名单数据..."));
        QVERIFY(!panel->isHidden());
        QCOMPARE(panel->text(), QStringLiteral("初始化名单数据..."));
        f.w->hideNotice();
        QVERIFY(panel->isHidden());
    }
};

QTEST_MAIN(TestProjectOps)
#include "test_projectops.moc"
