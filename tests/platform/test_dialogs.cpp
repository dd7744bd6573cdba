#include "platform/ScriptedDialogs.h"
#include "platform/gui/QtDialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace varnel;

namespace {

// Runs `act` on the next modal dialog once it is up, from inside its event loop.
void whenModal(std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(w);
        }
    });
    timer->start();
}

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT

private slots:
    void filterTranslation_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("qt");
        QTest::newRow("one pattern") << "*.dat|*.dat"
                                     << "*.dat (*.dat)";
        QTest::newRow("several patterns") << "EXECL文件|*.xls;*.xlsx"
                                          << "EXECL文件 (*.xls *.xlsx)";
        QTest::newRow("spaces around patterns") << "图片|*.jpg; *.jpeg ;"
                                                << "图片 (*.jpg *.jpeg)";
        QTest::newRow("patterns already shown") << "JPEG Image File (*.jpg)|*.jpg"
                                                << "JPEG Image File (*.jpg)";
        QTest::newRow("shown patterns differ") << "Pictures (*.jpg)|*.jpg;*.png"
                                               << "Pictures (*.jpg) (*.jpg *.png)";
        QTest::newRow("several filters") << "WAV|*.wav|全部|*.*"
                                         << "WAV (*.wav);;全部 (*)";
        QTest::newRow("dangling description") << "TXT|*.txt|CSV"
                                              << "TXT (*.txt)";
        QTest::newRow("no separator") << "*.txt"
                                      << "*.txt";
        QTest::newRow("empty") << ""
                               << "";
    }
    void filterTranslation()
    {
        QFETCH(QString, stored);
        QFETCH(QString, qt);
        QCOMPARE(toQtFilter(stored), qt);
    }

    void scriptedAnswersInOrderAndRecordsEverything()
    {
        ScriptedDialogs d;
        QStringList seen;
        d.onShown = [&](const ScriptedDialogs::Shown& s) { seen << s.kind; };
        d.answerYes();
        d.answerText(QStringLiteral("第一轮"));
        d.answerText(QStringLiteral("/tmp/a.xls")); // a path is the wrong answer for a question
        d.answerCancel();
        d.answerFont(QFont(QStringLiteral("黑体"), 20));

        d.message(QStringLiteral("保存成功"), QStringLiteral("提示"), Dialogs::Icon::Information);
        QVERIFY(d.askYesNo(QStringLiteral("确认"), QStringLiteral("确定清除?"),
                           Dialogs::Icon::Warning, true, true));
        QCOMPARE(d.inputBox(QStringLiteral("项目"), QStringLiteral("名称"), {}),
                 std::optional<QString>(QStringLiteral("第一轮")));
        QVERIFY(!d.askYesNo({}, QStringLiteral("再次?"), Dialogs::Icon::Question, false, false));
        QCOMPARE(d.openFile({}, QStringLiteral("*.dat|*.dat"), {}), QString());
        const auto font = d.chooseFont(QFont(), nullptr);
        QVERIFY(font.has_value());
        QCOMPARE(font->pointSize(), 20);
        d.error(QStringLiteral("数据库错误"));
        // Nothing left in the script: questions answer No, everything else cancels.
        QVERIFY(!d.askYesNo({}, QStringLiteral("最后?"), Dialogs::Icon::Question, false, false));
        QCOMPARE(d.openFolder(QStringLiteral("选择文件夹")), QString());
        QVERIFY(!d.choosePrinter(nullptr));
        QCOMPARE(d.pendingAnswers(), 0);

        QCOMPARE(d.texts(), QStringList({"保存成功", "确定清除?", "再次?", "数据库错误", "最后?"}));
        QCOMPARE(seen, QStringList({"message", "ask", "input", "ask", "openFile", "font", "error",
                                    "ask", "openFolder", "print"}));
        const ScriptedDialogs::Shown& ask = d.shown[1];
        QCOMPARE(ask.title, QStringLiteral("确认"));
        QCOMPARE(ask.icon, Dialogs::Icon::Warning);
        QVERIFY(ask.defaultNo && ask.topmost);
        QCOMPARE(d.shown[4].text, QStringLiteral("*.dat|*.dat"));
        QCOMPARE(d.shown[6].icon, Dialogs::Icon::Error);
    }

    void questionBox_data()
    {
        QTest::addColumn<bool>("defaultNo");
        QTest::addColumn<bool>("topmost");
        QTest::addColumn<bool>("pressYes");
        QTest::newRow("default yes, answer yes") << false << false << true;
        QTest::newRow("default no, answer no") << true << false << false;
        QTest::newRow("topmost, answer yes") << true << true << true;
    }
    void questionBox()
    {
        QFETCH(bool, defaultNo);
        QFETCH(bool, topmost);
        QFETCH(bool, pressYes);
        QtDialogs d;
        QWidget parent;
        d.setParentWidget(&parent);
        bool checked = false;
        whenModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            QVERIFY(box);
            checked = true;
            QCOMPARE(box->parentWidget(), &parent);
            QCOMPARE(box->text(), QStringLiteral("确定要删除吗?"));
            QCOMPARE(box->icon(), QMessageBox::Warning);
            QCOMPARE(box->defaultButton(),
                     box->button(defaultNo ? QMessageBox::No : QMessageBox::Yes));
            QCOMPARE(bool(box->windowFlags() & Qt::WindowStaysOnTopHint), topmost);
            box->button(pressYes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        const bool answer = d.askYesNo(QStringLiteral("提示"), QStringLiteral("确定要删除吗?"),
                                       Dialogs::Icon::Warning, defaultNo, topmost);
        QVERIFY(checked);
        QCOMPARE(answer, pressYes);
    }

    void inputBox_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("typed and accepted") << true;
        QTest::newRow("cancelled") << false;
    }
    void inputBox()
    {
        QFETCH(bool, accept);
        QtDialogs d;
        whenModal([&](QWidget* w) {
            auto* dialog = qobject_cast<QInputDialog*>(w);
            QVERIFY(dialog);
            QCOMPARE(dialog->labelText(), QStringLiteral("请输入密码"));
            QCOMPARE(dialog->textValue(), QStringLiteral("旧值"));
            dialog->setTextValue(QStringLiteral("新值 'x'"));
            accept ? dialog->accept() : dialog->reject();
        });
        const auto text = d.inputBox(QStringLiteral("密码"), QStringLiteral("请输入密码"),
                                     QStringLiteral("旧值"));
        QCOMPARE(text.has_value(), accept);
        if (accept)
            QCOMPARE(*text, QStringLiteral("新值 'x'"));
    }
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
