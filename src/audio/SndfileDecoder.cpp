#include "audio/SoundDecoders.h"

#include <sndfile.h>

#include <memory>
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
        return static_cast<sf_count_t>(BytesOf(data).Read(into, static_cast<std::size_t>(count)));
    };
    io.tell = [](void* data) { return static_cast<sf_count_t>(BytesOf(data).at); };
    return io;
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
