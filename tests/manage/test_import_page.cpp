#include "TestProject.h"
#include "manage/pages/ParticipantsModel.h"
#include "manage/pages/ParticipantsPage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

using namespace varnel;

namespace {

const QString kFixtures = QStringLiteral(VARNEL_FIXTURES_DIR "/import/");
const QString kMarkError =
    QStringLiteral("条件标识载入时有错误产生,条件标识必须为整数\r如:0,1,2,3...");
const QString kSheetPicture =
    QStringLiteral("图片载入时有错误产生,请检查未载入成功的图片路径及类型");
const QString kFolderPicture =
    QStringLiteral("图片载入时有错误产生,请检查未载入成功的图片名称及类型");
const QString kXlsLimit = QStringLiteral(
    "受到XLS文件单表行限制,已达到最大值\r如需要导入更多记录,请分次添加,或者做文本文件添加");

class FakeMain final : public MainWindowApi {
public:
    ParticipantsPage* page = nullptr;
    bool changed = false;
    void navigateSelected() override { page->enter(); }
    int currentPage() const override { return 4; }
    void showPage(int) override {}
    void markDataChanged() override { changed = true; }
    bool dataChanged() const override { return changed; }
    void clearDataChanged() override { changed = false; }
    bool normalMode() const override { return true; }
};

struct Fixture {
    TestProject tp;
    FakeMain main;
    ParticipantsPage page{tp.ctx(), main};
    Fixture()
    {
        main.page = &page;
        page.resize(596, 446);
        page.enter();
    }
    template <typename T> T* find(const char* name)
    {
        T* w = page.findChild<T*>(QString::fromLatin1(name));
        if (!w)
            qFatal("no widget %s", name);
        return w;
    }
    void importFile(const QString& path)
    {
        tp.dialogs().clear();
        tp.dialogs().answerText(path);
        find<QPushButton>("btnRENexcel")->click();
    }
    QStringList names() { return texts("select List from z_user order by NO"); }
    QStringList texts(const char* sql)
    {
        QStringList out;
        for (const QVariant& v : tp.column(QString::fromUtf8(sql)))
            out << v.toString();
        return out;
    }
    bool captionRed()
    {
        return find<QLabel>("lbRENTabletile")->palette().color(QPalette::WindowText) ==
               QColor(255, 0, 0);
    }
};

// A workbook whose first worksheet is `sheet`.
void writeWorkbook(const QString& path, const QByteArray& sheet);

} // namespace

#include <QuaZip-Qt6-1.4/quazip/quazip.h>
#include <QuaZip-Qt6-1.4/quazip/quazipfile.h>

namespace {

void writeWorkbook(const QString& path, const QByteArray& sheet)
{
    const QList<QPair<QString, QByteArray>> parts = {
        {"xl/workbook.xml",
         "<workbook "
         "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
         "<sheets><sheet name=\"a\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels",
         "<Relationships><Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/"
         "officeDocument/2006/relationships/worksheet\" Target=\"worksheets/s.xml\"/>"
         "</Relationships>"},
        {"xl/worksheets/s.xml", sheet}};
    QuaZip zip(path);
    QVERIFY(zip.open(QuaZip::mdCreate));
    for (const auto& [name, bytes] : parts) {
        QuaZipFile f(&zip);
        QVERIFY(f.open(QIODevice::WriteOnly, QuaZipNewInfo(name)));
        f.write(bytes);
    }
}

// A workbook with one row: name, remark, mark, picture path (inline strings).
void writeRowWorkbook(const QString& path, const QStringList& cells)
{
    QByteArray row = "<row r=\"1\">";
    for (const QString& c : cells)
        row += "<c t=\"inlineStr\"><is><t>" + c.toHtmlEscaped().toUtf8() + "</t></is></c>";
    writeWorkbook(path, "<worksheet><sheetData>" + row + "</row></sheetData></worksheet>");
}

} // namespace

class TestImportPage : public QObject {
    Q_OBJECT

private slots:
    void controlsAtStart();
    void gridColumnsAndRowNumbers();
    void gridEditsAndReadOnly();
    void titleClickSorts();
    void spreadsheetImportMessages_data();
    void spreadsheetImportMessages();
    void xlsRowLimitMessage();
    void textImportAppendsQuietly();
    void failedImportsKeepParticipants_data();
    void failedImportsKeepParticipants();
    void folderImportMessages();
    void cancelAndCaptureDoNothing();
    void rendersWithManyRows();
};

