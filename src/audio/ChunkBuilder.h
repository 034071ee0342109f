#pragma once

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstddef>
#include <string>

// Builds one decoded sound for the mixer out of the blocks a decoder hands
// it, converting each block to the mixer's format as it comes (SDL converts
// a block whole: the decoders' blocks of a few thousand frames make under
// 1 MiB, even at the lowest rate taken, 1 kHz). It stops taking blocks, with
// the reason, the moment the sound passes kMaxSoundSeconds or its converted
// bytes pass the budget it was given, so that no file decodes to more than
// either, whatever its headers say, and a load takes little more memory
// than the sound it keeps.
namespace fb {

inline constexpr double kMaxSoundSeconds = 600.0;

class ChunkBuilder {
public:
    explicit ChunkBuilder(std::size_t bytesLeft);
    ~ChunkBuilder();
    ChunkBuilder(const ChunkBuilder&) = delete;
    ChunkBuilder& operator=(const ChunkBuilder&) = delete;

    // What the blocks that follow hold (an SDL sample format such as
    // AUDIO_F32SYS, interleaved channels, frames a second). A stream whose
    // format changes part way calls it again.
    bool Start(SDL_AudioFormat format, int channels, int rate, std::string& failure);
    bool Started() const { return mStream != nullptr; }
    // One block of frames in the format last started.
    bool Add(const void* samples, int frames, std::string& failure);
    // The finished sound, which Mix_FreeChunk frees whole, or null with the
    // reason: nothing at all was decoded, or the last of it passed a bound.
    Mix_Chunk* Finish(std::string& failure);

private:
    bool EndFormat(std::string& failure);
    // Takes what the stream has converted, up to the given size of the sound.
    bool Drain(std::size_t upTo, std::string& failure);
    bool Reserve(std::size_t bytes);

    std::size_t mBytesLeft;
    SDL_AudioStream* mStream = nullptr;
    int mFrameBytes = 0;
    int mRate = 0;
    int mMixRate = 0;
    int mMixFrameBytes = 0;
    // Seconds of the formats started before the current one; frames of the
    // current one, and where in the sound it starts.
    double mSecondsBefore = 0.0;
    double mFrames = 0.0;
    std::size_t mFormatStart = 0;
    Uint8* mBuffer = nullptr;
    std::size_t mSize = 0;
    std::size_t mCapacity = 0;
};

} // namespace fb
