#include "TestProject.h"
#include "store/Pictures.h"

#include <QGuiApplication>
#include <QTest>

using namespace varnel;

namespace {

QByteArray jpeg(int w, int h)
{
    return TestProject::makeJpeg(w, h, QColor(10, 200, 30));
}
QByteArray png(int w, int h)
{
    return TestProject::makePng(w, h, QColor(10, 200, 30));
}
QByteArray bmp(int w, int h)
{
    return TestProject::makeBmp(w, h, QColor(10, 200, 30));
}

// A blank picture no decoded test picture can be mistaken for.
QImage blankPicture()
{
    QImage img(7, 5, QImage::Format_RGB32);
    img.fill(Qt::magenta);
    return img;
}

} // namespace

class TestPictures : public QObject {
    Q_OBJECT
private slots:
    void blobDecoders_data();
    void blobDecoders();
    void pictureLoader_data();
    void pictureLoader();
    void fitBitmap_data();
    void fitBitmap();
    void encodeJpegDecodes();
    void backgroundAndPrize();
};

void TestPictures::blobDecoders_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("blob");
    QTest::addColumn<QSize>("size"); // the blank's 7x5 when it must not decode
    QTest::newRow("jpeg") << "a.jpg" << jpeg(40, 30) << QSize(40, 30);
    QTest::newRow("png") << "logo.png" << png(20, 10) << QSize(20, 10);
    QTest::newRow("png name any case") << "logo.PnG" << png(20, 10) << QSize(20, 10);
    QTest::newRow("png name, jpeg bytes") << "logo.png" << jpeg(40, 30) << QSize(7, 5);
    QTest::newRow("jpeg name, png bytes") << "logo.jpg" << png(20, 10) << QSize(7, 5);
    QTest::newRow("bitmap bytes") << "a.jpg" << bmp(20, 10) << QSize(7, 5);
    QTest::newRow("empty") << "a.jpg" << QByteArray() << QSize(7, 5);
    QTest::newRow("garbage") << "a.jpg" << QByteArray("\xFF\xD8\xFF garbage", 11) << QSize(7, 5);
    QTest::newRow("garbage png") << "a.png" << QByteArray("\x89PNG\r\n\x1a\nxx", 10) << QSize(7, 5);
}

void TestPictures::blobDecoders()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, blob);
    QFETCH(QSize, size);
    const QImage blank = blankPicture();
    QCOMPARE(loadPictureBlobByName(fileName, blob, blank).size(), size);
    QCOMPARE(prizePicture(fileName, blob, blank).size(), size);
    if (size == QSize(7, 5))
        QCOMPARE(loadPictureBlobByName(fileName, blob, blank).pixelColor(3, 3),
                 QColor(Qt::magenta));
}

void TestPictures::pictureLoader_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size"); // invalid: the loader fails
    QTest::newRow("800x600 jpg") << "big.jpg" << jpeg(800, 600) << QSize(400, 300);
    QTest::newRow("300x200 unchanged") << "small.JPG" << jpeg(300, 200) << QSize(300, 200);
    QTest::newRow("jpeg extension") << "x.Jpeg" << jpeg(100, 100) << QSize(100, 100);
    QTest::newRow("tall bmp") << "tall.bmp" << bmp(200, 1000) << QSize(104, 520);
    QTest::newRow("png") << "a.png" << png(100, 100) << QSize();
    QTest::newRow("png bytes named jpg") << "a.jpg" << png(100, 100) << QSize();
    QTest::newRow("gif extension") << "a.gif" << jpeg(10, 10) << QSize();
    QTest::newRow("broken bmp") << "a.bmp" << QByteArray("BM not really a bitmap....") << QSize();
    QTest::newRow("missing file") << "" << QByteArray() << QSize();
}