void TestImportPage::controlsAtStart()
{
    Fixture f;
    QCOMPARE(f.find<QLabel>("lbRENTabletile")->text(), QString("滚动数据信息"));
    auto* tabs = f.find<QTabWidget>("pgcUserLogo");
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(tabs->tabText(0), QString("从EXCEL导入"));
    QCOMPARE(tabs->tabText(1), QString("从文件夹中导入"));
    QVERIFY(f.find<QRadioButton>("rbtnRENdrfs2")->isChecked());
    QCOMPARE(f.find<QRadioButton>("rbtnRENdrfs1")->text(), QString("追加方式"));
    QCOMPARE(f.find<QPushButton>("btnRENexcel")->text(), QString("选择EXCEL文件导入滚动信息"));
    QCOMPARE(f.find<QPushButton>("btnRENfile")->text(), QString("选择滚动数据图片的文件夹"));
    QCOMPARE(f.find<QPushButton>("btnRenPicPZ")->text(), QString("拍照"));
    QVERIFY(f.find<QLabel>("lbRENexcelInfo")->isHidden());
    QVERIFY(f.find<QLabel>("lbRenPicInfo")->isHidden());

    auto* slider = f.find<QSlider>("trckbrJPG");
    QCOMPARE(slider->minimum(), 10);
    QCOMPARE(slider->maximum(), 100);
    QCOMPARE(slider->singleStep(), 5);
    QCOMPARE(slider->pageStep(), 5);
    QCOMPARE(f.find<QLabel>("lblJPG")->text(), QString("60"));
    slider->setValue(85);
    QCOMPARE(f.find<QLabel>("lblJPG")->text(), QString("85"));

    f.page.setImportAppend(true);
    QVERIFY(f.page.importAppend() && f.find<QRadioButton>("rbtnRENdrfs1")->isChecked());
    f.page.setImportAppend(false);
    QVERIFY(!f.page.importAppend() && f.find<QRadioButton>("rbtnRENdrfs2")->isChecked());
}

