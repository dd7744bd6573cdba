#include "TestProject.h"
#include "manage/pages/ItemsPage.h"
#include "shell/AppSetup.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using namespace varnel;

namespace {

class FakeMain final : public MainWindowApi {
public:
    void navigateSelected() override {}
    int currentPage() const override { return 5; }
    void showPage(int) override {}
    void markDataChanged() override { changed = true; }
    bool dataChanged() const override { return changed; }
    void clearDataChanged() override { changed = false; }
    bool normalMode() const override { return true; }
    bool changed = false;
};

const QString kDrawnWarning =
    QStringLiteral("该奖项已经开奖,不正当的修改将会影响抽奖结果,\r\n您确信需要修改?");
const QString kMoveRefused = QStringLiteral(
    "需移动位置的奖项已开奖,只能调整未开奖的奖项顺序!\r可以点清除抽奖来清除抽奖记录");

// The page in a window of the main window's notebook size, on a test project.
struct Fixture {
    TestProject tp;
    FakeMain main;
    QWidget window;
    ItemsPage* page;

    Fixture()
    {
        window.resize(590, 440);
        page = new ItemsPage(tp.ctx(), main, &window);
        page->setGeometry(0, 0, 590, 440);
    }
    void show()
    {
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    template <class T> T* w(const char* name)
    {
        T* found = page->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("widget %s missing", name);
        return found;
    }
    QLineEdit* edit(const char* name) { return w<QLineEdit>(name); }
    QTableView* grid() { return w<QTableView>("DBGridEhjx"); }
    void click(const char* button)
    {
        QTest::mouseClick(w<QAbstractButton>(button), Qt::LeftButton);
    }
    void clickRow(int row)
    {
        QTableView* g = grid();
        const QRect r = g->visualRect(g->model()->index(row, 1));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, r.center());
    }
    int selectedRow() { return grid()->currentIndex().row(); }
    QString gridText(int row, int column)
    {
        return grid()->model()->index(row, column).data().toString();
    }
    void fill(const QString& name, const QString& prize, const QString& count = QStringLiteral("1"))
    {
        edit("editJXeditjxmc")->setText(name);
        edit("editJXeditjpmc")->setText(prize);
        edit("editJXeditjxsl")->setText(count);
    }
    QString names()
    {
        QStringList out;
        for (const QVariant& v : tp.column(QStringLiteral("select JXname from z_jx order by NO")))
            out << v.toString();
        return out.join(QLatin1Char(','));
    }
};

} // namespace

class TestItemsPage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(*qApp); }
    void controls();
    void enteringClearsTheEdits();
    void addSavesAndResets();
    void requiredFields_data();
    void requiredFields();
    void editOnEmptyGridCreates();
    void editDrawnItemAsks_data();
    void editDrawnItemAsks();
    void tooLargeCountShowsError();
    void rowLoadsByClickAndArrowKeys();
    void conditionBuilder();
    void numberEditsTakeDigitsOnly();
    void deleteKeepsPosition();
    void movesFollowTheRow();
    void movesNextToDrawnItem();
    void pictureDialog();
    void render();
};

