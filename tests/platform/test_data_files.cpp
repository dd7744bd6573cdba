// The files delivered beside the program and the built-in pictures.
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTest>
#include <QtEndian>

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

QString dataPath(const char* name)
{
    return QStringLiteral(VARNEL_DATA_DIR "/") + QLatin1String(name);
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Wav {
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<int> samples; // first channel
    bool ok = false;
};

// Walks the RIFF chunks as any player would.
Wav parseWav(const QByteArray& b)
{
    Wav w;
    if (b.size() < 12 || !b.startsWith("RIFF") || b.mid(8, 4) != "WAVE")
        return w;
    auto u16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(b.constData() + at); };
    auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(b.constData() + at); };
    bool haveFmt = false;
    for (qsizetype at = 12; at + 8 <= b.size();) {
        const QByteArray id = b.mid(at, 4);
        const qsizetype len = u32(at + 4), body = at + 8;
        if (body + len > b.size())
            return w;
        if (id == "fmt " && len >= 16) {
            w.format = u16(body);
            w.channels = u16(body + 2);
            w.rate = int(u32(body + 4));
            w.bits = u16(body + 14);
            haveFmt = true;
        } else if (id == "data" && haveFmt && w.bits == 16 && w.channels > 0) {
            const qsizetype frame = 2 * w.channels;
            if (len % frame != 0)
                return w;
            for (qsizetype i = body; i < body + len; i += frame)
                w.samples.push_back(qFromLittleEndian<qint16>(b.constData() + i));
            w.ok = true;
        }
        at = body + len + (len & 1);
    }
    return w;
}

double rms(const std::vector<int>& s, size_t from, size_t count)
{
    double sum = 0;
    for (size_t i = from; i < from + count; ++i)
        sum += double(s[i]) * s[i];
    return std::sqrt(sum / double(count));
}

} // namespace

