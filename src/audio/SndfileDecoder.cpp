#include "audio/SoundDecoders.h"

#include <sndfile.h>

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace fb {
namespace {

constexpr sf_count_t kBlockFrames = 4096;

SoundBytes& BytesOf(void* data)
{
    return *static_cast<SoundBytes*>(data);
}

SF_VIRTUAL_IO MemoryIo()
{
    SF_VIRTUAL_IO io{};
    io.get_filelen = [](void* data) { return static_cast<sf_count_t>(BytesOf(data).bytes.size()); };
    io.seek = [](sf_count_t offset, int whence, void* data) {
        return static_cast<sf_count_t>(BytesOf(data).Seek(offset, whence));
    };
    io.read = [](void* into, sf_count_t count, void* data) {
        return static_cast<sf_count_t>(BytesOf(data).Read(into, count));
    };
    io.tell = [](void* data) { return static_cast<sf_count_t>(BytesOf(data).at); };
    return io;
}

std::uint64_t ChunkSize(std::string_view bytes, std::size_t at, bool bigEndian)
{
    std::uint64_t size = 0;
    for (int i = 0; i < 4; ++i) {
        const auto byte = static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[at + 4 + i]));
        size |= byte << (8 * (bigEndian ? 3 - i : i));
    }
    return size;
}

// libsndfile reads the chunks of a WAV file's LIST chunks without checking
// that they end inside it, and one whose size runs past its LIST's end can
// keep it reading for ever: such a file is refused before libsndfile sees
// it. Other chunks may run past the end of a cut-short file, which plays
// what it holds.
bool ListChunksEndInside(std::string_view bytes)
{
    if (bytes.size() < 12 || (bytes.substr(0, 4) != "RIFF" && bytes.substr(0, 4) != "RIFX") ||
        bytes.substr(8, 4) != "WAVE")
        return true;
    const bool bigEndian = bytes[3] == 'X';
    std::uint64_t at = 12;
    while (at + 8 <= bytes.size()) {
        const std::uint64_t end = at + 8 + ChunkSize(bytes, at, bigEndian);
        if (bytes.substr(at, 4) == "LIST") {
            if (end > bytes.size())
                return false;
            for (std::uint64_t inner = at + 12; inner + 8 <= end;) {
                const std::uint64_t innerEnd = inner + 8 + ChunkSize(bytes, inner, bigEndian);
                if (innerEnd > end)
                    return false;
                inner = innerEnd + (innerEnd & 1);
            }
        }
        at = end + (end & 1);
    }
    return true;
}

bool IsPlayedFormat(int format)
{
    switch (format & SF_FORMAT_TYPEMASK) {
    case SF_FORMAT_WAV:
    case SF_FORMAT_WAVEX:
    case SF_FORMAT_FLAC: return true;
    case SF_FORMAT_OGG: {
        const int codec = format & SF_FORMAT_SUBMASK;
        return codec == SF_FORMAT_VORBIS || codec == SF_FORMAT_OPUS;
    }
    default: return false;
    }
}

struct CloseSound {
    void operator()(SNDFILE* sound) const { sf_close(sound); }
};

} // namespace

DecodeStatus DecodeWithSndfile(std::string_view bytes, ChunkBuilder& builder, std::string& failure)
{
    if (!ListChunksEndInside(bytes)) {
        failure = "a chunk of its LIST chunk runs past the LIST's end";
        return DecodeStatus::Failed;
    }
    SoundBytes file{bytes};
    SF_VIRTUAL_IO io = MemoryIo();
    SF_INFO info{};
    const std::unique_ptr<SNDFILE, CloseSound> sound(sf_open_virtual(&io, SFM_READ, &info, &file));
    // libsndfile stops an MP3 where its first frames say it ends, which a
    // file without a Xing header need not: those are left to libmpg123.
    if (!sound || (info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_MPEG)
        return DecodeStatus::NotThisFormat;
    if (!IsPlayedFormat(info.format)) {
        failure = kNotAPlayedSound;
        return DecodeStatus::Failed;
    }
    if (!builder.Start(AUDIO_F32SYS, info.channels, info.samplerate, failure))
        return DecodeStatus::Failed;
    std::vector<float> block(static_cast<std::size_t>(kBlockFrames * info.channels));
    sf_count_t got = 0;
    while ((got = sf_readf_float(sound.get(), block.data(), kBlockFrames)) > 0) {
        if (!builder.Add(block.data(), static_cast<int>(got), failure))
            return DecodeStatus::Failed;
    }
    return DecodeStatus::Decoded;
}

} // namespace fb