void TestItemsPage::controls()
{
    Fixture f;
    QCOMPARE(f.page->objectName(), QStringLiteral("jianxianEdit"));
    const QStringList ops{"=", ">", "<", ">=", "<=", "<>"};
    auto* cbx = f.w<QComboBox>("cbxJXeditcqtj");
    QStringList got;
    for (int i = 0; i < cbx->count(); ++i)
        got << cbx->itemText(i);
    QCOMPARE(got, ops);
    QVERIFY(f.edit("edtJXtj")->isReadOnly());
    QCOMPARE(f.edit("editJXeditjxsl")->text(), QStringLiteral("1"));

    const QList<QPair<const char*, QString>> buttons{
        {"btnJXeditAdd", "新增保存"}, {"btnJXeditedit", "编辑保存"}, {"btnJXeditDel", "删除"},
        {"btnJXeditP", "上移"},       {"btnJXeditN", "下移"},        {"btnJXeditjpg", "选择"},
        {"btnJXeditBJjpg", "选择"}};
    for (const auto& [name, caption] : buttons)
        QCOMPARE(f.w<QPushButton>(name)->text(), caption);
    // The built-in icons are part of the resources; without them the buttons read + and −.
    QVERIFY(!f.w<QToolButton>("btnJXeditAddTJ")->icon().isNull());
    QVERIFY(!f.w<QToolButton>("btnJXeditDelTJ")->icon().isNull());

    const QList<QPair<QString, const char*>> captions{{"项目名称:", "editJXeditjxmc"},
                                                      {"项目奖品:", "editJXeditjpmc"},
                                                      {"项目背景图:", "editJXeditBJjpg"},
                                                      {"项目数量:", "editJXeditjxsl"},
                                                      {"抽取条件:", "cbxJXeditcqtj"}};
    for (const auto& [caption, buddy] : captions) {
        QLabel* found = nullptr;
        for (QLabel* l : f.page->findChildren<QLabel*>())
            if (l->text() == caption)
                found = l;
        QVERIFY2(found, qPrintable(caption));
        QCOMPARE(found->buddy()->objectName(), QString::fromLatin1(buddy));
    }

    QTableView* g = f.grid();
    QCOMPARE(g->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(g->editTriggers(), QAbstractItemView::NoEditTriggers);
    QStringList headers;
    for (int c = 0; c < g->model()->columnCount(); ++c)
        headers << g->model()->headerData(c, Qt::Horizontal).toString() +
                       (g->isColumnHidden(c) ? "(hidden)" : "");
    QCOMPARE(headers, (QStringList{"编号", "项目名称", "奖品名称", "奖品图片", "背景图", "项目数量",
                                   "一次抽取(hidden)", "抽取条件"}));
}

void TestItemsPage::enteringClearsTheEdits()
{
    Fixture f;
    f.tp.addItem(QStringLiteral("一等奖"), 3, QStringLiteral(">=3"));
    f.tp.addItem(QStringLiteral("二等奖"), 5);
    for (const char* e : {"editJXeditjxmc", "editJXeditjpmc", "editJXeditjpg", "editJXeditBJjpg",
                          "editJXeditcqtj", "edtJXtj"})
        f.edit(e)->setText(QStringLiteral("x"));
    f.edit("editJXeditjxsl")->setText(QStringLiteral("9"));
    f.w<QComboBox>("cbxJXeditcqtj")->setCurrentIndex(-1);

    f.page->enter();
    for (const char* e : {"editJXeditjxmc", "editJXeditjpmc", "editJXeditjpg", "editJXeditBJjpg",
                          "editJXeditcqtj", "edtJXtj"})
        QVERIFY2(f.edit(e)->text().isEmpty(), e);
    QCOMPARE(f.edit("editJXeditjxsl")->text(), QStringLiteral("9"));
    QCOMPARE(f.w<QComboBox>("cbxJXeditcqtj")->currentText(), QStringLiteral("="));
    QCOMPARE(f.grid()->model()->rowCount(), 2);
    QCOMPARE(f.gridText(0, 1), QStringLiteral("一等奖"));
    QCOMPARE(f.gridText(0, 7), QStringLiteral(">=3"));
    QCOMPARE(f.gridText(1, 5), QStringLiteral("5"));
    QCOMPARE(f.selectedRow(), 0);
}

void TestItemsPage::addSavesAndResets()
{
    Fixture f;
    f.tp.addItem(QStringLiteral("一等奖"), 3);
    f.page->enter();
    f.fill(QStringLiteral("二等奖"), QStringLiteral("电视机"), QString());
    f.w<QComboBox>("cbxJXeditcqtj")->setCurrentIndex(3);
    f.edit("editJXeditcqtj")->setText(QStringLiteral("5"));
    f.click("btnJXeditAddTJ");
    f.click("btnJXeditAdd");

    QVERIFY(f.tp.dialogs().shown.isEmpty());
    QCOMPARE(
        f.tp.column(QStringLiteral(
            "select NO||JXname||JPname||JXcount||CQcount||ifnull(TJ,'') from z_jx order by NO")),
        (QVariantList{"1一等奖一等奖奖品31", "2二等奖电视机11>=5"}));
    QVERIFY(f.main.changed);
    QCOMPARE(f.edit("editJXeditjxmc")->text(), QString());
    QCOMPARE(f.edit("editJXeditjxsl")->text(), QStringLiteral("1"));
    QCOMPARE(f.edit("edtJXtj")->text(), QString());
    QCOMPARE(f.w<QComboBox>("cbxJXeditcqtj")->currentText(), QStringLiteral("="));
    QCOMPARE(f.grid()->model()->rowCount(), 2);
    QCOMPARE(f.selectedRow(), 1); // the new item

    // Nothing is saved while the page has not opened its grid.
    f.page->leave();
    f.fill(QStringLiteral("三等奖"), QStringLiteral("x"));
    f.click("btnJXeditAdd");
    QCOMPARE(f.tp.count(QStringLiteral("z_jx")), 2);
}

void TestItemsPage::requiredFields_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("prize");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");

    QTest::newRow("no name") << ""
                             << "奖品"
                             << "请填写奖项名称"
                             << "editJXeditjxmc";
    QTest::newRow("no prize") << "一等奖"
                              << ""
                              << "请填写奖品名称"
                              << "editJXeditjpmc";
    QTest::newRow("neither") << ""
                             << ""
                             << "请填写奖项名称"
                             << "editJXeditjxmc";
}

