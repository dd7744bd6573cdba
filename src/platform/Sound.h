#pragma once

#include <QByteArray>
#include <QStringList>

namespace varnel {

// Sound seam: in-memory WAV data, played asynchronously. A new play replaces the sound playing.
// Without an audio device everything is silent; nothing here ever reports an error.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void playLoop(const QByteArray& wav) = 0;
    virtual void playOnce(const QByteArray& wav) = 0;
    virtual void stop() = 0;
};

// SDL2_mixer implementation (one channel). The player keeps its own copy of the data for as
// long as it plays.
class SdlSoundPlayer final : public SoundPlayer {
public:
    SdlSoundPlayer();
    ~SdlSoundPlayer() override;
    SdlSoundPlayer(const SdlSoundPlayer&) = delete;
    SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

    void playLoop(const QByteArray& wav) override;
    void playOnce(const QByteArray& wav) override;
    void stop() override;
    bool hasDevice() const { return m_open; }
    // True while this player's sound is audible (false without a device).
    bool isPlaying() const;

private:
    void play(const QByteArray& wav, int loops);
    bool m_open = false;
    void* m_chunk = nullptr; // Mix_Chunk*
    QByteArray m_data;
};

// Test implementation: records each call ("loop:<size>", "once:<size>", "stop").
class RecordingSoundPlayer final : public SoundPlayer {
public:
    void playLoop(const QByteArray& wav) override
    {
        calls << QStringLiteral("loop:%1").arg(wav.size());
        last = wav;
    }
    void playOnce(const QByteArray& wav) override
    {
        calls << QStringLiteral("once:%1").arg(wav.size());
        last = wav;
    }
    void stop() override { calls << QStringLiteral("stop"); }
    QStringList calls;
    QByteArray last;
};

} // namespace varnel
