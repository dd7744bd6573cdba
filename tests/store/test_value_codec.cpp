#include "store/ProjectDb.h"
#include "store/TextTransforms.h"
#include "store/ValueCodec.h"

#include <QGuiApplication>
#include <QTest>
#include <cmath>

using namespace varnel;

class TestValueCodec : public QObject {
    Q_OBJECT
private slots:
    void flags_data();
    void flags();
    void integers_data();
    void integers();
    void strictIntegerMessage();
    void decimals_data();
    void decimals();
    void roundHalfEven_data();
    void roundHalfEven();
    void fontSpecRoundTrip_data();
    void fontSpecRoundTrip();
    void fontSpecFields();
    void fontSpecRejectsNonNumbers_data();
    void fontSpecRejectsNonNumbers();
    void colours_data();
    void colours();
    void systemColours();
    void starMask_data();
    void starMask();
    void sampleText();
    void fullWidth_data();
    void fullWidth();
};

void TestValueCodec::flags_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("offOnlyAtZero");
    QTest::addColumn<bool>("onOnlyAtMinusOne");
    QTest::newRow("creation on") << "1" << true << false;
    QTest::newRow("check box on") << "-1" << true << true;
    QTest::newRow("off") << "0" << false << false;
    QTest::newRow("missing") << "" << true << false;
    QTest::newRow("other text") << "yes" << true << false;
    QTest::newRow("padded zero") << " 0" << true << false;
}

void TestValueCodec::flags()
{
    QFETCH(QString, value);
    QFETCH(bool, offOnlyAtZero);
    QFETCH(bool, onOnlyAtMinusOne);
    QCOMPARE(flagOffOnlyAtZero(value), offOnlyAtZero);
    QCOMPARE(flagOnOnlyAtMinusOne(value), onOnlyAtMinusOne);
    QCOMPARE(flagText(true), QStringLiteral("-1"));
    QCOMPARE(flagText(false), QStringLiteral("0"));
}

void TestValueCodec::integers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("valid");
    QTest::newRow("plain") << "40" << 40 << true;
    QTest::newRow("negative") << "-16777208" << -16777208 << true;
    QTest::newRow("plus") << "+7" << 7 << true;
    QTest::newRow("empty") << "" << 0 << false;
    QTest::newRow("letters") << "abc" << 0 << false;
    QTest::newRow("decimal") << "2.6" << 0 << false;
    QTest::newRow("trailing text") << "12px" << 0 << false;
    QTest::newRow("int max") << "2147483647" << 2147483647 << true;
    QTest::newRow("int min") << "-2147483648" << int(-2147483648LL) << true;
    QTest::newRow("overflow") << "2147483648" << 0 << false;
    QTest::newRow("fullwidth digits") << "４０" << 0 << false;
}

void TestValueCodec::integers()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QFETCH(bool, valid);
    QCOMPARE(toIntOr0(text), value);
    if (valid)
        QCOMPARE(toIntStrict(text), value);
    else
        QVERIFY_THROWS_EXCEPTION(ConversionError, toIntStrict(text));
}

void TestValueCodec::strictIntegerMessage()
{
    try {
        toIntStrict(QStringLiteral("abc"));
        QFAIL("no error");
    } catch (const ConversionError& e) {
        QCOMPARE(e.text(), QStringLiteral("'abc' is not a valid integer value"));
    }
}

void TestValueCodec::decimals_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("written");
    QTest::newRow("ratio") << "2.6" << 2.6 << "2.6";
    QTest::newRow("whole") << "3" << 3.0 << "3";
    QTest::newRow("negative") << "-0.5" << -0.5 << "-0.5";
    QTest::newRow("comma is not a separator") << "2,6" << 0.0 << "0";
    QTest::newRow("empty") << "" << 0.0 << "0";
    QTest::newRow("inf") << "inf" << 0.0 << "0";
}