void TestItemsPage::requiredFields()
{
    QFETCH(QString, name);
    QFETCH(QString, prize);
    QFETCH(QString, message);
    QFETCH(QString, focus);

    Fixture f;
    f.show();
    f.page->enter();
    for (const char* button : {"btnJXeditAdd", "btnJXeditedit"}) {
        f.tp.dialogs().clear();
        f.w<QPushButton>("btnJXeditN")->setFocus();
        f.fill(name, prize);
        f.click(button);
        QCOMPARE(f.tp.dialogs().texts(), QStringList{message});
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QCOMPARE(f.tp.count(QStringLiteral("z_jx")), 0);
    }
}

void TestItemsPage::editOnEmptyGridCreates()
{
    Fixture f;
    f.page->enter();
    f.fill(QStringLiteral("一等奖"), QStringLiteral("汽车"), QStringLiteral("2"));
    f.click("btnJXeditedit");
    QCOMPARE(f.names(), QStringLiteral("一等奖"));
    QCOMPARE(f.gridText(0, 0), QStringLiteral("1"));
    QVERIFY(f.tp.dialogs().shown.isEmpty());
}

void TestItemsPage::editDrawnItemAsks_data()
{
    QTest::addColumn<bool>("drawn");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("stored");

    QTest::newRow("not drawn: no question") << false << false << "新名";
    QTest::newRow("drawn, No") << true << false << "二等奖";
    QTest::newRow("drawn, Yes") << true << true << "新名";
}

void TestItemsPage::editDrawnItemAsks()
{
    QFETCH(bool, drawn);
    QFETCH(bool, answer);
    QFETCH(QString, stored);

    Fixture f;
    f.tp.addItem(QStringLiteral("一等奖"), 1);
    f.tp.addItem(QStringLiteral("二等奖"), 1);
    f.tp.addItem(QStringLiteral("三等奖"), 1);
    if (drawn)
        f.tp.db().exec(QStringLiteral("insert into z_log(XNO,NO,ZT) values(1,2,'完成')"));
    f.page->enter();
    f.clickRow(1);
    f.edit("editJXeditjxmc")->setText(QStringLiteral("新名"));
    answer ? f.tp.dialogs().answerYes() : f.tp.dialogs().answerNo();
    f.click("btnJXeditedit");

    QCOMPARE(f.names(), QStringLiteral("一等奖,") + stored + QStringLiteral(",三等奖"));
    if (!drawn) {
        QVERIFY(f.tp.dialogs().shown.isEmpty());
        return;
    }
    QCOMPARE(f.tp.dialogs().shown.size(), 1);
    const ScriptedDialogs::Shown& s = f.tp.dialogs().shown[0];
    QCOMPARE(s.kind, QStringLiteral("ask"));
    QCOMPARE(s.title, QStringLiteral("警告"));
    QCOMPARE(s.text, kDrawnWarning);
    QCOMPARE(s.icon, Dialogs::Icon::Warning);
    QVERIFY(s.defaultNo);
    QVERIFY(s.topmost);
}

