#include "TestProject.h"
#include "shell/RecordsExport.h"
#include "shell/RecordsGrid.h"
#include "shell/RecordsModel.h"
#include "shell/RecordsPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTest>
#include <QToolButton>

using namespace varnel;

namespace {

class FakeMain final : public MainWindowApi {
public:
    void navigateSelected() override { ++navigations; }
    int currentPage() const override { return 1; }
    void showPage(int) override {}
    void markDataChanged() override {}
    bool dataChanged() const override { return false; }
    void clearDataChanged() override {}
    bool normalMode() const override { return true; }
    int navigations = 0;
};

void addWinner(TestProject& tp, int no, const QString& text, const QString& memo,
               const QString& item, const QVariant& lj = QVariant(QMetaType(QMetaType::Int)),
               const QString& bz = QString(""))
{
    tp.db().exec(QStringLiteral("insert into z_zj(ListNO,ListZJ,ListBZ,JXname,LJ,BZ) "
                                "values(?,?,?,?,?,?)"),
                 {no, text, memo, item, lj, bz});
}

QStringList gridRows(const RecordsModel& m)
{
    QStringList out;
    for (int r = 0; r < m.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < RecordsModel::ColumnCount; ++c)
            cells << (m.value(r, c).isNull() ? QStringLiteral("∅") : m.value(r, c).toString());
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

struct Fixture {
    TestProject tp;
    FakeMain main;
    RecordsPage page{tp.ctx(), main};
    QList<QUrl> opened;
    Fixture()
    {
        page.openUrl = [this](const QUrl& u) {
            opened << u;
            return true;
        };
        page.resize(640, 480);
    }
    QModelIndex cell(int row, int col) { return page.model()->index(row, col); }
    // Focus moves only inside the active window.
    bool showActive()
    {
        page.show();
        QApplication::setActiveWindow(&page);
        return QTest::qWaitForWindowActive(&page);
    }
    QString lj(const QString& who)
    {
        return tp.column("select ifnull(lj,'null') from z_zj where ListZJ = ?", {who})
            .value(0)
            .toString();
    }
};

} // namespace

class TestRecords : public QObject {
    Q_OBJECT
private slots:
    void winnersViewLayout();
    void participantsViews();
    void collectedTick_data();
    void collectedTick();
    void identicalRowsEditedOneAtATime();
    void remarkSavedOnRowLeaveAndRefusesMarkers_data();
    void remarkSavedOnRowLeaveAndRefusesMarkers();
    void remarkSavedWhenGridLosesFocus();
    void tickSurvivesReopen();
    void sortThenExport();
    void exportEmptyAndReplacing();
    void exportEncoding_data();
    void exportEncoding();
    void failedExportRedrawsAndSaysWhy();
    void findAndCopy();
    void printToPdf();
};

void TestRecords::winnersViewLayout()
{
    Fixture f;
    addWinner(f.tp, 1, "张三", "销售部", "一等奖", 1);
    addWinner(f.tp, 2, "李四", "", "二等奖");
    f.page.enter();
    RecordsModel& m = *f.page.model();
    QCOMPARE(f.page.objectName(), QStringLiteral("Log"));
    QCOMPARE(f.page.lbl15->text(), QStringLiteral("中奖领奖记录表"));
    QCOMPARE(f.page.chkLJJLB->text(), QStringLiteral("全部名单(只读)"));
    QCOMPARE(f.page.lbl16->text(),
             QStringLiteral("查找: Ctrl+F     导出数据: 按左上角三角形菜单 "));
    QStringList titles;
    for (int c = 0; c < m.columnCount(); ++c)
        titles << m.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    QCOMPARE(titles, QStringList({"抽中的数据", "备注", "抽取项目", "已领", "领奖备注"}));
    QCOMPARE(m.headerData(1, Qt::Vertical, Qt::DisplayRole).toInt(), 2); // row numbers
    QCOMPARE(gridRows(m), QStringList({"张三|销售部|一等奖|1|", "李四||二等奖|∅|"}));
    QCOMPARE(m.flags(f.cell(0, RecordsModel::Listzj)) & Qt::ItemIsEditable, Qt::ItemFlags());
    QVERIFY(m.flags(f.cell(0, RecordsModel::BZ)) & Qt::ItemIsEditable);
    QVERIFY(m.flags(f.cell(0, RecordsModel::LJ)) & Qt::ItemIsUserCheckable);
    QCOMPARE(f.page.dbgrdhZJLog->palette().color(QPalette::AlternateBase),
             QColor(0xEF, 0xF7, 0xFE));
    QStringList menu;
    for (QAction* a : f.page.pmSaveTxt->actions())
        menu << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(menu, QStringList({"导出到文本文件(&S)", "-", "打印(&P)"}));
    f.page.show();
    QToolButton* corner = f.page.dbgrdhZJLog->cornerButton();
    QVERIFY(corner->isVisible());
    QCOMPARE(corner->geometry().topLeft(),
             QPoint(f.page.dbgrdhZJLog->frameWidth(), f.page.dbgrdhZJLog->frameWidth()));
    if (!qEnvironmentVariable("VARNEL_RENDER_DIR").isEmpty())
        f.page.grab().save(qEnvironmentVariable("VARNEL_RENDER_DIR") + "/records_page.png");

    // Leaving the page closes the view.
    f.page.leave();
    QCOMPARE(m.rowCount(), 0);
}

void TestRecords::participantsViews()
{
    Fixture f;
    f.tp.addParticipant(1, "王五", "A");
    f.tp.addParticipant(2, "王五", "A"); // same text and remark as NO 1
    f.tp.addParticipant(3, "赵六", "B"); // never won
    f.tp.addParticipant(4, "孙七", "C"); // won twice
    addWinner(f.tp, 1, "王五", "A", "一等奖", 1);
    addWinner(f.tp, 2, "王五", "A", "二等奖", 0);
    addWinner(f.tp, 4, "孙七", "C", "三等奖");
    addWinner(f.tp, 4, "孙七", "C", "四等奖");
    f.page.chkLJJLB->setChecked(true);
    f.page.enter(); // opened by the button: paired by text and remark
    RecordsModel& m = *f.page.model();
    QVERIFY(!m.editable());
    QCOMPARE(m.flags(f.cell(0, RecordsModel::BZ)) & Qt::ItemIsEditable, Qt::ItemFlags());
    QCOMPARE(gridRows(m), QStringList({"王五|A|一等奖|1|", "王五|A|二等奖|0|", "王五|A|一等奖|1|",
                                       "王五|A|二等奖|0|", "赵六|B|∅|∅|∅", "孙七|C|三等奖|∅|",
                                       "孙七|C|四等奖|∅|"}));
    // Clicking the box off and on pairs by number.
    f.page.chkLJJLB->click();
    QVERIFY(m.editable());
    QCOMPARE(m.rowCount(), 4);
    f.page.chkLJJLB->click();
    QCOMPARE(gridRows(m), QStringList({"王五|A|一等奖|1|", "王五|A|二等奖|0|", "赵六|B|∅|∅|∅",
                                       "孙七|C|三等奖|∅|", "孙七|C|四等奖|∅|"}));
    QCOMPARE(m.data(f.cell(2, RecordsModel::LJ), Qt::CheckStateRole).toInt(),
             int(Qt::PartiallyChecked));
    QVERIFY(!m.setData(f.cell(0, RecordsModel::LJ), Qt::Unchecked, Qt::CheckStateRole));
}

void TestRecords::collectedTick_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("afterClick");
    QTest::newRow("never set") << QVariant(QMetaType(QMetaType::Int)) << int(Qt::PartiallyChecked)
                               << 1;
    QTest::newRow("collected") << QVariant(1) << int(Qt::Checked) << 0;
    QTest::newRow("cleared") << QVariant(0) << int(Qt::Unchecked) << 1;
    QTest::newRow("other value") << QVariant(7) << int(Qt::Unchecked) << 1;
}

