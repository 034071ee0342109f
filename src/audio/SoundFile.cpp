#include "audio/SoundFile.h"

#include "audio/SoundHeader.h"
#include "core/RegularFile.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace fb {
namespace {

// A relative path that starts with the "assets" folder (after any ".") and
// never climbs out of it.
bool IsUnderAssets(const std::string& path)
{
    const std::filesystem::path name(path);
    if (name.has_root_path())
        return false;
    bool underAssets = false;
    int partsBelow = 0;
    for (const std::filesystem::path& part : name) {
        if (part == "..")
            return false;
        if (underAssets)
            ++partsBelow;
        else if (part == "assets")
            underAssets = true;
        else if (part != ".")
            return false;
    }
    return partsBelow > 0;
}

// What the mixer makes of a second of sound: every sound is converted to its format.
double MixedBytesPerSecond()
{
    int rate = 0, channels = 0;
    Uint16 format = 0;
    if (!Mix_QuerySpec(&rate, &format, &channels))
        return 0.0;
    return static_cast<double>(rate) * channels * (SDL_AUDIO_BITSIZE(format) / 8);
}

std::string Megabytes(double bytes)
{
    return std::to_string(static_cast<long long>(std::ceil(bytes / (1 << 20)))) + " MiB";
}

} // namespace

Mix_Chunk* DecodeSoundFile(const std::string& path, std::size_t bytesLeft, std::string& failure)
{
    if (!IsUnderAssets(path)) {
        failure = "the file lies outside the game's assets folder";
        return nullptr;
    }
    std::string bytes;
    const RegularFileStatus status = ReadRegularFile(path, kMaxSoundFileBytes, bytes);
    if (status != RegularFileStatus::Read) {
        failure = "the file " + DescribeFileFailure(status, kMaxSoundFileBytes);
        return nullptr;
    }
    const std::optional<SoundHeader> header = ReadSoundHeader(bytes, failure);
    if (!header)
        return nullptr;
    if (!(header->seconds <= kMaxSoundSeconds)) {
        // Capped only so that the figure converts; any such file is far too long.
        const auto seconds = static_cast<long long>(std::min(header->seconds, 1e15));
        failure = "it plays for " + std::to_string(seconds) + " s, longer than the " +
                  std::to_string(static_cast<int>(kMaxSoundSeconds)) + " s a sound may last";
        return nullptr;
    }
    const double bytesPerSecond = MixedBytesPerSecond();
    const double expected = header->seconds * bytesPerSecond;
    if (expected > static_cast<double>(bytesLeft)) {
        failure = "decoded it would take " + Megabytes(expected) + ", more than the " +
                  Megabytes(static_cast<double>(bytesLeft)) + " left for decoded sounds";
        return nullptr;
    }
    Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
    if (!chunk) {
        failure = Mix_GetError();
        return nullptr;
    }
    // The headers bound what a decoder makes of the file; this only guards
    // against a decoder that found more than they said.
    if (chunk->alen > bytesLeft || chunk->alen > kMaxSoundSeconds * bytesPerSecond) {
        Mix_FreeChunk(chunk);
        failure = "it decoded to more than its headers said it holds";
        return nullptr;
    }
    return chunk;
}

} // namespace fb