void TestItemsPage::tooLargeCountShowsError()
{
    Fixture f;
    f.tp.addItem(QStringLiteral("一等奖"), 4);
    f.page->enter();
    f.clickRow(0);
    f.edit("editJXeditjxmc")->setText(QStringLiteral("改名"));
    f.edit("editJXeditjxsl")->setText(QStringLiteral("99999999999"));
    f.click("btnJXeditedit");
    QCOMPARE(f.tp.dialogs().shown.size(), 1);
    QCOMPARE(f.tp.dialogs().shown[0].kind, QStringLiteral("error"));
    QVERIFY(f.tp.dialogs().shown[0].text.contains(QStringLiteral("99999999999")));
    QCOMPARE(f.tp.column(QStringLiteral("select JXname||JXcount from z_jx")),
             QVariantList{"一等奖4"});
    QVERIFY(!f.main.changed);
    // The edits stay as typed, so the operator can correct the count.
    QCOMPARE(f.edit("editJXeditjxmc")->text(), QStringLiteral("改名"));
}

void TestItemsPage::rowLoadsByClickAndArrowKeys()
{
    Fixture f;
    f.show();
    f.tp.addItem(QStringLiteral("一等奖"), 3, QStringLiteral(">=3|=0"));
    f.tp.addItem(QStringLiteral("二等奖"), 5, QStringLiteral("<2"));
    f.tp.db().exec(QStringLiteral("update z_jx set JPjpg = 'a.jpg', BJjpg = 'b.jpg' where NO = 1"));
    f.page->enter();
    f.edit("editJXeditcqtj")->setText(QStringLiteral("8"));
    f.clickRow(0);

    QCOMPARE(f.edit("editJXeditjxmc")->text(), QStringLiteral("一等奖"));
    QCOMPARE(f.edit("editJXeditjpmc")->text(), QStringLiteral("一等奖奖品"));
    QCOMPARE(f.edit("editJXeditjpg")->text(), QStringLiteral("a.jpg"));
    QCOMPARE(f.edit("editJXeditBJjpg")->text(), QStringLiteral("b.jpg"));
    QCOMPARE(f.edit("editJXeditjxsl")->text(), QStringLiteral("3"));
    QCOMPARE(f.edit("edtJXtj")->text(), QStringLiteral(">=3|=0"));
    QCOMPARE(f.edit("editJXeditcqtj")->text(), QString());
    QCOMPARE(f.w<QComboBox>("cbxJXeditcqtj")->currentIndex(), -1);

    f.grid()->setFocus();
    QTest::keyClick(f.grid(), Qt::Key_Down);
    QCOMPARE(f.selectedRow(), 1);
    QCOMPARE(f.edit("editJXeditjxmc")->text(), QStringLiteral("二等奖"));
    QCOMPARE(f.edit("edtJXtj")->text(), QStringLiteral("<2"));
    QCOMPARE(f.edit("editJXeditjpg")->text(), QString());
    QTest::keyClick(f.grid(), Qt::Key_Up);
    QCOMPARE(f.edit("editJXeditjxmc")->text(), QStringLiteral("一等奖"));
    // Other keys do not load.
    f.edit("editJXeditjxmc")->clear();
    QTest::keyClick(f.grid(), Qt::Key_End);
    QCOMPARE(f.edit("editJXeditjxmc")->text(), QString());
}