class TestDataFiles : public QObject {
    Q_OBJECT

private slots:
    void blankPictureInResourceDatabase()
    {
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open_v2(QFile::encodeName(dataPath("set.axc")).constData(), &db,
                                 SQLITE_OPEN_READONLY, nullptr),
                 SQLITE_OK);
        sqlite3_stmt* st = nullptr;
        QCOMPARE(
            sqlite3_prepare_v2(db, "select pic from z_pic where name = '空图'", -1, &st, nullptr),
            SQLITE_OK);
        QCOMPARE(sqlite3_step(st), SQLITE_ROW);
        const QByteArray jpeg(static_cast<const char*>(sqlite3_column_blob(st, 0)),
                              sqlite3_column_bytes(st, 0));
        sqlite3_finalize(st);
        sqlite3_close(db);
        QVERIFY(jpeg.startsWith("\xFF\xD8"));
        const QImage img = QImage::fromData(jpeg, "JPEG");
        QVERIFY(!img.isNull());
        QVERIFY(img.width() >= 100 && img.height() >= 100);
    }

    void pictures_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QSize>("size");
        QTest::newRow("BJ001.JPG")
            << dataPath("bmp/BJ001.JPG") << QByteArray("jpeg") << QSize(1920, 1080);
        for (const char* b : {"start1.png", "start2.png", "stop1.png", "stop2.png"})
            QTest::newRow(b) << dataPath(b) << QByteArray("png") << QSize(360, 100);
        QTest::newRow(":/banner.png") << ":/banner.png" << QByteArray("png") << QSize(749, 57);
        QTest::newRow(":/lock_open.png") << ":/lock_open.png" << QByteArray("png") << QSize(18, 18);
        QTest::newRow(":/lock_closed.png")
            << ":/lock_closed.png" << QByteArray("png") << QSize(18, 18);
        QTest::newRow(":/zjqd_background.jpg")
            << ":/zjqd_background.jpg" << QByteArray("jpeg") << QSize(1920, 1080);
        QTest::newRow(":/app_icon.png") << ":/app_icon.png" << QByteArray("png") << QSize(256, 256);
        QTest::newRow(":/add_term.png") << ":/add_term.png" << QByteArray("png") << QSize(20, 20);
        QTest::newRow(":/remove_term.png")
            << ":/remove_term.png" << QByteArray("png") << QSize(20, 20);
    }
    void pictures()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, format);
        QFETCH(QSize, size);
        QImageReader reader(path);
        QCOMPARE(reader.format(), format);
        const QImage img = reader.read();
        QVERIFY2(!img.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(img.size(), size);
    }

    void buttonPressedStateIsDarker_data()
    {
        QTest::addColumn<QString>("rest");
        QTest::addColumn<QString>("pressed");
        QTest::newRow("start") << "start1.png"
                               << "start2.png";
        QTest::newRow("stop") << "stop1.png"
                              << "stop2.png";
    }
    void buttonPressedStateIsDarker()
    {
        QFETCH(QString, rest);
        QFETCH(QString, pressed);
        auto lightness = [](const QString& name) {
            const QImage img(QStringLiteral(VARNEL_DATA_DIR "/") + name);
            // Transparent outside the rounded face, so it sits on any background.
            if (img.pixelColor(0, 0).alpha() != 0)
                return -1.0;
            double sum = 0;
            int n = 0;
            for (int y = 20; y < 80; y += 2)
                for (int x = 40; x < 320; x += 4, ++n)
                    sum += img.pixelColor(x, y).lightnessF();
            return sum / n;
        };
        const double r = lightness(rest), p = lightness(pressed);
        QVERIFY(r > 0 && p > 0);
        QVERIFY2(p < r * 0.92, qPrintable(QStringLiteral("rest %1 pressed %2").arg(r).arg(p)));
    }

    void sounds_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("minSeconds");
        QTest::addColumn<double>("maxSeconds");
        QTest::newRow("dada.wav") << "Sound/dada.wav" << 1.5 << 3.0;
        QTest::newRow("ding.wav") << "Sound/ding.wav" << 1.0 << 4.0;
    }
    void sounds()
    {
        QFETCH(QString, name);
        QFETCH(double, minSeconds);
        QFETCH(double, maxSeconds);
        const Wav w = parseWav(readAll(QStringLiteral(VARNEL_DATA_DIR "/") + name));
        QVERIFY(w.ok);
        QCOMPARE(w.format, 1); // PCM
        QCOMPARE(w.bits, 16);
        QVERIFY(w.rate >= 22050);
        const double seconds = double(w.samples.size()) / w.rate;
        QVERIFY(seconds >= minSeconds && seconds <= maxSeconds);
        const int peak =
            std::abs(*std::max_element(w.samples.begin(), w.samples.end(),
                                       [](int a, int b) { return std::abs(a) < std::abs(b); }));
        QVERIFY2(peak > 8000 && peak < 32767, "audible and not clipped");
    }

    void rollLoopsWithoutAJump()
    {
        const Wav w = parseWav(readAll(dataPath("Sound/dada.wav")));
        QVERIFY(w.ok);
        const std::vector<int>& s = w.samples;
        std::vector<int> steps;
        for (size_t i = 1; i < s.size(); ++i)
            steps.push_back(std::abs(s[i] - s[i - 1]));
        std::nth_element(steps.begin(), steps.begin() + steps.size() / 2, steps.end());
        const int medianStep = steps[steps.size() / 2];
        // Playing the last sample then the first must be an ordinary step, near silence.
        const int seam = std::abs(s.front() - s.back());
        QVERIFY2(seam <= medianStep,
                 qPrintable(QStringLiteral("seam %1 median %2").arg(seam).arg(medianStep)));
        QVERIFY(std::abs(s.front()) < 1000 && std::abs(s.back()) < 1000);
        // A steady roll: no swell or gap that would pulse once per loop.
        const size_t window = size_t(w.rate) / 10;
        std::vector<double> levels;
        for (size_t at = 0; at + window <= s.size(); at += window)
            levels.push_back(rms(s, at, window));
        const auto [lo, hi] = std::minmax_element(levels.begin(), levels.end());
        QVERIFY2(*lo > 0.7 * *hi, qPrintable(QStringLiteral("%1..%2").arg(*lo).arg(*hi)));
    }

    void bellDecaysToSilence()
    {
        const Wav w = parseWav(readAll(dataPath("Sound/ding.wav")));
        QVERIFY(w.ok);
        const std::vector<int>& s = w.samples;
        const size_t window = size_t(w.rate) / 10;
        QCOMPARE(s.front(), 0);
        QCOMPARE(s.back(), 0);
        const double start = rms(s, 0, window), middle = rms(s, s.size() / 2, window),
                     end = rms(s, s.size() - window, window);
        QVERIFY(start > middle && middle > end);
        QVERIFY(end < 0.1 * start);
    }
};

QTEST_MAIN(TestDataFiles)
#include "test_data_files.moc"