void TestRecords::collectedTick()
{
    QFETCH(QVariant, stored);
    QFETCH(int, shown);
    QFETCH(int, afterClick);
    Fixture f;
    addWinner(f.tp, 1, "甲", "", "一等奖", stored);
    addWinner(f.tp, 2, "乙", "", "一等奖");
    f.page.show();
    f.page.enter();
    RecordsGrid* grid = f.page.dbgrdhZJLog;
    const QModelIndex ljCell = f.cell(0, RecordsModel::LJ);
    QCOMPARE(ljCell.data(Qt::CheckStateRole).toInt(), shown);
    // A click on the centred check box toggles it; the row is written when the cursor leaves.
    grid->setCurrentIndex(ljCell);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(ljCell).center());
    QCOMPARE(f.page.model()->value(0, RecordsModel::LJ).toInt(), afterClick);
    QCOMPARE(f.lj("甲"), stored.isNull() ? QString("null") : stored.toString());
    grid->setCurrentIndex(f.cell(1, RecordsModel::LJ));
    QCOMPARE(f.lj("甲"), QString::number(afterClick));
    QCOMPARE(f.lj("乙"), QString("null"));
}

void TestRecords::identicalRowsEditedOneAtATime()
{
    Fixture f;
    addWinner(f.tp, 5, "同名", "X", "一等奖");
    addWinner(f.tp, 5, "同名", "X", "一等奖");
    f.page.enter();
    RecordsModel& m = *f.page.model();
    QVERIFY(m.setData(f.cell(1, RecordsModel::LJ), Qt::Checked, Qt::CheckStateRole));
    QVERIFY(m.setData(f.cell(1, RecordsModel::BZ), "已送达", Qt::EditRole));
    f.page.commitPendingEdit();
    QCOMPARE(f.tp.column("select ifnull(lj,'null') || '/' || bz from z_zj order by rowid"),
             QVariantList({"null/", "1/已送达"}));
}