void TestItemsPage::conditionBuilder()
{
    Fixture f;
    f.tp.addItem(QStringLiteral("一等奖"), 1, QStringLiteral(">=3"));
    f.page->enter();
    auto* cbx = f.w<QComboBox>("cbxJXeditcqtj");
    QLineEdit* number = f.edit("editJXeditcqtj");
    QLineEdit* text = f.edit("edtJXtj");

    cbx->setCurrentIndex(3); // >=
    number->setText(QStringLiteral("3"));
    f.click("btnJXeditAddTJ");
    QCOMPARE(text->text(), QStringLiteral(">=3"));
    QCOMPARE(number->text(), QString());
    cbx->setCurrentIndex(0); // =
    number->setText(QStringLiteral("0"));
    f.click("btnJXeditAddTJ");
    QCOMPARE(text->text(), QStringLiteral(">=3|=0"));
    f.click("btnJXeditAddTJ"); // no number
    QCOMPARE(text->text(), QStringLiteral(">=3|=0"));
    f.click("btnJXeditDelTJ");
    QCOMPARE(text->text(), QStringLiteral(">=3"));
    f.click("btnJXeditDelTJ");
    QCOMPARE(text->text(), QString());
    f.click("btnJXeditDelTJ");
    QCOMPARE(text->text(), QString());

    // After a row click no operator is selected: adding a term changes nothing.
    f.clickRow(0);
    number->setText(QStringLiteral("9"));
    f.click("btnJXeditAddTJ");
    QCOMPARE(text->text(), QStringLiteral(">=3"));
    QCOMPARE(number->text(), QStringLiteral("9"));
}

void TestItemsPage::numberEditsTakeDigitsOnly()
{
    Fixture f;
    f.show();
    for (const char* name : {"editJXeditjxsl", "editJXeditcqtj"}) {
        QLineEdit* e = f.edit(name);
        e->clear();
        e->setFocus();
        QTest::keyClicks(e, QStringLiteral("1a-2 .3"));
        QCOMPARE(e->text(), QStringLiteral("123"));
        QTest::keyClick(e, Qt::Key_Backspace);
        QCOMPARE(e->text(), QStringLiteral("12"));
        QTest::keyClick(e, Qt::Key_Left);
        QTest::keyClicks(e, QStringLiteral("9"));
        QCOMPARE(e->text(), QStringLiteral("192"));

        // Pasting: digits go in, anything else is turned away whole.
        QApplication::clipboard()->setText(QStringLiteral("x5"));
        e->end(false);
        e->paste();
        QCOMPARE(e->text(), QStringLiteral("192"));
        QApplication::clipboard()->setText(QStringLiteral("45"));
        e->paste();
        QCOMPARE(e->text(), QStringLiteral("19245"));
    }
}

void TestItemsPage::deleteKeepsPosition()
{
    Fixture f;
    for (const char* n : {"A", "B", "C", "D"})
        f.tp.addItem(QString::fromLatin1(n), 1);
    f.tp.db().exec(QStringLiteral("insert into z_log(XNO,NO,ZT) values(1,4,'完成')"));
    f.page->enter();
    f.clickRow(1);
    f.click("btnJXeditDel"); // drawn items are deleted without a question
    QVERIFY(f.tp.dialogs().shown.isEmpty());
    QCOMPARE(f.tp.column(QStringLiteral("select NO||JXname from z_jx order by NO")),
             (QVariantList{"1A", "2C", "3D"}));
    QCOMPARE(f.selectedRow(), 1);
    QCOMPARE(f.gridText(1, 1), QStringLiteral("C"));

    f.clickRow(2);
    f.click("btnJXeditDel");
    QCOMPARE(f.selectedRow(), 1); // the last row was removed: the new last row
    f.click("btnJXeditDel");
    f.click("btnJXeditDel");
    QCOMPARE(f.tp.count(QStringLiteral("z_jx")), 0);
    f.click("btnJXeditDel"); // empty grid
    QVERIFY(f.tp.dialogs().shown.isEmpty());
}

