#include "audio/MpegFrames.h"

#include <array>
#include <cstdint>
#include <optional>

namespace fb {
namespace {

struct FrameHeader {
    // The bits that stay the same from frame to frame of one stream: the
    // version, layer and sampling rate.
    std::uint32_t fixedBits;
    // 0 for a free-format frame, whose length only the next header tells.
    std::size_t unpaddedLength;
    std::size_t paddingBytes;
    // The length at the lowest bit rate of the table, which a free-format
    // frame passes.
    std::size_t shortestLength;
};

unsigned Byte(std::string_view bytes, std::size_t at)
{
    return static_cast<unsigned char>(bytes[at]);
}

// Kilobits a second by MPEG-1 or not, layer and bit-rate index.
constexpr std::array<std::array<std::array<int, 15>, 3>, 2> kBitRates = {{
    {{{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
      {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
      {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}}},
    {{{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
      {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
      {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}}},
}};
constexpr std::array<int, 3> kMpeg1Rates = {44100, 48000, 32000};

std::optional<FrameHeader> ReadFrameHeader(std::string_view bytes, std::size_t at)
{
    if (at + 4 > bytes.size() || Byte(bytes, at) != 0xff || (Byte(bytes, at + 1) & 0xe0) != 0xe0)
        return std::nullopt;
    const unsigned version = (Byte(bytes, at + 1) >> 3) & 3; // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5
    const unsigned layerBits = (Byte(bytes, at + 1) >> 1) & 3;
    const unsigned bitRate = Byte(bytes, at + 2) >> 4;
    const unsigned rateIndex = (Byte(bytes, at + 2) >> 2) & 3;
    if (version == 1 || layerBits == 0 || bitRate == 15 || rateIndex == 3)
        return std::nullopt;
    const int layer = 4 - static_cast<int>(layerBits);
    const bool mpeg1 = version == 3;
    const int rate = kMpeg1Rates[rateIndex] >> (mpeg1 ? 0 : version == 2 ? 1 : 2);
    const auto& bitRates = kBitRates[mpeg1 ? 0 : 1][layer - 1];
    // Layer I counts in slots of four bytes.
    const int slotBytes = layer == 1 ? 4 : 1;
    const int slotsAFrame = layer == 1 ? 12 : layer == 3 && !mpeg1 ? 72 : 144;
    const bool padded = (Byte(bytes, at + 2) >> 1) & 1;
    const std::uint32_t fixedBits = (Byte(bytes, at + 1) & 0xfe) << 8 | (Byte(bytes, at + 2) & 0x0c);
    const auto length = [&](unsigned index) {
        return static_cast<std::size_t>(slotsAFrame * 1000 * bitRates[index] / rate * slotBytes);
    };
    return FrameHeader{fixedBits, length(bitRate), static_cast<std::size_t>(padded ? slotBytes : 0), length(1)};
}

// A free-format frame's length without its padding: how far the next
// free-format header of the same stream lies.
std::size_t FreeFormatLength(std::string_view bytes, std::size_t at, const FrameHeader& header)
{
    constexpr std::size_t kLongestFreeFrame = 8192;
    for (std::size_t next = at + header.shortestLength + header.paddingBytes;
         next <= bytes.size() && next - at <= kLongestFreeFrame; ++next) {
        const auto found = ReadFrameHeader(bytes, next);
        if (found && found->fixedBits == header.fixedBits && found->unpaddedLength == 0)
            return next - at - header.paddingBytes;
    }
    return 0;
}

std::uint32_t LittleEndian32(std::string_view bytes, std::size_t at)
{
    return Byte(bytes, at) | Byte(bytes, at + 1) << 8 | Byte(bytes, at + 2) << 16 |
           static_cast<std::uint32_t>(Byte(bytes, at + 3)) << 24;
}

// Whether an APEv2 tag starts at the given place: its header, or, in a tag
// written without one, its footer at the end of the file or just before an
// ID3v1 tag, whose size counts back to the place.
bool ApeTagStarts(std::string_view bytes, std::size_t at)
{
    constexpr std::string_view kApeMark = "APETAGEX";
    constexpr std::size_t kFooterBytes = 32, kId3v1Bytes = 128;
    if (bytes.substr(at, kApeMark.size()) == kApeMark)
        return true;
    for (const std::size_t after : {std::size_t{0}, kId3v1Bytes}) {
        if (bytes.size() < at + kFooterBytes + after ||
            (after > 0 && bytes.substr(bytes.size() - after, 3) != "TAG"))
            continue;
        const std::size_t footer = bytes.size() - after - kFooterBytes;
        if (bytes.substr(footer, kApeMark.size()) == kApeMark &&
            footer + kFooterBytes - LittleEndian32(bytes, footer + 12) == at)
            return true;
    }
    return false;
}

// Whether the sound ends where the last of a run of whole frames ends: at
// the end of the file, at a tag that follows the sound (ID3v1 "TAG", APEv2,
// or Lyrics3 before an ID3v1 tag), or, after two frames at least, at zero
// bytes that run to the end of the file (from zerosFrom on).
bool SoundEndsAt(std::string_view bytes, std::size_t at, int wholeFrames, std::size_t zerosFrom)
{
    const std::string_view rest = bytes.substr(at);
    return rest.empty() || (wholeFrames >= 2 && at >= zerosFrom) || rest.starts_with("TAG") ||
           rest.starts_with("LYRICSBEGIN") || ApeTagStarts(bytes, at);
}

// Whether the last bytes of the file, fewer than a header, are the first
// bytes of a header of the stream.
bool IsCutHeader(std::string_view rest, std::uint32_t fixedBits)
{
    const std::array<unsigned, 3> mask = {0xff, 0xfe, 0x0c};
    const std::array<unsigned, 3> stream = {0xff, fixedBits >> 8, fixedBits & 0x0c};
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if ((Byte(rest, i) & mask[i]) != stream[i])
            return false;
    }
    return true;
}

// Five frames of one stream in a row, each starting where the last ends,
// or as many as the file holds before the sound ends (SoundEndsAt), or two
// or more whole ones before one that the end of the file cuts short: random
// bytes hold a header or two that look right, seldom a row of them.
// Free-format frames, whose headers say less, are taken only where the
// file's sound starts.
bool IsFirstFrame(std::string_view bytes, std::size_t at, bool freeFormatMayStart, std::size_t zerosFrom)
{
    auto header = ReadFrameHeader(bytes, at);
    if (!header || (header->unpaddedLength == 0 && !freeFormatMayStart))
        return false;
    const std::uint32_t fixedBits = header->fixedBits;
    const bool freeFormat = header->unpaddedLength == 0;
    const std::size_t freeLength = freeFormat ? FreeFormatLength(bytes, at, *header) : 0;
    if (freeFormat && freeLength == 0)
        return false;
    constexpr int kFramesInARow = 5;
    for (int frames = 1; frames < kFramesInARow; ++frames) {
        at += (freeFormat ? freeLength : header->unpaddedLength) + header->paddingBytes;
        // The last of the frames passed cut short, after two whole ones.
        if (at > bytes.size())
            return frames >= 3;
        if (SoundEndsAt(bytes, at, frames, zerosFrom))
            return true;
        // The next one cut short inside its header.
        if (bytes.size() - at < 4)
            return frames >= 2 && IsCutHeader(bytes.substr(at), fixedBits);
        header = ReadFrameHeader(bytes, at);
        if (!header || header->fixedBits != fixedBits || (header->unpaddedLength == 0) != freeFormat)
            return false;
    }
    return true;
}

// The end of the ID3v2 tag at the given place, if one starts there.
std::optional<std::size_t> Id3v2End(std::string_view bytes, std::size_t at)
{
    if (at + 10 > bytes.size() || bytes.substr(at, 3) != "ID3" || Byte(bytes, at + 3) == 0xff ||
        Byte(bytes, at + 4) == 0xff)
        return std::nullopt;
    std::size_t size = 0;
    for (std::size_t i = 6; i < 10; ++i) {
        if (Byte(bytes, at + i) & 0x80)
            return std::nullopt;
        size = size << 7 | Byte(bytes, at + i);
    }
    const bool footer = (Byte(bytes, at + 5) & 0x10) != 0;
    return at + 10 + size + (footer ? 10 : 0);
}

} // namespace

std::size_t FindFirstMpegFrame(std::string_view bytes)
{
    std::size_t start = 0;
    while (const auto end = Id3v2End(bytes, start))
        start = *end;
    // Found once for the file, not at every frame step of every candidate.
    const std::size_t lastNonZero = bytes.find_last_not_of('\0');
    const std::size_t zerosFrom = lastNonZero == std::string_view::npos ? 0 : lastNonZero + 1;
    for (std::size_t at = start; at < bytes.size() && at - start <= kMostBytesBeforeMpegFrame; ++at) {
        if (IsFirstFrame(bytes, at, at == start, zerosFrom))
            return at;
    }
    return std::string_view::npos;
}

} // namespace fb