void TestRecords::remarkSavedOnRowLeaveAndRefusesMarkers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("refused");
    QTest::newRow("plain remark") << "本人已领"
                                  << "本人已领" << false;
    QTest::newRow("quotes") << "O'Neil \"代领\""
                            << "O'Neil \"代领\"" << false;
    QTest::newRow("emptied") << ""
                             << "" << false;
    QTest::newRow("dash") << "-"
                          << "旧备注" << true;
    QTest::newRow("star") << "*"
                          << "旧备注" << true;
    QTest::newRow("star inside text is fine") << "*已领"
                                              << "*已领" << false;
}

void TestRecords::remarkSavedOnRowLeaveAndRefusesMarkers()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(bool, refused);
    Fixture f;
    addWinner(f.tp, 1, "甲", "", "一等奖", QVariant(QMetaType(QMetaType::Int)), "旧备注");
    addWinner(f.tp, 2, "乙", "", "一等奖");
    QVERIFY(f.showActive());
    f.page.enter();
    RecordsGrid* grid = f.page.dbgrdhZJLog;
    grid->setFocus();
    grid->setCurrentIndex(f.cell(0, RecordsModel::BZ));
    grid->edit(f.cell(0, RecordsModel::BZ));
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor);
    editor->setText(typed);
    QTest::keyClick(editor, Qt::Key_Down); // commits the editor and leaves the row
    QCoreApplication::processEvents();
    QCOMPARE(f.tp.column("select bz from z_zj where ListZJ = '甲'"), QVariantList{stored});
    QCOMPARE(f.tp.column("select count(*) from z_zj where bz is null").value(0).toInt(), 0);
    const QStringList shown = f.tp.dialogs().texts();
    QCOMPARE(shown.size(), refused ? 1 : 0);
    if (refused)
        QVERIFY(shown.first().contains(typed));
}

void TestRecords::remarkSavedWhenGridLosesFocus()
{
    Fixture f;
    addWinner(f.tp, 1, "甲", "", "一等奖");
    QVERIFY(f.showActive());
    f.page.enter();
    RecordsGrid* grid = f.page.dbgrdhZJLog;
    grid->setFocus();
    grid->setCurrentIndex(f.cell(0, RecordsModel::BZ));
    grid->edit(f.cell(0, RecordsModel::BZ));
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor);
    editor->setText("代领");
    f.page.chkLJJLB->setFocus(); // the cursor stays in the row; the grid lets go
    QTRY_COMPARE(f.tp.column("select bz from z_zj").value(0).toString(), QStringLiteral("代领"));
    QVERIFY(!f.page.model()->hasPendingEdits());
}