void TestImportPage::gridColumnsAndRowNumbers()
{
    Fixture f;
    f.tp.addParticipants(300);
    f.page.enter();
    ParticipantsModel* m = f.page.model();
    QCOMPARE(m->rowCount(), 300);
    const QStringList titles{"滚动数据列", "备注", "条件标识", "图片地址"};
    for (int c = 0; c < 4; ++c)
        QCOMPARE(m->headerData(c, Qt::Horizontal).toString(), titles[c]);
    QCOMPARE(m->headerData(0, Qt::Vertical).toInt(), 1);
    QCOMPARE(m->headerData(299, Qt::Vertical).toInt(), 300);
    // Rows far apart come from different blocks.
    QCOMPARE(m->index(0, 0).data().toString(), QString("人员0001"));
    QCOMPARE(m->index(299, 1).data().toString(), QString("备注300"));
    QCOMPARE(m->index(299, 3).data().toString(), QString("无"));
    QCOMPARE(m->index(5, 3).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    // A gap in the stored rows (the grid maps row numbers to rows without reading them all
    // while there is none).
    f.tp.db().exec("delete from z_user where NO = 150");
    f.page.enter();
    QCOMPARE(m->rowCount(), 299);
    QCOMPARE(m->index(148, 0).data().toString(), QString("人员0149"));
    QCOMPARE(m->index(149, 0).data().toString(), QString("人员0151"));
    QCOMPARE(m->headerData(298, Qt::Vertical).toInt(), 299);
    QVERIFY(m->setData(m->index(149, 2), "4"));
    QCOMPARE(f.tp.column("select TJ from z_user where NO = 151"), QVariantList{4});
}

void TestImportPage::gridEditsAndReadOnly()
{
    Fixture f;
    f.tp.addParticipant(1, "甲", "旧", 3);
    f.page.enter();
    ParticipantsModel* m = f.page.model();
    QVERIFY(!(m->flags(m->index(0, 0)) & Qt::ItemIsEditable));
    QVERIFY(m->flags(m->index(0, 1)) & Qt::ItemIsEditable);
    QVERIFY(m->flags(m->index(0, 2)) & Qt::ItemIsEditable);
    QVERIFY(!(m->flags(m->index(0, 3)) & Qt::ItemIsEditable));
    QVERIFY(!f.captionRed());

    // A mark that is not an integer is refused with a message and not stored.
    QVERIFY(!m->setData(m->index(0, 2), "abc"));
    QCOMPARE(f.tp.dialogs().shown.size(), 1);
    QVERIFY(f.tp.dialogs().shown[0].text.contains("条件标识必须为整数"));
    QVERIFY(!m->setData(m->index(0, 2), "1.5"));
    QVERIFY(!m->setData(m->index(0, 2), "3000000000"));
    QCOMPARE(f.tp.column("select TJ from z_user"), QVariantList{3});
    QVERIFY(!f.main.changed);

    QVERIFY(m->setData(m->index(0, 2), " 12 "));
    QCOMPARE(f.tp.column("select TJ from z_user"), QVariantList{12});
    QCOMPARE(m->index(0, 2).data().toInt(), 12);
    QVERIFY(f.main.changed);
    QVERIFY(f.captionRed());

    QVERIFY(m->setData(m->index(0, 2), ""));
    QVERIFY(f.tp.column("select TJ from z_user").value(0).isNull());
    QVERIFY(m->setData(m->index(0, 1), "it's \"新\""));
    QCOMPARE(f.tp.column("select Memo from z_user"), QVariantList{"it's \"新\""});
    QCOMPARE(f.tp.count("z_user"), 1);

    // Once a winner exists the whole grid is read-only.
    f.tp.db().exec("insert into z_zj(ListNO,ListZJ,JXname,BZ) values(1,'甲','一等奖','')");
    f.page.enter();
    for (int c = 0; c < 4; ++c)
        QVERIFY(!(m->flags(m->index(0, c)) & Qt::ItemIsEditable));
    QVERIFY(!m->setData(m->index(0, 1), "x"));
    f.main.clearDataChanged();
    f.page.enter();
    QVERIFY(!f.captionRed());
}

void TestImportPage::titleClickSorts()
{
    Fixture f;
    f.tp.addParticipant(1, "乙", "", 2);
    f.tp.addParticipant(2, "甲", "", QVariant());
    f.tp.addParticipant(3, "丙", "", 1);
    f.page.enter();
    auto* grid = f.find<QTableView>("DBGridEhren");
    QHeaderView* h = grid->horizontalHeader();
    auto column = [&](int c) {
        QStringList out;
        for (int r = 0; r < f.page.model()->rowCount(); ++r)
            out << f.page.model()->index(r, c).data().toString();
        return out;
    };
    QCOMPARE(column(0), (QStringList{"乙", "甲", "丙"}));
    QVERIFY(!h->isSortIndicatorShown());
    emit h->sectionClicked(2);
    QCOMPARE(column(2), (QStringList{"", "1", "2"}));
    QVERIFY(h->isSortIndicatorShown());
    QCOMPARE(h->sortIndicatorOrder(), Qt::AscendingOrder);
    emit h->sectionClicked(2);
    QCOMPARE(column(2), (QStringList{"2", "1", ""}));
    QCOMPARE(h->sortIndicatorOrder(), Qt::DescendingOrder);
    emit h->sectionClicked(0);
    QCOMPARE(h->sortIndicatorSection(), 0);
    QCOMPARE(h->sortIndicatorOrder(), Qt::AscendingOrder);
    // Showing the page again drops the sort.
    f.page.enter();
    QCOMPARE(column(0), (QStringList{"乙", "甲", "丙"}));
    QVERIFY(!h->isSortIndicatorShown());
}

void TestImportPage::spreadsheetImportMessages_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("xlsx") << "basic.xlsx";
    QTest::newRow("xls") << "basic.xls";
}

