#include "audio/ChunkBuilder.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace fb {
namespace {

std::string Megabytes(std::size_t bytes)
{
    return std::to_string((bytes + (1u << 20) - 1) >> 20) + " MiB";
}

} // namespace

ChunkBuilder::ChunkBuilder(std::size_t bytesLeft)
    // The mixer counts a sound's bytes in 32 bits.
    : mBytesLeft(std::min<std::size_t>(bytesLeft, std::numeric_limits<Uint32>::max()))
{
}

ChunkBuilder::~ChunkBuilder()
{
    if (mStream)
        SDL_FreeAudioStream(mStream);
    SDL_free(mBuffer);
}

bool ChunkBuilder::Start(SDL_AudioFormat format, int channels, int rate, std::string& failure)
{
    if (mStream && !EndFormat(failure))
        return false;
    int mixChannels = 0;
    Uint16 mixFormat = 0;
    if (!Mix_QuerySpec(&mMixRate, &mixFormat, &mixChannels)) {
        failure = "the mixer is not open";
        return false;
    }
    // SDL's resampler overflows its buffers far past the rates any encoder
    // writes, and converts no fewer than 512 frames at once, which at a few
    // frames a second make minutes of sound in one go: a header that claims
    // a rate no encoder writes is refused.
    constexpr int kFewestFramesASecond = 1000, kMostFramesASecond = 384000;
    if (rate < kFewestFramesASecond || rate > kMostFramesASecond) {
        failure = "its header says " + std::to_string(rate) + " Hz, outside the " +
                  std::to_string(kFewestFramesASecond) + " to " + std::to_string(kMostFramesASecond) +
                  " Hz a sound may play at";
        return false;
    }
    if (channels > 0 && channels <= 255)
        mStream = SDL_NewAudioStream(format, static_cast<Uint8>(channels), rate, mixFormat,
                                     static_cast<Uint8>(mixChannels), mMixRate);
    if (!mStream) {
        failure = "its " + std::to_string(channels) + " channels cannot be mixed";
        return false;
    }
    mFrameBytes = channels * (SDL_AUDIO_BITSIZE(format) / 8);
    mMixFrameBytes = mixChannels * (SDL_AUDIO_BITSIZE(mixFormat) / 8);
    mRate = rate;
    mFormatStart = mSize;
    return true;
}

bool ChunkBuilder::EndFormat(std::string& failure)
{
    // SDL's resampler holds the last frames it was given back until frames
    // after them come: silence follows them, a block at a time, until they
    // are all out, and is left in the stream. Zero bytes are silence in the
    // signed and float formats that the decoders hand over. A sound of at
    // least one frame plays for at least one frame of the mix.
    auto frames = static_cast<std::size_t>(std::llround(mFrames * mMixRate / mRate));
    if (mFrames > 0.0)
        frames = std::max<std::size_t>(frames, 1);
    const std::size_t end = mFormatStart + frames * static_cast<std::size_t>(mMixFrameBytes);
    constexpr int kSilenceFrames = 1024, kMostSilence = 64 * kSilenceFrames;
    const std::vector<Uint8> silence(static_cast<std::size_t>(kSilenceFrames * mFrameBytes), 0);
    for (int put = 0; put < kMostSilence && mSize < end; put += kSilenceFrames) {
        if (SDL_AudioStreamPut(mStream, silence.data(), static_cast<int>(silence.size())) != 0) {
            failure = SDL_GetError();
            return false;
        }
        if (!Drain(end, failure))
            return false;
    }
    SDL_FreeAudioStream(mStream);
    mStream = nullptr;
    mSecondsBefore += mFrames / mRate;
    mFrames = 0.0;
    return true;
}

bool ChunkBuilder::Add(const void* samples, int frames, std::string& failure)
{
    if (!mStream) {
        failure = "samples came before their format";
        return false;
    }
    if (mSecondsBefore + (mFrames + frames) / mRate > kMaxSoundSeconds) {
        failure = "it plays for longer than the " + std::to_string(static_cast<int>(kMaxSoundSeconds)) +
                  " s a sound may last";
        return false;
    }
    mFrames += frames;
    if (SDL_AudioStreamPut(mStream, samples, frames * mFrameBytes) != 0) {
        failure = SDL_GetError();
        return false;
    }
    return Drain(std::numeric_limits<std::size_t>::max(), failure);
}

bool ChunkBuilder::Drain(std::size_t upTo, std::string& failure)
{
    const auto available =
        std::min(static_cast<std::size_t>(SDL_AudioStreamAvailable(mStream)), upTo - std::min(upTo, mSize));
    // The resampler may hold back all that a short block makes.
    if (available == 0)
        return true;
    if (mSize + available > mBytesLeft) {
        failure = "decoded it takes more than the " + Megabytes(mBytesLeft) + " left for decoded sounds";
        return false;
    }
    if (!Reserve(mSize + available)) {
        failure = "out of memory";
        return false;
    }
    const int got = SDL_AudioStreamGet(mStream, mBuffer + mSize, static_cast<int>(available));
    if (got < 0) {
        failure = SDL_GetError();
        return false;
    }
    mSize += static_cast<std::size_t>(got);
    return true;
}

bool ChunkBuilder::Reserve(std::size_t bytes)
{
    if (bytes <= mCapacity)
        return true;
    // Doubling, so that a long sound is copied a few times, not once a block.
    const std::size_t capacity = std::min(std::max(bytes, 2 * mCapacity), mBytesLeft);
    auto* grown = static_cast<Uint8*>(SDL_realloc(mBuffer, capacity));
    if (!grown)
        return false;
    mBuffer = grown;
    mCapacity = capacity;
    return true;
}

Mix_Chunk* ChunkBuilder::Finish(std::string& failure)
{
    if (mStream && !EndFormat(failure))
        return nullptr;
    if (mSize == 0) {
        failure = "it holds no sound";
        return nullptr;
    }
    Mix_Chunk* chunk = Mix_QuickLoad_RAW(mBuffer, static_cast<Uint32>(mSize));
    if (!chunk) {
        failure = Mix_GetError();
        return nullptr;
    }
    // The buffer came from SDL_malloc: the mixer frees it with the chunk.
    chunk->allocated = 1;
    mBuffer = nullptr;
    mSize = mCapacity = 0;
    return chunk;
}

} // namespace fb
