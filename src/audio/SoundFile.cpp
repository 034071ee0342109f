#include "audio/SoundFile.h"

#include "audio/SoundDecoders.h"
#include "core/RegularFile.h"

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
    return DecodeSoundBytes(bytes, bytesLeft, failure);
}

Mix_Chunk* DecodeSoundBytes(std::string_view bytes, std::size_t bytesLeft, std::string& failure)
{
    ChunkBuilder builder(bytesLeft);
    DecodeStatus status = DecodeWithSndfile(bytes, builder, failure);
    if (status == DecodeStatus::NotThisFormat)
        status = DecodeMp3(bytes, builder, failure);
    if (status == DecodeStatus::NotThisFormat)
        failure = kNotAPlayedSound;
    return status == DecodeStatus::Decoded ? builder.Finish(failure) : nullptr;
}

} // namespace fb
