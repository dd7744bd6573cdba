#include "TestProject.h"
#include "manage/ImportError.h"
#include "manage/NumberFormat.h"
#include "manage/SheetImport.h"
#include "manage/XlsxReader.h"

#include <QFile>
#include <QGuiApplication>
#include <QTest>
// The QuaZip target's include folder is not exported to tests; its headers find each other.
#include <QuaZip-Qt6-1.4/quazip/quazip.h>
#include <QuaZip-Qt6-1.4/quazip/quazipfile.h>

using namespace varnel;

namespace {

const QString kFixtures = QStringLiteral(VARNEL_FIXTURES_DIR "/import/");

void writeZip(const QString& path, const QList<QPair<QString, QByteArray>>& parts)
{
    QuaZip zip(path);
    QVERIFY(zip.open(QuaZip::mdCreate));
    for (const auto& [name, bytes] : parts) {
        QuaZipFile f(&zip);
        QVERIFY(f.open(QIODevice::WriteOnly, QuaZipNewInfo(name)));
        f.write(bytes);
        f.close();
    }
    zip.close();
}

// A minimal package: the workbook names its sheets in `sheets` (relationship id, target);
// `files` holds the parts themselves.
void writeWorkbook(const QString& path, const QByteArray& workbookPr,
                   const QList<QPair<QByteArray, QByteArray>>& sheets,
                   const QList<QPair<QString, QByteArray>>& files)
{
    QByteArray wb = "<?xml version=\"1.0\"?><workbook "
                    "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                    "relationships\">" +
                    workbookPr + "<sheets>";
    QByteArray rels = "<?xml version=\"1.0\"?><Relationships "
                      "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    const QByteArray type = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    int n = 0;
    for (const auto& [kind, target] : sheets) {
        const QByteArray id = "rId" + QByteArray::number(++n);
        wb += "<sheet name=\"S" + QByteArray::number(n) + "\" sheetId=\"" + QByteArray::number(n) +
              "\" r:id=\"" + id + "\"/>";
        rels += "<Relationship Id=\"" + id + "\" Type=\"" + type + kind + "\" Target=\"" + target +
                "\"/>";
    }
    wb += "</sheets></workbook>";
    rels += "<Relationship Id=\"rIdS\" Type=\"" + type +
            "sharedStrings\" Target=\"strings.xml\"/></Relationships>";
    QList<QPair<QString, QByteArray>> parts = {
        {"_rels/.rels", "<?xml version=\"1.0\"?><Relationships "
                        "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                        "<Relationship Id=\"r1\" Type=\"" +
                            type + "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
        {"xl/workbook.xml", wb},
        {"xl/_rels/workbook.xml.rels", rels}};
    parts += files;
    writeZip(path, parts);
}

QByteArray sheetXml(const QByteArray& rows)
{
    return "<?xml version=\"1.0\"?><worksheet "
           "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>" +
           rows + "</sheetData></worksheet>";
}

QStringList sheetRecords(const QString& path, qint64 limit = 1000000, bool* reached = nullptr)
{
    std::unique_ptr<SheetReader> reader = openWorkbook(path);
    SheetRecordSource src(*reader, limit);
    QStringList out;
    ImportRecord r;
    while (src.next(r))
        out << QStringList{QString::fromUtf8(r.list), QString::fromUtf8(r.memo),
                           QString::fromUtf8(r.mark), QString::fromUtf8(r.picture)}
                   .join(QLatin1Char('|'));
    if (reached)
        *reached = src.limitReached();
    return out;
}

QString openError(const QString& path)
{
    try {
        sheetRecords(path);
    } catch (const ImportError& e) {
        return e.text();
    }
    return QString();
}

} // namespace

class TestImportSheet : public QObject {
    Q_OBJECT

private slots:
    void fixtureWorkbooks_data();
    void fixtureWorkbooks();
    void displayedNumbers();
    void formatCodes_data();
    void formatCodes();
    void stringsAndSheetChoice();
    void rowEnds();
    void rowLimit_data();
    void rowLimit();
    void unreadableWorkbooks();
    void damagedSheetStopsReading();

private:
    QTemporaryDir m_dir;
};

void TestImportSheet::fixtureWorkbooks_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("xlsx") << "basic.xlsx";
    QTest::newRow("xls") << "basic.xls";
}

void TestImportSheet::fixtureWorkbooks()
{
    QFETCH(QString, file);
    // Row 4 has only column 2; row 5 only column 4, which ends the sheet before row 6.
    QCOMPARE(sheetRecords(kFixtures + file),
             (QStringList{"张三|销售部|5|", "O'Brien|技术\"部|abc|", "王五||7|", "|仅备注||"}));
}