void TestPictures::pictureLoader()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    TestProject tp(TestProject::folderOnly(false));
    QString path = tp.file("pics/" + fileName);
    if (fileName.isEmpty())
        path = tp.file("pics/none.jpg");
    else
        tp.writeFile("pics/" + fileName, bytes);
    const std::optional<QByteArray> out = loadPictureFile(path);
    QCOMPARE(out.has_value(), size.isValid());
    if (!out)
        return;
    QVERIFY(out->startsWith("BM"));
    const QImage img = loadParticipantPicture(*out, blankPicture());
    QCOMPARE(img.size(), size);
    // The colour survives the trip (the middle of a smooth gradient).
    QVERIFY(qAbs(img.pixelColor(size.width() / 2, size.height() / 2).green() - 220) < 40);
    // A JPEG is not a stored participant picture.
    QCOMPARE(loadParticipantPicture(jpeg(10, 10), blankPicture()).size(), QSize(7, 5));
}

void TestPictures::fitBitmap_data()
{
    QTest::addColumn<QSize>("in");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<bool>("keep");
    QTest::addColumn<bool>("force");
    QTest::addColumn<QSize>("out");
    QTest::newRow("loader 800x600")
        << QSize(800, 600) << QSize(400, 520) << true << false << QSize(400, 300);
    QTest::newRow("small stays") << QSize(300, 200) << QSize(400, 520) << true << false
                                 << QSize(300, 200);
    QTest::newRow("small forced grows")
        << QSize(100, 50) << QSize(300, 300) << false << true << QSize(300, 300);
    // 50 * 161 / 100 = 80.5: the half goes to the even neighbour.
    QTest::newRow("preview half to even")
        << QSize(100, 50) << QSize(161, 117) << true << true << QSize(161, 80);
    QTest::newRow("height bound") << QSize(400, 1040) << QSize(400, 520) << true << false
                                  << QSize(200, 520);
    QTest::newRow("thin line keeps a pixel")
        << QSize(1000, 1) << QSize(400, 520) << true << false << QSize(400, 1);
    QTest::newRow("wide only") << QSize(500, 100) << QSize(400, 520) << false << false
                               << QSize(400, 520);
}

void TestPictures::fitBitmap()
{
    QFETCH(QSize, in);
    QFETCH(QSize, box);
    QFETCH(bool, keep);
    QFETCH(bool, force);
    QFETCH(QSize, out);
    QImage img(in, QImage::Format_ARGB32);
    img.fill(Qt::red);
    FitBitmap(box.width(), box.height(), keep, force, img);
    QCOMPARE(img.size(), out);
    if (in != out)
        QCOMPARE(img.format(), QImage::Format_RGB888);
    QCOMPARE(img.pixelColor(out.width() / 2, out.height() / 2), QColor(Qt::red));
}

void TestPictures::encodeJpegDecodes()
{
    QImage img(161, 117, QImage::Format_ARGB32);
    img.fill(QColor(0, 0, 255, 128));
    const QByteArray bytes = encodeJpeg(img);
    QVERIFY(bytes.startsWith("\xFF\xD8"));
    QCOMPARE(LoadJpegBlob(bytes, blankPicture()).size(), QSize(161, 117));
}

void TestPictures::backgroundAndPrize()
{
    TestProject tp;
    const QImage blank = blankPicture();
    // The project background from the new project's "bmp/BJ001.JPG".
    const QImage project = backgroundPicture(tp.settings(), QString(), QByteArray(), blank);
    QCOMPARE(project.size(), LoadJpegBlob(tp.settings().readBlob("抽奖界面背景图"), blank).size());
    QVERIFY(project.size() != blank.size());
    // An item's own background wins, even when it does not decode.
    QCOMPARE(backgroundPicture(tp.settings(), "item.jpg", jpeg(33, 22), blank).size(),
             QSize(33, 22));
    QCOMPARE(backgroundPicture(tp.settings(), "item.jpg", QByteArray("x"), blank).size(),
             blank.size());
    // No project background: blank.
    tp.settings().save("抽奖界面背景图", "");
    QCOMPARE(backgroundPicture(tp.settings(), QString(), QByteArray(), blank).size(), blank.size());
    QCOMPARE(prizePicture(QString(), jpeg(33, 22), blank).size(), blank.size());
}

QTEST_MAIN(TestPictures)
#include "test_pictures.moc"
