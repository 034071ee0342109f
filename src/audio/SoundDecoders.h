#pragma once

#include "audio/ChunkBuilder.h"

#include <cstddef>
#include <string>
#include <string_view>

// The sound-file libraries that decode the game's sounds, each reading the
// bytes of a file already read into memory and handing its samples block by
// block to a ChunkBuilder, which bounds them.
namespace fb {

// Why a file that no library here plays is refused.
inline constexpr const char* kNotAPlayedSound = "not a WAV, MP3, Ogg Vorbis, Ogg Opus or FLAC file";

enum class DecodeStatus {
    Decoded,
    // The library found no sound of its formats in the bytes.
    NotThisFormat,
    // The reason is in failure.
    Failed,
};

// libsndfile: WAV in its common encodings (WAVE_FORMAT_EXTENSIBLE too),
// FLAC, Ogg Vorbis and Ogg Opus. Other formats that it reads are refused
// (kNotAPlayedSound);
// MP3 is left to DecodeMp3, which finds every frame.
DecodeStatus DecodeWithSndfile(std::string_view bytes, ChunkBuilder& builder, std::string& failure);

// libmpg123: MPEG audio from its first frame (audio/MpegFrames.h) after any
// ID3 tags, gapless where the encoder left its delay and padding in a Xing
// header.
DecodeStatus DecodeMp3(std::string_view bytes, ChunkBuilder& builder, std::string& failure);

// A read position over the bytes, for the libraries' read and seek callbacks.
struct SoundBytes {
    std::string_view bytes;
    std::size_t at = 0;

    // As read: a count of 0 or less reads nothing.
    long long Read(void* into, long long count);
    // As lseek: the new position, or -1 for one outside the bytes or an
    // unknown whence.
    long long Seek(long long offset, int whence);
};

} // namespace fb