void TestImportSheet::displayedNumbers()
{
    // Column A holds a value under a number format, column B the text a spreadsheet shows.
    XlsxReader reader(kFixtures + "formats.xlsx");
    SheetRow row;
    int rows = 0;
    while (reader.nextRow(row)) {
        ++rows;
        QCOMPARE(row.cells[0], row.cells[1]);
    }
    QCOMPARE(rows, 14);
}

void TestImportSheet::formatCodes_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("text");
    const double day = 45296; // 2024-01-05
    QTest::newRow("general int") << 12.0 << ""
                                 << "12";
    QTest::newRow("general big") << 1e20 << "General"
                                 << "1E+20";
    QTest::newRow("general negative fraction") << -0.125 << ""
                                               << "-0.125";
    QTest::newRow("builtin 14") << day << builtinNumberFormat(14) << "2024/1/5";
    QTest::newRow("builtin 15") << day << builtinNumberFormat(15) << "5-Jan-24";
    QTest::newRow("builtin 18") << day + 0.75 << builtinNumberFormat(18) << "6:00 PM";
    QTest::newRow("builtin 20") << 0.5 << builtinNumberFormat(20) << "12:00";
    QTest::newRow("builtin 22") << day + 0.25 << builtinNumberFormat(22) << "2024/1/5 6:00";
    QTest::newRow("1900 leap day") << 60.0 << "yyyy-mm-dd"
                                   << "1900-02-29";
    QTest::newRow("before leap day") << 59.0 << "yyyy-mm-dd"
                                     << "1900-02-28";
    QTest::newRow("weekday") << day << "dddd yyyy/mm/dd"
                             << "Friday 2024/01/05";
    QTest::newRow("chinese weekday") << day << "aaaa"
                                     << "星期五";
    QTest::newRow("minutes not months") << 0.5 + 7.0 / 1440 << "hh:mm"
                                        << "12:07";
    QTest::newRow("elapsed hours") << 1.5 << "[h]:mm:ss"
                                   << "36:00:00";
    QTest::newRow("thousands") << 1234567.0 << "#,##0"
                               << "1,234,567";
    QTest::newRow("rounding half up") << 2.5 << "0"
                                      << "3";
    QTest::newRow("2.675 as shown") << 2.675 << "0.00"
                                    << "2.68";
    QTest::newRow("percent") << 0.0512 << "0.0%"
                             << "5.1%";
    QTest::newRow("negative section") << -3.0 << "0;(0)"
                                      << "(3)";
    QTest::newRow("zero section") << 0.0 << "0;-0;\"无\""
                                  << "无";
    QTest::newRow("literal and escape") << 8.0 << "\"第\"0\\号"
                                        << "第8号";
    QTest::newRow("phone layout") << 13800138000.0 << "000-0000-0000"
                                  << "138-0013-8000";
    QTest::newRow("scientific") << 12345.0 << "0.00E+00"
                                << "1.23E+04";
    QTest::newRow("optional digits") << 0.5 << "#.##"
                                     << ".5";
    QTest::newRow("colour tag") << 7.0 << "[Red]0.0"
                                << "7.0";
    QTest::newRow("chinese date") << day << builtinNumberFormat(31) << "2024年1月5日";
    QTest::newRow("chinese am/pm") << 0.75 << "[$-804]AM/PM h:mm"
                                   << "下午 6:00";
}

void TestImportSheet::formatCodes()
{
    QFETCH(double, value);
    QFETCH(QString, code);
    QFETCH(QString, text);
    QCOMPARE(formatNumber(value, code), text);
}

void TestImportSheet::stringsAndSheetChoice()
{
    // The workbook's first sheet is a chart sheet; its first worksheet is the part
    // "worksheets/b.xml" (not sheet1.xml). Shared item 0 is rich text with a phonetic run;
    // the row also has an inline rich string and an escaped character.
    const QString path = m_dir.filePath("strings.xlsx");
    writeWorkbook(
        path, "<workbookPr date1904=\"1\"/>",
        {{"chartsheet", "chartsheets/c.xml"},
         {"worksheet", "worksheets/b.xml"},
         {"worksheet", "worksheets/sheet1.xml"}},
        {{"xl/strings.xml",
          "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
          "<si><r><rPr><b/></rPr><t>张</t></r><r><t xml:space=\"preserve\"> 三</t></r>"
          "<rPh sb=\"0\" eb=\"1\"><t>ZHANG</t></rPh></si><si><t>A_x0042_C</t></si></sst>"},
         {"xl/worksheets/b.xml",
          sheetXml("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c>"
                   "<c r=\"B1\" t=\"inlineStr\"><is><r><t>销售</t></r><r><t>部</t></r></is></c>"
                   "<c r=\"C1\" t=\"b\"><v>0</v></c><c r=\"D1\" t=\"s\"><v>1</v></c></row>"
                   "<row><c t=\"str\"><f>1+1</f><v>2</v></c><c/><c><v>0</v></c></row>")},
         {"xl/worksheets/sheet1.xml", sheetXml("<row r=\"1\"><c r=\"A1\" t=\"str\"><v>错"
                                               "</v></c></row>")}});
    QCOMPARE(sheetRecords(path), (QStringList{"张 三|销售部|FALSE|ABC", "2||0|"}));
}