void TestItemsPage::movesFollowTheRow()
{
    Fixture f;
    for (const char* n : {"A", "B", "C"})
        f.tp.addItem(QString::fromLatin1(n), 1);
    f.page->enter();
    f.clickRow(0);
    f.click("btnJXeditN");
    QCOMPARE(f.names(), QStringLiteral("B,A,C"));
    QCOMPARE(f.selectedRow(), 1);
    f.click("btnJXeditN");
    QCOMPARE(f.names(), QStringLiteral("B,C,A"));
    QCOMPARE(f.selectedRow(), 2);
    f.click("btnJXeditN"); // already last
    QCOMPARE(f.names(), QStringLiteral("B,C,A"));
    f.click("btnJXeditP");
    QCOMPARE(f.names(), QStringLiteral("B,A,C"));
    QCOMPARE(f.selectedRow(), 1);
    QCOMPARE(f.gridText(f.selectedRow(), 1), QStringLiteral("A"));
    QVERIFY(f.tp.dialogs().shown.isEmpty());
}

void TestItemsPage::movesNextToDrawnItem()
{
    Fixture f;
    for (const char* n : {"A", "B", "C", "D", "E"})
        f.tp.addItem(QString::fromLatin1(n), 1);
    f.tp.db().exec(QStringLiteral("insert into z_log(XNO,NO,ZT) values(1,1,'完成'),(2,2,'完成')"));
    f.page->enter();
    f.clickRow(2);
    f.click("btnJXeditP");
    QCOMPARE(f.tp.dialogs().texts(), QStringList{kMoveRefused});
    QCOMPARE(f.names(), QStringLiteral("A,B,C,D,E"));
    QCOMPARE(f.selectedRow(), 2);
    f.tp.dialogs().clear();
    f.clickRow(1);
    f.click("btnJXeditN");
    QCOMPARE(f.tp.dialogs().texts(), QStringList{kMoveRefused});
    QCOMPARE(f.names(), QStringLiteral("A,B,C,D,E"));
}

void TestItemsPage::pictureDialog()
{
    Fixture f;
    f.page->enter();
    f.tp.dialogs().answerText(QStringLiteral("/tmp/x/奖品.jpg"));
    f.click("btnJXeditjpg");
    f.tp.dialogs().answerCancel();
    f.edit("editJXeditBJjpg")->setText(QStringLiteral("kept.jpg"));
    f.click("btnJXeditBJjpg");
    QCOMPARE(f.edit("editJXeditjpg")->text(), QStringLiteral("/tmp/x/奖品.jpg"));
    QCOMPARE(f.edit("editJXeditBJjpg")->text(), QStringLiteral("kept.jpg"));
    QCOMPARE(f.tp.dialogs().shown.size(), 2);
    for (const ScriptedDialogs::Shown& s : f.tp.dialogs().shown) {
        QCOMPARE(s.kind, QStringLiteral("openPicture"));
        QCOMPARE(s.text, QStringLiteral("JPEG Image File (*.jpg)|*.jpg"));
    }
    QCOMPARE(f.tp.count(QStringLiteral("z_jx")), 0);
}

// A picture of the page with a few items, for looking at the layout.
void TestItemsPage::render()
{
    Fixture f;
    f.tp.addItem(QStringLiteral("特等奖"), 1, QString(), 1, QStringLiteral("汽车一辆"));
    f.tp.addItem(QStringLiteral("一等奖"), 3, QStringLiteral(">=3|=0"), 1,
                 QStringLiteral("笔记本电脑"));
    f.tp.addItem(QStringLiteral("二等奖"), 10, QStringLiteral("<>2"), 1, QStringLiteral("电视机"));
    f.tp.addItem(QStringLiteral("三等奖"), 30, QString(), 1, QStringLiteral("购物卡"));
    f.tp.db().exec(QStringLiteral("update z_jx set JPjpg = 'car.jpg', BJjpg = 'BJ001.JPG' "
                                  "where NO = 1"));
    f.show();
    f.page->enter();
    f.clickRow(1);
    const QString out = qEnvironmentVariable("VARNEL_RENDER_DIR");
    const QImage shot = f.window.grab().toImage();
    QVERIFY(!shot.isNull());
    if (!out.isEmpty())
        QVERIFY(shot.save(out + QStringLiteral("/items_page.png")));
}

QTEST_MAIN(TestItemsPage)
#include "test_items_page.moc"