void TestRecords::tickSurvivesReopen()
{
    TestProject tp;
    addWinner(tp, 1, "甲", "", "一等奖");
    {
        FakeMain main;
        RecordsPage page(tp.ctx(), main);
        page.enter();
        QVERIFY(page.model()->setData(page.model()->index(0, RecordsModel::LJ), Qt::Checked,
                                      Qt::CheckStateRole));
        page.commitPendingEdit(); // the main window closing
    }
    const QString path = tp.db().path();
    tp.db().disconnect();
    tp.db().connect(path);
    FakeMain main;
    RecordsPage again(tp.ctx(), main);
    again.enter();
    QCOMPARE(
        again.model()->data(again.model()->index(0, RecordsModel::LJ), Qt::CheckStateRole).toInt(),
        int(Qt::Checked));
}

void TestRecords::sortThenExport()
{
    Fixture f;
    addWinner(f.tp, 1, "甲", "", "一等奖", 1);
    addWinner(f.tp, 2, "乙", "", "二等奖");
    addWinner(f.tp, 3, "丙", "", "三等奖", 0);
    f.page.enter();
    const QString win = f.tp.file("Win.TXT");
    f.page.dbgrdhZJLogTitleClick(RecordsModel::LJ); // ascending: never set, 0, 1
    QCOMPARE(f.page.dbgrdhZJLog->horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);
    QCOMPARE(f.page.dbgrdhZJLog->currentIndex().row(), 0);
    f.page.S1Click();
    QCOMPARE(readFile(win), QString("乙\t二等奖\r\n丙\t三等奖\r\n甲\t一等奖\r\n").toUtf8());
    QCOMPARE(f.opened, QList<QUrl>{QUrl::fromLocalFile(win)});
    f.page.dbgrdhZJLogTitleClick(RecordsModel::LJ); // descending
    f.page.S1Click();
    QCOMPARE(readFile(win), QString("甲\t一等奖\r\n丙\t三等奖\r\n乙\t二等奖\r\n").toUtf8());
    // The order stays in force across the box; entering the page again forgets it.
    f.page.chkLJJLB->click();
    f.page.chkLJJLB->click();
    QCOMPARE(f.page.model()->value(0, RecordsModel::Listzj).toString(), QStringLiteral("甲"));
    f.page.enter();
    QCOMPARE(f.page.model()->value(0, RecordsModel::Listzj).toString(), QStringLiteral("甲"));
    QCOMPARE(f.page.model()->value(1, RecordsModel::Listzj).toString(), QStringLiteral("乙"));
    f.page.dbgrdhZJLogTitleClick(RecordsModel::Listzj);
    f.page.dbgrdhZJLogTitleClick(RecordsModel::JXname); // another column starts ascending
    QCOMPARE(f.page.model()->sortOrder(), Qt::AscendingOrder);
}

void TestRecords::exportEmptyAndReplacing()
{
    Fixture f;
    f.tp.writeFile("Win.TXT", "old content that is longer than the new one\r\n");
    f.page.enter();
    f.page.S1Click();
    QCOMPARE(readFile(f.tp.file("Win.TXT")), QByteArray());
    QCOMPARE(f.opened.size(), 1);
    // A participant who never won: empty item after the tab.
    f.tp.addParticipant(1, "赵六", "B");
    f.page.chkLJJLB->setChecked(true);
    f.page.enter();
    f.page.S1Click();
    QCOMPARE(readFile(f.tp.file("Win.TXT")), QString("赵六\t\r\n").toUtf8());
}

void TestRecords::exportEncoding_data()
{
    QTest::addColumn<QByteArray>("codeset");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("UTF-8") << QByteArray("UTF-8") << QByteArray("\xe5\xbc\xa0\t\xe5\xa5\x96\r\n");
    QTest::newRow("GBK") << QByteArray("GBK") << QByteArray("\xd5\xc5\t\xbd\xb1\r\n");
    QTest::newRow("gb18030") << QByteArray("gb18030") << QByteArray("\xd5\xc5\t\xbd\xb1\r\n");
    QTest::newRow("GB2312") << QByteArray("GB2312") << QByteArray("\xd5\xc5\t\xbd\xb1\r\n");
    QTest::newRow("ANSI_X3.4-1968")
        << QByteArray("ANSI_X3.4-1968") << QByteArray("\xe5\xbc\xa0\t\xe5\xa5\x96\r\n");
}

