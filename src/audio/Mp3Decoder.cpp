#include "audio/MpegFrames.h"
#include "audio/SoundDecoders.h"

#include <mpg123.h>

#include <algorithm>
#include <array>
#include <limits>
#include <memory>

namespace fb {
namespace {

constexpr int kBlockFrames = 4096;
// When the bytes after a frame are no frame header (damage, or junk between
// frames), how many of them the decoder searches for the next header before
// it ends the sound there: libmpg123's own default, longer than a frame at
// the bit rates sound effects are made at (836 bytes at 256 kbit/s and
// 44.1 kHz), so one damaged frame is skipped, while what follows a longer
// run of junk is not searched for frames.
constexpr long kResyncBytes = 1024;

struct DeleteHandle {
    void operator()(mpg123_handle* handle) const { mpg123_delete(handle); }
};

// Asks for 16-bit samples, the mixer's own, at every rate and layout MPEG has.
bool Configure(mpg123_handle* handle)
{
    const long* rates = nullptr;
    std::size_t count = 0;
    mpg123_rates(&rates, &count);
    bool configured = mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0.0) == MPG123_OK &&
                      mpg123_param(handle, MPG123_RESYNC_LIMIT, kResyncBytes, 0.0) == MPG123_OK &&
                      mpg123_format_none(handle) == MPG123_OK;
    for (std::size_t i = 0; i < count; ++i)
        configured = configured &&
                     mpg123_format(handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16) == MPG123_OK;
    return configured;
}

} // namespace

DecodeStatus DecodeMp3(std::string_view bytes, ChunkBuilder& builder, std::string& failure)
{
    // The decoder starts at the first frame: the tags before it are not sound.
    const std::size_t firstFrame = FindFirstMpegFrame(bytes);
    if (firstFrame == std::string_view::npos)
        return DecodeStatus::NotThisFormat;
    const std::unique_ptr<mpg123_handle, DeleteHandle> handle(mpg123_new(nullptr, nullptr));
    SoundBytes file{bytes.substr(firstFrame)};
    const auto read = [](void* data, void* into, std::size_t count) {
        const auto most = static_cast<std::size_t>(std::numeric_limits<long long>::max());
        return static_cast<mpg123_ssize_t>(
            static_cast<SoundBytes*>(data)->Read(into, static_cast<long long>(std::min(count, most))));
    };
    const auto seek = [](void* data, off_t offset, int whence) {
        return static_cast<off_t>(static_cast<SoundBytes*>(data)->Seek(offset, whence));
    };
    if (!handle || !Configure(handle.get()) ||
        mpg123_replace_reader_handle(handle.get(), read, seek, nullptr) != MPG123_OK ||
        mpg123_open_handle(handle.get(), &file) != MPG123_OK)
        return DecodeStatus::NotThisFormat;

    std::array<short, 2 * kBlockFrames> block{};
    int channels = 0;
    for (;;) {
        std::size_t done = 0;
        const int result = mpg123_read(handle.get(), block.data(), sizeof block, &done);
        if (result == MPG123_NEW_FORMAT) {
            long rate = 0;
            int encoding = 0;
            mpg123_getformat(handle.get(), &rate, &channels, &encoding);
            if (!builder.Start(AUDIO_S16SYS, channels, static_cast<int>(rate), failure))
                return DecodeStatus::Failed;
        }
        if (done > 0 && channels > 0 && !builder.Add(block.data(), static_cast<int>(done / (2 * channels)), failure))
            return DecodeStatus::Failed;
        // A damaged stream plays as far as it decodes.
        if (result != MPG123_OK && result != MPG123_NEW_FORMAT)
            break;
    }
    return builder.Started() ? DecodeStatus::Decoded : DecodeStatus::NotThisFormat;
}

} // namespace fb