void TestImportPage::spreadsheetImportMessages()
{
    QFETCH(QString, file);
    Fixture f;
    f.tp.addParticipants(10);
    f.importFile(kFixtures + file);
    // Replace mode: the old rows are gone, the new ones numbered from 1; only the mark message.
    QCOMPARE(f.names(), (QStringList{"张三", "O'Brien", "王五", ""}));
    QCOMPARE(f.texts("select NO from z_user order by NO"), (QStringList{"1", "2", "3", "4"}));
    QCOMPARE(f.texts("select ifnull(TJ,'-') from z_user order by NO"),
             (QStringList{"5", "-", "7", "-"}));
    QCOMPARE(f.tp.dialogs().shown[0].kind, QString("openFile"));
    QCOMPARE(f.tp.dialogs().shown[0].text, QString("EXECL文件|*.xls;*.xlsx;*.csv;*.txt"));
    QCOMPARE(f.tp.dialogs().texts(), QStringList{kMarkError});
    QVERIFY(f.main.changed);
    QVERIFY(f.captionRed());
    QCOMPARE(f.page.model()->rowCount(), 4);
    QVERIFY(f.find<QLabel>("lbRENexcelInfo")->isHidden());
    QCOMPARE(f.find<QLabel>("lbRENexcelInfo")->text(), QString("已导入记录 4 条"));

    // Append mode continues the numbering; a picture that fails to load follows the mark one.
    QTemporaryDir dir;
    QFile broken(dir.filePath("broken.jpg"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();
    const QString book = dir.filePath("row.xlsx");
    writeRowWorkbook(book, {"新人", "备注", "x1", broken.fileName()});
    f.page.setImportAppend(true);
    f.importFile(book);
    QCOMPARE(f.texts("select NO||List||PicB from z_user where NO > 4"), QStringList{"5新人无"});
    QCOMPARE(f.tp.dialogs().texts(), (QStringList{kMarkError, kSheetPicture}));
}

void TestImportPage::xlsRowLimitMessage()
{
    Fixture f;
    f.page.setRowLimits(3, 4);
    f.importFile(kFixtures + "sixrows.xls");
    QCOMPARE(f.tp.count("z_user"), 3);
    QCOMPARE(f.tp.dialogs().texts(), QStringList{kXlsLimit});
    // Other files stop at their own limit without a message.
    f.importFile(kFixtures + "sixrows.xlsx");
    QCOMPARE(f.tp.count("z_user"), 4);
    QCOMPARE(f.tp.dialogs().texts(), QStringList{});
}

void TestImportPage::textImportAppendsQuietly()
{
    Fixture f;
    f.tp.addParticipants(10);
    f.page.setImportAppend(true);
    QTemporaryDir dir;
    QFile csv(dir.filePath("名单.CSV"));
    QVERIFY(csv.open(QIODevice::WriteOnly));
    csv.write("A,销售部,abc,missing.png\r\nB,,7\r\n\r\nC\r\n");
    csv.close();
    f.importFile(csv.fileName());
    QCOMPARE(f.texts("select NO||List||ifnull(TJ,'-')||PicB from z_user where NO > 10"),
             (QStringList{"11A-无", "12B7无"}));
    QCOMPARE(f.tp.dialogs().texts(), QStringList{});
    QVERIFY(f.main.changed);
    QCOMPARE(f.page.model()->rowCount(), 12);
}

void TestImportPage::failedImportsKeepParticipants_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("text renamed xlsx") << "a.xlsx" << QByteArray("张三,1\r\n") << "不是Excel工作簿";
    QTest::newRow("binary txt") << "b.txt" << QByteArray("\x00\x01\x02PK", 5) << "不是文本文件";
    // A sheet cut off in its third row: the rows read before belong to the rolled-back import.
    QTest::newRow("damaged sheet") << "c.xlsx" << QByteArray() << "已损坏";
}

void TestImportPage::failedImportsKeepParticipants()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    Fixture f;
    f.tp.addParticipants(5);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (bytes.isEmpty()) {
        writeWorkbook(path, "<worksheet><sheetData><row r=\"1\"><c t=\"str\"><v>x</v></c></row>"
                            "<row r=\"2\"><c t=\"str\"><v>y</v></c></row><row r=\"3\"><c");
    } else {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    f.importFile(path);
    QCOMPARE(f.tp.count("z_user"), 5);
    QCOMPARE(f.names().first(), QString("人员0001"));
    QCOMPARE(f.tp.dialogs().texts().size(), 1);
    QCOMPARE(f.tp.dialogs().shown.last().kind, QString("error"));
    QVERIFY2(f.tp.dialogs().texts()[0].contains(message), qPrintable(f.tp.dialogs().texts()[0]));
    QVERIFY(!f.main.changed);
    QCOMPARE(f.page.model()->rowCount(), 5);
    QVERIFY(f.find<QLabel>("lbRENexcelInfo")->isHidden());
}

void TestImportPage::folderImportMessages()
{
    Fixture f;
    f.tp.addParticipants(3);
    f.page.setImportAppend(true); // a folder import replaces all the same
    QTemporaryDir dir;
    const QByteArray jpg = TestProject::makeJpeg(16, 16, Qt::red);
    for (const char* n : {"A_5.jpg", "C_x.jpg", "readme.txt", "_7.jpg", "D_1_2.jpeg"}) {
        QFile file(dir.filePath(n));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(jpg);
    }
    QFile bmp(dir.filePath("B.bmp"));
    QVERIFY(bmp.open(QIODevice::WriteOnly));
    bmp.write(TestProject::makeBmp(16, 16, Qt::green));
    bmp.close();

    f.tp.dialogs().answerText(dir.path());
    f.find<QPushButton>("btnRENfile")->click();
    QCOMPARE(f.tp.dialogs().shown[0].kind, QString("openFolder"));
    QCOMPARE(f.tp.dialogs().shown[0].text, QString("选择存放抽奖人图片的文件夹"));
    QCOMPARE(f.texts("select NO||List||ifnull(TJ,'-') from z_user order by NO"),
             (QStringList{"1A5", "2B-"}));
    QCOMPARE(f.tp.dialogs().texts(), (QStringList{kMarkError, kFolderPicture}));
    QVERIFY(f.main.changed);
    QCOMPARE(f.page.model()->rowCount(), 2);
    QVERIFY(f.find<QLabel>("lbRenPicInfo")->isHidden());
}

void TestImportPage::cancelAndCaptureDoNothing()
{
    Fixture f;
    f.tp.addParticipants(2);
    f.tp.dialogs().answerCancel();
    f.find<QPushButton>("btnRENexcel")->click();
    f.tp.dialogs().answerCancel();
    f.find<QPushButton>("btnRENfile")->click();
    f.find<QPushButton>("btnRenPicPZ")->click(); // no capture library beside the program
    QCOMPARE(f.tp.count("z_user"), 2);
    QCOMPARE(f.tp.dialogs().texts(), QStringList{});
    QVERIFY(!f.main.changed);
}

void TestImportPage::rendersWithManyRows()
{
    Fixture f;
    const QString dir = qEnvironmentVariable("VARNEL_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        f.page.grab().save(dir + "/participants-empty.png");
    f.tp.addParticipants(100000);
    f.main.markDataChanged();
    QElapsedTimer t;
    t.start();
    f.page.enter();
    f.page.grab();
    QCOMPARE(f.page.model()->rowCount(), 100000);
    qInfo("100000 rows shown in %lld ms", qint64(t.elapsed()));
    auto* grid = f.find<QTableView>("DBGridEhren");
    grid->scrollToBottom();
    const QImage shot = f.page.grab().toImage();
    if (!dir.isEmpty()) {
        shot.save(dir + "/participants-100k.png");
        f.find<QTabWidget>("pgcUserLogo")->setCurrentIndex(1);
        f.page.grab().save(dir + "/participants-folder-tab.png");
        f.find<QTabWidget>("pgcUserLogo")->setCurrentIndex(0);
    }
    QCOMPARE(f.page.model()->index(99999, 0).data().toString(), QString("人员100000"));
    // The caption is painted red while the data-changed flag is up.
    auto* caption = f.find<QLabel>("lbRENTabletile");
    const QImage cap = caption->grab().toImage();
    bool red = false;
    for (int y = 0; y < cap.height() && !red; ++y)
        for (int x = 0; x < cap.width() && !red; ++x) {
            const QColor c = cap.pixelColor(x, y);
            red = c.red() > 200 && c.green() < 80 && c.blue() < 80;
        }
    QVERIFY(red);
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TestImportPage t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_import_page.moc"