void TestRecords::exportEncoding()
{
    QFETCH(QByteArray, codeset);
    QFETCH(QByteArray, bytes);
    QCOMPARE(encodeForCodeset(winTxtText({{"张", "奖"}}), codeset), bytes);
}

void TestRecords::failedExportRedrawsAndSaysWhy()
{
    Fixture f;
    addWinner(f.tp, 1, "甲", "", "一等奖");
    QDir(f.tp.folder()).mkdir("Win.TXT"); // a folder in the way: the file cannot be written
    f.page.enter();
    f.page.S1Click();
    QVERIFY(f.page.dbgrdhZJLog->updatesEnabled());
    QVERIFY(f.opened.isEmpty());
    QCOMPARE(f.tp.dialogs().shown.size(), 1);
    QCOMPARE(f.tp.dialogs().shown.first().kind, QStringLiteral("error"));
    const QString text = f.tp.dialogs().shown.first().text;
    QVERIFY2(text.startsWith(QStringLiteral("无法写入文件“") + f.tp.file("Win.TXT") + "”：") &&
                 text.size() > f.tp.file("Win.TXT").size() + 10,
             qPrintable(text));
    QCOMPARE(f.page.model()->rowCount(), 1);
}

void TestRecords::findAndCopy()
{
    Fixture f;
    addWinner(f.tp, 1, "张三", "市场部", "一等奖");
    addWinner(f.tp, 2, "李四", "销售部", "二等奖");
    addWinner(f.tp, 3, "王五", "销售部", "三等奖");
    QVERIFY(f.showActive());
    f.page.enter();
    f.page.dbgrdhZJLog->setFocus();
    QTest::keyClick(f.page.dbgrdhZJLog, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(f.page.findBar->isVisible());
    QVERIFY(f.page.findBar->findNext("销售"));
    QCOMPARE(f.page.dbgrdhZJLog->currentIndex(), f.cell(1, RecordsModel::ListBZ));
    QVERIFY(f.page.findBar->findNext("销售"));
    QCOMPARE(f.page.dbgrdhZJLog->currentIndex(), f.cell(2, RecordsModel::ListBZ));
    QVERIFY(f.page.findBar->findNext("张")); // round the end
    QCOMPARE(f.page.dbgrdhZJLog->currentIndex(), f.cell(0, RecordsModel::Listzj));
    f.page.findBar->edit()->setText("没有的人");
    QTest::keyClick(f.page.findBar->edit(), Qt::Key_Return);
    QCOMPARE(f.tp.dialogs().texts(), QStringList{"没有找到“没有的人”。"});

    f.page.dbgrdhZJLog->selectAll();
    QCOMPARE(f.page.dbgrdhZJLog->selectionText().split("\r\n").at(1),
             QStringLiteral("李四\t销售部\t二等奖\t0\t"));
}

void TestRecords::printToPdf()
{
    Fixture f;
    for (int i = 1; i <= 120; ++i)
        addWinner(f.tp, i, QStringLiteral("中奖人%1").arg(i), "部门", "一等奖", i % 2);
    f.page.enter();
    const QString pdf = f.tp.file("records.pdf");
    QString title;
    f.page.runPreview = [&](QPrintPreviewDialog& dialog) {
        title = dialog.windowTitle();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageMargins(dialog.printer()->pageLayout().margins(),
                               dialog.printer()->pageLayout().units());
        emit dialog.paintRequested(&printer);
        const QMarginsF mm = dialog.printer()->pageLayout().margins(QPageLayout::Millimeter);
        QCOMPARE(mm, QMarginsF(40, 10, 40, 10));
    };
    f.page.P1Click();
    QCOMPARE(title, QStringLiteral("打印预览"));
    const QByteArray bytes = readFile(pdf);
    QVERIFY(bytes.startsWith("%PDF"));
    QVERIFY(bytes.size() > 10000);
    QVERIFY(f.tp.dialogs().shown.isEmpty());
    if (!qEnvironmentVariable("VARNEL_RENDER_DIR").isEmpty())
        QFile::copy(pdf, qEnvironmentVariable("VARNEL_RENDER_DIR") + "/records.pdf");
}

QTEST_MAIN(TestRecords)
#include "test_records.moc"
