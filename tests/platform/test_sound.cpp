#include "platform/Sound.h"

#include <QFile>
#include <QTest>
#include <QtEndian>

#include <cmath>
#include <memory>

using namespace varnel;

namespace {

// A mono 16-bit PCM WAV of a sine tone.
QByteArray toneWav(int ms, double hz = 440)
{
    const int rate = 22050, n = rate * ms / 1000;
    QByteArray out("RIFF----WAVEfmt ");
    auto u32 = [&](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        out.append(b, 4);
    };
    auto u16 = [&](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        out.append(b, 2);
    };
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    out.append("data", 4);
    u32(quint32(n * 2));
    for (int i = 0; i < n; ++i)
        u16(quint16(qint16(8000 * std::sin(2 * M_PI * hz * i / rate))));
    qToLittleEndian(quint32(out.size() - 8), out.data() + 4);
    return out;
}

QByteArray dataFile(const char* name)
{
    QFile f(QStringLiteral(VARNEL_DATA_DIR "/Sound/") + QLatin1String(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestSound : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("SDL_AUDIODRIVER", "dummy"); }

    void loopKeepsPlayingUntilStopped()
    {
        SdlSoundPlayer player;
        QVERIFY(player.hasDevice());
        player.playLoop(toneWav(60));
        QVERIFY(player.isPlaying());
        QTest::qWait(300); // several times the sound's length
        QVERIFY(player.isPlaying());
        player.stop();
        QVERIFY(!player.isPlaying());
        player.stop(); // stopping twice is harmless
        QVERIFY(!player.isPlaying());
    }

    void onceEndsByItself()
    {
        SdlSoundPlayer player;
        player.playOnce(toneWav(80));
        QVERIFY(player.isPlaying());
        QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(), 3000);
    }

    void bundledSoundsPlay_data()
    {
        QTest::addColumn<QByteArray>("wav");
        QTest::newRow("dada.wav") << dataFile("dada.wav");
        QTest::newRow("ding.wav") << dataFile("ding.wav");
    }
    void bundledSoundsPlay()
    {
        QFETCH(QByteArray, wav);
        QVERIFY(!wav.isEmpty());
        SdlSoundPlayer player;
        player.playLoop(wav);
        QVERIFY(player.isPlaying());
    }

    void newPlayReplacesTheOld_data()
    {
        QTest::addColumn<QByteArray>("second");
        QTest::addColumn<bool>("playingAfter");
        QTest::newRow("another sound") << toneWav(200, 660) << true;
        // An unplayable or empty sound still ends the one before, as silence.
        QTest::newRow("garbage bytes") << QByteArray(5000, '\x5a') << false;
        QTest::newRow("truncated header") << toneWav(200).left(30) << false;
        QTest::newRow("empty") << QByteArray() << false;
    }
    void newPlayReplacesTheOld()
    {
        QFETCH(QByteArray, second);
        QFETCH(bool, playingAfter);
        SdlSoundPlayer player;
        player.playLoop(toneWav(100));
        QVERIFY(player.isPlaying());
        player.playOnce(second);
        QCOMPARE(player.isPlaying(), playingAfter);
        if (playingAfter) // the replacement plays once, so the loop is gone when it ends
            QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(), 3000);
    }

    void callerBufferMayGoAway()
    {
        SdlSoundPlayer player;
        {
            QByteArray wav = toneWav(150);
            player.playLoop(wav);
            wav.fill('\0'); // the player plays its own copy
        }
        QTest::qWait(50);
        QVERIFY(player.isPlaying());
    }

    void destroyedWhilePlaying()
    {
        auto player = std::make_unique<SdlSoundPlayer>();
        player->playLoop(toneWav(100));
        QTest::qWait(20);
        player.reset();
        SdlSoundPlayer next; // the mixer comes back for the next player
        next.playOnce(toneWav(50));
        QVERIFY(next.isPlaying());
    }

    void withoutDeviceEverythingIsSilent()
    {
        qputenv("SDL_AUDIODRIVER", "no-such-driver");
        {
            SdlSoundPlayer player;
            QVERIFY(!player.hasDevice());
            player.playLoop(toneWav(100));
            QVERIFY(!player.isPlaying());
            player.playOnce(QByteArray(100, 'x'));
            player.stop();
            QVERIFY(!player.isPlaying());
        }
        qputenv("SDL_AUDIODRIVER", "dummy");
    }
};

QTEST_MAIN(TestSound)
#include "test_sound.moc"
