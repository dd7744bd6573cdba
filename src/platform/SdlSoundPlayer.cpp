#include "platform/Sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

namespace varnel {

namespace {

// All players share one mixer channel, like the one system sound player they stand in for:
// whatever plays last replaces what was playing.
constexpr int kChannel = 0;

Mix_Chunk* chunk(void* p)
{
    return static_cast<Mix_Chunk*>(p);
}

} // namespace

SdlSoundPlayer::SdlSoundPlayer()
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return; // no audio driver: silent for the player's whole life
    // A short buffer so the sound answers the operator's key at once.
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    m_open = true;
}

SdlSoundPlayer::~SdlSoundPlayer()
{
    if (!m_open)
        return;
    if (m_chunk) {
        if (Mix_GetChunk(kChannel) == chunk(m_chunk))
            Mix_HaltChannel(kChannel);
        Mix_FreeChunk(chunk(m_chunk));
    }
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlSoundPlayer::playLoop(const QByteArray& wav)
{
    play(wav, -1);
}

void SdlSoundPlayer::playOnce(const QByteArray& wav)
{
    play(wav, 0);
}

void SdlSoundPlayer::stop()
{
    if (!m_open)
        return;
    Mix_HaltChannel(kChannel);
    if (m_chunk) {
        // Halting returns only once the mixer has let go of the chunk, so it is safe to free.
        Mix_FreeChunk(chunk(m_chunk));
        m_chunk = nullptr;
    }
    m_data.clear();
}

bool SdlSoundPlayer::isPlaying() const
{
    return m_open && m_chunk && Mix_Playing(kChannel) && Mix_GetChunk(kChannel) == chunk(m_chunk);
}

void SdlSoundPlayer::play(const QByteArray& wav, int loops)
{
    // A new sound replaces the old one, even when the new one turns out to be unplayable.
    stop();
    if (!m_open || wav.isEmpty())
        return;
    m_data = wav; // our own copy, independent of the caller's buffer
    SDL_RWops* rw = SDL_RWFromConstMem(m_data.constData(), int(m_data.size()));
    if (!rw)
        return;
    Mix_Chunk* c = Mix_LoadWAV_RW(rw, 1);
    if (!c) {
        m_data.clear();
        return; // not a sound SDL can read: stay silent
    }
    m_chunk = c;
    if (Mix_PlayChannel(kChannel, c, loops) < 0) {
        Mix_FreeChunk(c);
        m_chunk = nullptr;
        m_data.clear();
    }
}

} // namespace varnel
