// The option, sound and mall pages: every control stores its setting at once, loading a project
// writes the normalised values back, the mask preview, the sounds and the mode switch.
#include "ShellFixture.h"

#include "manage/pages/OptionPage.h"
#include "store/TextTransforms.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QSqlQuery>
#include <QTableView>

using namespace varnel;

class TestOptions : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUpApplication(*qApp); }

    void checkBoxesStoreAtOnce_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("key");
        for (const auto& [box, key] : std::initializer_list<std::pair<const char*, const char*>>{
                 {"cbxGDSETcfzj", "可重复中奖"},
                 {"cbxShowJXzjname", "显示奖项中奖清单"},
                 {"chkzjqdsx", "中奖清单倒序显示"},
                 {"chkyzjqd", "显示已中奖清单"},
                 {"chkMM", "使用项目密码"},
                 {"chkMMxj", "加密新建"},
                 {"chkMMjz", "加密加载"},
                 {"chkMMlj", "加密领奖"},
                 {"chkMMqc", "加密清除"},
                 {"cbxSoundgd", "滚动有声音"},
                 {"cbxSoundzj", "中奖有声音"},
                 {"chkSCdjcjr", "商场需登记抽奖人"},
                 {"chkGDtjMD", "商场仅滚动能中的奖品"},
                 {"chkZQCJ", "商场周期出奖"}})
            QTest::newRow(box) << QString::fromUtf8(box) << QString::fromUtf8(key);
    }
    void checkBoxesStoreAtOnce()
    {
        QFETCH(QString, box);
        QFETCH(QString, key);
        ShellFixture f;
        QVERIFY(f.start());
        auto* b = f.w->findChild<QCheckBox*>(box);
        QVERIFY(b);
        const bool was = b->isChecked();
        b->click();
        QCOMPARE(f.read(key), was ? QStringLiteral("0") : QStringLiteral("-1"));
        b->click();
        QCOMPARE(f.read(key), was ? QStringLiteral("-1") : QStringLiteral("0"));
        QCOMPARE(f.tp.dialogs().texts(), QStringList());
    }

    void newProjectShowsItsDefaults()
    {
        ShellFixture f;
        QVERIFY(f.start());
        const QStringList ticked = {"chkyzjqd",     "cbxSoundgd", "cbxSoundzj",
                                    "rbCJSETcjms1", "chkMMxj",    "chkMMjz",
                                    "chkMMlj",      "chkMMqc",    "rbtnRENdrfs2"};
        for (QAbstractButton* b : f.w->findChildren<QAbstractButton*>()) {
            if (b->isCheckable() && !b->objectName().isEmpty())
                QVERIFY2(b->isChecked() == ticked.contains(b->objectName()),
                         qPrintable(b->objectName()));
        }
        QCOMPARE(f.find<QSpinBox>("editGDshudu")->value(), 40);
        QCOMPARE(f.find<QSpinBox>("editGDSETajjesj")->value(), 0);
        QCOMPARE(f.find<QLineEdit>("editGDxinxin")->text(), QStringLiteral("*"));
        QCOMPARE(f.find<QLineEdit>("editSoundgd")->text(), QStringLiteral("dada.wav"));
        QCOMPARE(f.find<QLineEdit>("editSoundzj")->text(), QStringLiteral("ding.wav"));
        // A box that changed while loading wrote its value back in the check box form.
        QCOMPARE(f.read(QStringLiteral("显示已中奖清单")), QStringLiteral("-1"));
        QCOMPARE(f.read(QStringLiteral("可重复中奖")), QStringLiteral("0"));
        QCOMPARE(f.read(QStringLiteral("抽奖间隔")), QStringLiteral("0"));
        QCOMPARE(f.w->optionPage()->layoutInfo(), QStringLiteral("抽奖界面信息:\r\r未设置"));
        QVERIFY(!f.w->optionPage()->layoutInfoMismatch());
    }

    void loadingNormalisesStoredValues_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QVariant>("shown");
        QTest::addColumn<QString>("after");
        QTest::newRow("speed not a number") << "滚动显示速度"
                                            << "abc"
                                            << "editGDshudu" << QVariant(1) << "1";
        QTest::newRow("speed above range") << "滚动显示速度"
                                           << "500"
                                           << "editGDshudu" << QVariant(200) << "200";
        QTest::newRow("interval above range") << "抽奖间隔"
                                              << "9"
                                              << "editGDSETajjesj" << QVariant(5) << "5";
        QTest::newRow("mask start negative") << "滚动显示星星开始"
                                             << "-3"
                                             << "editGDxinxinleft" << QVariant(0) << "-3";
        QTest::newRow("flag written 1 ticks") << "可重复中奖"
                                              << "1"
                                              << "cbxGDSETcfzj" << QVariant(true) << "-1";
        QTest::newRow("password flag 1 is off") << "使用项目密码"
                                                << "1"
                                                << "chkMM" << QVariant(false) << "1";
        QTest::newRow("mall option -1") << "商场周期出奖"
                                        << "-1"
                                        << "chkZQCJ" << QVariant(true) << "-1";
        QTest::newRow("mall option 1 is off") << "商场周期出奖"
                                              << "1"
                                              << "chkZQCJ" << QVariant(false) << "1";
        QTest::newRow("protection missing ticks") << "加密清除"
                                                  << ""
                                                  << "chkMMqc" << QVariant(true) << "";
        QTest::newRow("sound off") << "中奖有声音"
                                   << "0"
                                   << "cbxSoundzj" << QVariant(false) << "0";
    }
    void loadingNormalisesStoredValues()
    {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(QString, control);
        QFETCH(QVariant, shown);
        QFETCH(QString, after);
        ShellFixture f;
        f.tp.openProject(QStringLiteral("新的项目"));
        if (!stored.isEmpty())
            f.tp.settings().save(key, stored);
        f.tp.db().disconnect();
        QVERIFY(f.start());
        QObject* c = f.w->findChild<QObject*>(control);
        QVERIFY(c);
        if (auto* spin = qobject_cast<QSpinBox*>(c))
            QCOMPARE(QVariant(spin->value()), shown);
        else
            QCOMPARE(QVariant(qobject_cast<QAbstractButton*>(c)->isChecked()), shown);
        QCOMPARE(f.read(key), after);
    }

    void upDownsStopAtTheirEnds()
    {
        ShellFixture f;
        QVERIFY(f.start());
        auto* speed = f.find<QSpinBox>("editGDshudu");
        QCOMPARE(speed->value(), 40);
        for (int i = 0; i < 8; ++i)
            speed->stepDown();
        QCOMPARE(speed->value(), 1);
        QCOMPARE(f.read(QStringLiteral("滚动显示速度")), QStringLiteral("1"));
        speed->stepDown();
        QCOMPARE(speed->value(), 1);
        speed->setValue(195);
        speed->stepUp();
        QCOMPARE(f.read(QStringLiteral("滚动显示速度")), QStringLiteral("200"));
        speed->stepUp();
        QCOMPARE(speed->value(), 200);

        auto* interval = f.find<QSpinBox>("editGDSETajjesj");
        for (int i = 0; i < 7; ++i)
            QTest::keyClick(interval, Qt::Key_Up);
        QCOMPARE(f.read(QStringLiteral("抽奖间隔")), QStringLiteral("5"));
        for (int i = 0; i < 7; ++i)
            QTest::keyClick(interval, Qt::Key_Down);
        QCOMPARE(f.read(QStringLiteral("抽奖间隔")), QStringLiteral("0"));

        // The numbers cannot be typed, only stepped.
        QTest::keyClicks(speed, QStringLiteral("77"));
        QCOMPARE(speed->value(), 200);
    }

    void maskPreviewFollowsTheControls()
    {
        ShellFixture f;
        QVERIFY(f.start());
        const QString sample = starMaskSampleText();
        QCOMPARE(sample.size(), 11);
        auto* preview = f.find<QLabel>("lbGDLineSee");
        auto* symbol = f.find<QLineEdit>("editGDxinxin");
        QCOMPARE(preview->text(), sample);
        f.find<QSpinBox>("editGDxinxinleft")->setValue(2);
        f.find<QSpinBox>("editGDxinxinCount")->setValue(3);
        QCOMPARE(preview->text(), sample.left(1) + QStringLiteral("***") + sample.mid(4));
        QCOMPARE(f.read(QStringLiteral("滚动显示星星开始")), QStringLiteral("2"));
        QCOMPARE(f.read(QStringLiteral("滚动显示星星个数")), QStringLiteral("3"));
        QCOMPARE(f.w->starMaskParams().symbol, QStringLiteral("*"));

        f.w->show();
        QApplication::setActiveWindow(f.w.get());
        f.clickNode(QStringLiteral("基础设定"));
        symbol->setFocus();
        symbol->selectAll();
        QTest::keyClicks(symbol, QStringLiteral("#?"));
        QCOMPARE(symbol->text(), QStringLiteral("#")); // one character at most
        QCOMPARE(preview->text(), sample.left(1) + QStringLiteral("###") + sample.mid(4));
        QCOMPARE(f.read(QStringLiteral("滚动显示星星符号")), QStringLiteral("*")); // stored on exit
        symbol->clear();
        QCOMPARE(preview->text(), sample);
        f.find<QLineEdit>("edt_MoRenTiaoJian")->setFocus();
        QCOMPARE(f.read(QStringLiteral("滚动显示星星符号")), QString());
    }

    void soundsAreChosenAndPlayedFromTheProject()
    {
        ShellFixture f;
        QVERIFY(f.start());
        const QByteArray wav = TestProject::makeWav(50, 440);
        f.tp.writeFile(QStringLiteral("elsewhere/鼓声.wav"), wav);
        auto& d = f.tp.dialogs();
        d.answerCancel();
        f.find<QAbstractButton>("btnSoundgdSel")->click();
        QCOMPARE(f.read(QStringLiteral("滚动声音")), QStringLiteral("dada.wav"));
        d.answerText(f.tp.file(QStringLiteral("elsewhere/鼓声.wav")));
        f.find<QAbstractButton>("btnSoundgdSel")->click();
        QCOMPARE(d.shown.last().kind, QStringLiteral("openFile"));
        QCOMPARE(d.shown.last().text, QStringLiteral("*.wav|*.wav"));
        QCOMPARE(f.read(QStringLiteral("滚动声音")), QStringLiteral("鼓声.wav"));
        QCOMPARE(f.settings().readBlob(QStringLiteral("滚动声音")), wav);
        QCOMPARE(f.find<QLineEdit>("editSoundgd")->text(), QStringLiteral("鼓声.wav"));
        QFile::remove(f.tp.file(QStringLiteral("elsewhere/鼓声.wav")));

        f.find<QAbstractButton>("btnPlay1")->click();
        QCOMPARE(f.tp.sound().calls, QStringList{QStringLiteral("once:%1").arg(wav.size())});
        QCOMPARE(f.tp.sound().last, wav);

        // An empty sound stops what plays; a missing row does nothing at all.
        f.settings().saveWithBlob(QStringLiteral("中奖声音"), QString(), QByteArray());
        f.find<QAbstractButton>("btnPlay2")->click();
        QCOMPARE(f.tp.sound().calls.last(), QStringLiteral("stop"));
        f.db().exec(QStringLiteral("delete from z_set where name = '中奖声音'"));
        const int calls = f.tp.sound().calls.size();
        f.find<QAbstractButton>("btnPlay2")->click();
        QCOMPARE(f.tp.sound().calls.size(), calls);
    }

    void passwordShownInClearOnRequest()
    {
        ShellFixture f;
        QVERIFY(f.start());
        auto* edit = f.find<QLineEdit>("edtMM");
        QCOMPARE(edit->echoMode(), QLineEdit::Password);
        f.find<QAbstractButton>("chkMMmm")->click();
        QCOMPARE(edit->echoMode(), QLineEdit::Normal);
        f.find<QAbstractButton>("chkMMmm")->click();
        QCOMPARE(edit->echoMode(), QLineEdit::Password);
        QVERIFY(!f.settings().exists(QStringLiteral("明码")));
    }

    void modeSwitch_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::newRow("Yes wipes the data") << true;
        QTest::newRow("No keeps everything") << false;
    }
    void modeSwitch()
    {
        QFETCH(bool, answer);
        ShellFixture f;
        QVERIFY(f.start());
        f.db().exec(QStringLiteral("insert into z_user(NO,List) values(1,'张三')"));
        f.db().exec(
            QStringLiteral("insert into z_jx(NO,JXname,JXcount,CQcount) values(1,'一等奖',1,1)"));
        f.db().exec(
            QStringLiteral("insert into z_zj(ListNO,ListZJ,JXname) values(1,'张三','一等奖')"));
        auto* normal = f.find<QRadioButton>("rbCJSETcjms1");
        auto* mall = f.find<QRadioButton>("rbCJSETcjms2");
        auto& d = f.tp.dialogs();
        QStringList deletes;
        f.db().onExec = [&](const QString& sql, const QVariantList&) {
            if (sql.startsWith(QStringLiteral("delete")))
                deletes << sql;
        };
        answer ? d.answerYes() : d.answerNo();
        mall->click();
        f.db().onExec = nullptr;
        const QStringList wipe = {
            "delete from z_user", "delete from zz_user", "delete from z_scuser", "delete from z_zj",
            "delete from z_log",  "delete from log",     "delete from z_jx"};
        QCOMPARE(deletes, answer ? wipe : QStringList());
        QCOMPARE(d.shown.size(), 1);
        QCOMPARE(d.shown[0].title, QStringLiteral("模式变更警告"));
        QCOMPARE(d.shown[0].text, QStringLiteral("更改抽奖模式将会丢失滚动和奖项数据!是否继续?"));
        QCOMPARE(d.shown[0].icon, Dialogs::Icon::Warning);
        QCOMPARE(mall->isChecked(), answer);
        QCOMPARE(normal->isChecked(), !answer);
        QCOMPARE(f.w->normalMode(), !answer);
        QCOMPARE(f.node(QStringLiteral("项目设置"))->isDisabled(), answer);
        for (const char* table : {"z_user", "z_jx", "z_zj"})
            QCOMPARE(f.count(QString::fromLatin1(table)), answer ? 0 : 1);
        QCOMPARE(f.read(QStringLiteral("滚动名单模式")), answer ? QStringLiteral("0") : QString());
        if (!answer)
            return;

        // Choosing the mode already stored asks nothing.
        mall->click();
        QCOMPARE(d.shown.size(), 1);
        d.answerYes();
        normal->click();
        QCOMPARE(d.shown.size(), 2);
        QCOMPARE(
            d.shown[1].text,
            QStringLiteral("更改抽奖模式将会丢失\r\r滚动数据\r奖项数据\r已抽奖记录!\r\r是否继续?"));
        QCOMPARE(f.read(QStringLiteral("滚动名单模式")), QStringLiteral("-1"));
        QVERIFY(!f.node(QStringLiteral("项目设置"))->isDisabled());
    }

    void disabledNodeClickChangesNothing()
    {
        ShellFixture f;
        QVERIFY(f.start());
        f.w->show();
        f.tp.dialogs().answerYes();
        f.find<QRadioButton>("rbCJSETcjms2")->click();
        f.clickNode(QStringLiteral("声音设定"));
        QCOMPARE(f.page(), 3);
        f.clickNode(QStringLiteral("项目设置"));
        QCOMPARE(f.page(), 3);
        QCOMPARE(f.find<QTreeWidget>("TreeV")->selectedItems().first()->text(0),
                 QStringLiteral("声音设定"));
        // In mall mode the rolling data node shows the mall page.
        f.clickNode(QStringLiteral("滚动数据设置"));
        QCOMPARE(f.page(), 6);
    }

    void mallPageCountsWinsOnEntry()
    {
        ShellFixture f;
        QVERIFY(f.start());
        f.tp.dialogs().answerYes();
        f.find<QRadioButton>("rbCJSETcjms2")->click();
        f.db().exec(QStringLiteral("insert into z_scuser(NO,List,sl,sysl,PicB) "
                                   "values(1,'电饭锅',2,7,''),(2,'雨伞',5,0,'')"));
        f.db().exec(QStringLiteral("insert into z_zj(ListNO,scuserNO,ListZJ) "
                                   "values(1,2,'雨伞'),(2,2,'雨伞'),(3,2,'雨伞')"));
        f.w->show();
        f.clickNode(QStringLiteral("滚动数据设置"));
        QCOMPARE(f.page(), 6);
        QSqlQuery q = f.db().select(QStringLiteral("select NO, sysl from z_scuser order by NO"));
        QList<int> counts;
        while (q.next())
            counts << q.value(1).toInt();
        QCOMPARE(counts, (QList<int>{0, 3}));
        auto* grid = f.find<QTableView>("dbgrdhSC");
        QCOMPARE(grid->model()->rowCount(), 2);
        QCOMPARE(grid->model()->headerData(2, Qt::Horizontal).toString(),
                 QStringLiteral("已中数量"));
        QCOMPARE(grid->model()->index(1, 2).data().toInt(), 3);

        // The draw screen reads the mall options from the window.
        QVERIFY(!f.w->mallRegisterDrawer() && !f.w->mallCycles() && !f.w->mallOnlyWinnable());
        f.find<QCheckBox>("chkSCdjcjr")->click();
        f.find<QCheckBox>("chkZQCJ")->click();
        QVERIFY(f.w->mallRegisterDrawer() && f.w->mallCycles() && !f.w->mallOnlyWinnable());
    }
};

QTEST_MAIN(TestOptions)
#include "test_options.moc"