void TestImportSheet::rowEnds()
{
    // Rows the file does not store are empty rows: the sheet ends at row 3.
    const QString gap = m_dir.filePath("gap.xlsx");
    writeWorkbook(gap, {}, {{"worksheet", "worksheets/s.xml"}},
                  {{"xl/worksheets/s.xml",
                    sheetXml("<row r=\"1\"><c r=\"A1\" t=\"str\"><v>a</v></c></row>"
                             "<row r=\"2\"><c r=\"C2\"><v>4</v></c></row>"
                             "<row r=\"4\"><c r=\"A4\" t=\"str\"><v>d</v></c></row>")}});
    QCOMPARE(sheetRecords(gap), (QStringList{"a|||", "||4|"}));

    // Cells that hold only a style are empty, and so is a row of them.
    const QString styled = m_dir.filePath("styled.xlsx");
    writeWorkbook(styled, {}, {{"worksheet", "worksheets/s.xml"}},
                  {{"xl/worksheets/s.xml",
                    sheetXml("<row r=\"1\"><c r=\"B1\" t=\"str\"><v>x</v></c></row>"
                             "<row r=\"2\"><c r=\"A2\" s=\"1\"/><c r=\"E2\" t=\"str\"><v>e</v>"
                             "</c></row><row r=\"3\"><c r=\"A3\" t=\"str\"><v>z</v></c></row>")}});
    QCOMPARE(sheetRecords(styled), (QStringList{"|x||"}));
}

void TestImportSheet::rowLimit_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("reached");
    QTest::newRow("xls under the limit") << "sixrows.xls" << qint64(3) << 3 << true;
    QTest::newRow("xls limit equal to rows") << "sixrows.xls" << qint64(6) << 6 << true;
    QTest::newRow("xls above the rows") << "sixrows.xls" << qint64(7) << 6 << false;
    QTest::newRow("xlsx under the limit") << "sixrows.xlsx" << qint64(4) << 4 << true;
}

void TestImportSheet::rowLimit()
{
    QFETCH(QString, file);
    QFETCH(qint64, limit);
    QFETCH(int, count);
    QFETCH(bool, reached);
    bool limitReached = !reached;
    QCOMPARE(sheetRecords(kFixtures + file, limit, &limitReached).size(), count);
    QCOMPARE(limitReached, reached);
}

void TestImportSheet::unreadableWorkbooks()
{
    auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile f(m_dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return f.fileName();
    };
    QFile basic(kFixtures + "basic.xlsx");
    QVERIFY(basic.open(QIODevice::ReadOnly));
    const QByteArray zip = basic.readAll();
    const QByteArray ole("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);

    const QString notBook = QStringLiteral("该文件已损坏或不是Excel工作簿");
    QVERIFY(openError(write("text.xlsx", "张三,销售部,5\r\n")).contains(notBook));
    QVERIFY(openError(write("empty.xlsx", "")).contains(notBook));
    QVERIFY(openError(write("half.xlsx", zip.left(zip.size() / 2))).contains(notBook));
    QVERIFY(openError(write("garbage.xls", ole + QByteArray(600, '\x7f'))).contains("无法打开"));
    const QByteArray encrypted = ole + QByteArray(500, '\0') +
                                 QByteArray("E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0", 32);
    QVERIFY(openError(write("locked.xlsx", encrypted)).contains("密码"));
    QVERIFY(openError(m_dir.filePath("missing.xlsx")).contains("无法打开"));

    // The reader goes by content, not by extension: an .xlsx named .xls reads as one.
    QCOMPARE(sheetRecords(write("renamed.xls", zip)).size(), 4);
}

void TestImportSheet::damagedSheetStopsReading()
{
    const QString path = m_dir.filePath("cut.xlsx");
    writeWorkbook(path, {}, {{"worksheet", "worksheets/s.xml"}},
                  {{"xl/worksheets/s.xml",
                    "<worksheet><sheetData><row r=\"1\"><c t=\"str\"><v>a</v></c></row>"
                    "<row r=\"2\"><c t=\"str\"><v>b</v></c></row><row r=\"3\"><c t=\"str\"><v"}});
    std::unique_ptr<SheetReader> reader = openWorkbook(path);
    SheetRecordSource src(*reader, 100);
    ImportRecord r;
    QVERIFY(src.next(r));
    QVERIFY(src.next(r));
    QVERIFY_THROWS_EXCEPTION(ImportError, src.next(r));
}

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    TestImportSheet t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_import_sheet.moc"