void TestValueCodec::decimals()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(QString, written);
    QCOMPARE(toDoubleOr0(text), value);
    QCOMPARE(decimalText(toDoubleOr0(text)), written);
}

void TestValueCodec::roundHalfEven_data()
{
    QTest::addColumn<double>("in");
    QTest::addColumn<int>("out");
    QTest::newRow("0.5") << 0.5 << 0;
    QTest::newRow("1.5") << 1.5 << 2;
    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("2.51") << 2.51 << 3;
    QTest::newRow("-0.5") << -0.5 << 0;
    QTest::newRow("-1.5") << -1.5 << -2;
    QTest::newRow("693.33") << 693.33 << 693;
    QTest::newRow("not a number") << std::nan("") << 0;
    QTest::newRow("beyond int") << 1e12 << 2147483647;
}

void TestValueCodec::roundHalfEven()
{
    QFETCH(double, in);
    QFETCH(int, out);
    QCOMPARE(varnel::roundHalfEven(in), out);
}

void TestValueCodec::fontSpecRoundTrip_data()
{
    QTest::addColumn<QString>("fontText");
    QTest::newRow("bold white") << "黑体;16777215;26;[fsBold];";
    QTest::newRow("no style") << "宋体;0;9;[];";
    QTest::newRow("bold italic") << "黑体;255;12;[fsBold,fsItalic];";
    QTest::newRow("all styles") << "Tahoma;65280;8;[fsBold,fsItalic,fsUnderline,fsStrikeOut];";
    QTest::newRow("system colour") << "楷体_GB2312;-16777208;18;[fsBold];";
}

void TestValueCodec::fontSpecRoundTrip()
{
    QFETCH(QString, fontText);
    QCOMPARE(EncodeFontSpec(ApplyFontSpec(fontText)), fontText);
}

void TestValueCodec::fontSpecFields()
{
    const FontSpec f = ApplyFontSpec(QStringLiteral("黑体;16777215;26;[fsItalic,fsBold];tail"));
    QCOMPARE(f.name, QStringLiteral("黑体"));
    QCOMPARE(f.colour, 16777215);
    QCOMPARE(f.size, 26);
    QVERIFY(f.bold && f.italic && !f.underline && !f.strikeOut);
    // Styles are written in their fixed order whatever order they were read in.
    QCOMPARE(EncodeFontSpec(f), QStringLiteral("黑体;16777215;26;[fsBold,fsItalic];"));
    const QFont font = f.font();
    QCOMPARE(font.family(), QStringLiteral("黑体"));
    QCOMPARE(font.pointSize(), 26);
    QVERIFY(font.bold() && font.italic());
    QCOMPARE(f.color(), QColor(Qt::white));
    // And back from a font and its colour.
    QCOMPARE(EncodeFontSpec(fontSpecFrom(font, QColor(255, 0, 0))),
             QStringLiteral("黑体;255;26;[fsBold,fsItalic];"));
    QFont plain(QStringLiteral("宋体"));
    plain.setPointSize(9);
    QCOMPARE(EncodeFontSpec(fontSpecFrom(plain, Qt::black)), QStringLiteral("宋体;0;9;[];"));
}

void TestValueCodec::fontSpecRejectsNonNumbers_data()
{
    QTest::addColumn<QString>("fontText");
    QTest::newRow("colour") << "黑体;white;26;[fsBold];";
    QTest::newRow("size") << "黑体;0;big;[];";
    QTest::newRow("empty") << "";
    QTest::newRow("name only") << "黑体;";
}

void TestValueCodec::fontSpecRejectsNonNumbers()
{
    QFETCH(QString, fontText);
    QVERIFY_THROWS_EXCEPTION(ConversionError, ApplyFontSpec(fontText));
}

void TestValueCodec::colours_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("white") << 16777215 << QColor(255, 255, 255);
    QTest::newRow("red is the low byte") << 255 << QColor(255, 0, 0);
    QTest::newRow("blue is the high byte") << 0xFF0000 << QColor(0, 0, 255);
    QTest::newRow("status panel") << 7945472 << QColor(0x00, 0x3D, 0x79);
}

void TestValueCodec::colours()
{
    QFETCH(int, stored);
    QFETCH(QColor, colour);
    QCOMPARE(colourFromStored(stored), colour);
    QCOMPARE(colourToStored(colour), stored);
}

void TestValueCodec::systemColours()
{
    QPalette p;
    p.setColor(QPalette::WindowText, QColor(1, 2, 3));
    p.setColor(QPalette::Highlight, QColor(4, 5, 6));
    p.setColor(QPalette::Button, QColor(7, 8, 9));
    p.setColor(QPalette::Base, QColor(10, 11, 12));
    QCOMPARE(colourFromStored(-16777208, p), QColor(1, 2, 3));             // window text
    QCOMPARE(colourFromStored(qint32(0xFF00000D), p), QColor(4, 5, 6));    // highlight
    QCOMPARE(colourFromStored(qint32(0xFF00000F), p), QColor(7, 8, 9));    // button face
    QCOMPARE(colourFromStored(qint32(0xFF000005), p), QColor(10, 11, 12)); // window
}

void TestValueCodec::starMask_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QString>("result");
    QTest::newRow("middle") << "一二三四五" << 2 << 3 << "*"
                            << "一***五";
    QTest::newRow("no symbol") << "一二三四五" << 2 << 3 << ""
                               << "一二三四五";
    QTest::newRow("past the end") << "一二三四五" << 4 << 5 << "*"
                                  << "一二三**";
    QTest::newRow("start 0") << "一二三四五" << 0 << 3 << "#"
                             << "##三四五";
    QTest::newRow("count 0") << "一二三四五" << 1 << 0 << "*"
                             << "一二三四五";
    QTest::newRow("start past the end") << "abc" << 9 << 2 << "*"
                                        << "abc";
    QTest::newRow("negative start") << "abcdef" << -2 << 5 << "*"
                                    << "**cdef";
    QTest::newRow("huge count") << "abc" << 2 << 2147483647 << "*"
                                << "a**";
    QTest::newRow("empty text") << "" << 1 << 3 << "*"
                                << "";
    QTest::newRow("longer symbol uses its first character") << "abcd" << 2 << 2 << "@#"
                                                            << "a@@d";
}

void TestValueCodec::starMask()
{
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, count);
    QFETCH(QString, symbol);
    QFETCH(QString, result);
    QCOMPARE(varnel::starMask(text, {start, count, symbol}), result);
}

void TestValueCodec::sampleText()
{
    const QString s = starMaskSampleText();
    QCOMPARE(s.size(), 11);
    QVERIFY(s.at(0).script() == QChar::Script_Han && s.at(1).script() == QChar::Script_Han);
    QCOMPARE(s.at(2), QLatin1Char('-'));
    for (int i = 3; i < 11; ++i)
        QVERIFY(s.at(i).isDigit());
    QCOMPARE(varnel::starMask(s, {4, 4, QStringLiteral("*")}), QStringLiteral("张三-****5678"));
}

void TestValueCodec::fullWidth_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::newRow("letters space digit")
        << "A b1" << QString(QChar(0xFF21)) + QChar(0x3000) + QChar(0xFF42) + QChar(0xFF11);
    QTest::newRow("cjk unchanged") << "张三"
                                   << "张三";
    QTest::newRow("tilde") << "~" << QString(QChar(0xFF5E));
    QTest::newRow("delete unchanged") << QString(QChar(127)) << QString(QChar(127));
    QTest::newRow("empty") << ""
                           << "";
}

void TestValueCodec::fullWidth()
{
    QFETCH(QString, in);
    QFETCH(QString, out);
    QCOMPARE(ToFullWidth(in), out);
}

QTEST_MAIN(TestValueCodec)
#include "test_value_codec.moc"
