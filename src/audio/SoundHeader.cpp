#include "audio/SoundHeader.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace fb {
namespace {

// Little-endian numbers, as WAV and Ogg files hold them; reads past the end as 0.
std::uint64_t Little(std::string_view bytes, std::size_t at, int count)
{
    std::uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        const std::size_t index = at + static_cast<std::size_t>(i);
        value = (value << 8) | (index < bytes.size() ? static_cast<unsigned char>(bytes[index]) : 0u);
    }
    return value;
}

unsigned char Byte(std::string_view bytes, std::size_t at)
{
    return at < bytes.size() ? static_cast<unsigned char>(bytes[at]) : 0;
}

bool StartsWith(std::string_view bytes, std::size_t at, std::string_view text)
{
    return at <= bytes.size() && bytes.substr(at, text.size()) == text;
}

std::optional<SoundHeader> ReadWav(std::string_view bytes, std::string& why)
{
    std::uint64_t tag = 0, channels = 0, rate = 0, blockAlign = 0, bits = 0;
    std::optional<std::uint64_t> dataBytes;
    std::uint64_t at = 12;
    while (at + 8 <= bytes.size() && !dataBytes) {
        const std::string_view id = bytes.substr(at, 4);
        const std::uint64_t length = Little(bytes, at + 4, 4);
        const std::uint64_t body = at + 8;
        if (id == "fmt " && length >= 16) {
            tag = Little(bytes, body, 2);
            channels = Little(bytes, body + 2, 2);
            rate = Little(bytes, body + 4, 4);
            blockAlign = Little(bytes, body + 12, 2);
            bits = Little(bytes, body + 14, 2);
        }
        // A data chunk that claims more than the file holds decodes only what is there.
        if (id == "data")
            dataBytes = std::min<std::uint64_t>(length, bytes.size() - body);
        at = body + length + (length & 1);
    }
    if (!dataBytes || channels == 0 || rate == 0 || blockAlign == 0) {
        why = "a WAV file without a usable format and data chunk";
        return std::nullopt;
    }
    const std::uint64_t blocks = (*dataBytes + blockAlign - 1) / blockAlign;
    std::uint64_t frames = 0;
    constexpr std::uint64_t kMicrosoftAdpcm = 2, kImaAdpcm = 0x11;
    if (tag == kMicrosoftAdpcm || tag == kImaAdpcm) {
        // Four bits a sample after a block header that holds up to two samples.
        frames = blocks * (2 * blockAlign / channels + 2);
    } else {
        // The smaller of the stated and the computed frame size, so that a
        // wrong block alignment can only make the sound look longer.
        const std::uint64_t frameBytes = std::max<std::uint64_t>(1, std::min(blockAlign, channels * ((bits + 7) / 8)));
        frames = *dataBytes / frameBytes;
    }
    return SoundHeader{SoundFormat::Wav, static_cast<double>(frames) / static_cast<double>(rate)};
}

// One MPEG layer III frame header: its length in bytes and the time it plays.
struct Mp3Frame {
    std::uint64_t bytes;
    double seconds;
};

std::optional<Mp3Frame> ReadMp3Frame(std::string_view bytes, std::size_t at)
{
    static constexpr std::array<int, 15> kMpeg1Kbps = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
    static constexpr std::array<int, 15> kMpeg2Kbps = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
    static constexpr std::array<int, 3> kMpeg1Rates = {44100, 48000, 32000};
    const unsigned char b1 = Byte(bytes, at + 1), b2 = Byte(bytes, at + 2);
    const int version = (b1 >> 3) & 3; // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5, 1 reserved
    const int layer = (b1 >> 1) & 3;   // 1 is layer III
    const int bitrateIndex = b2 >> 4;
    const int rateIndex = (b2 >> 2) & 3;
    // A free-format frame (bitrate index 0) does not say its length: not taken.
    if (at + 4 > bytes.size() || Byte(bytes, at) != 0xff || (b1 & 0xe0) != 0xe0 || version == 1 || layer != 1 ||
        bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3)
        return std::nullopt;
    const bool mpeg1 = version == 3;
    const int rate = kMpeg1Rates[rateIndex] >> (mpeg1 ? 0 : version == 2 ? 1 : 2);
    const int bitsPerSecond = 1000 * (mpeg1 ? kMpeg1Kbps : kMpeg2Kbps)[bitrateIndex];
    const int samples = mpeg1 ? 1152 : 576;
    const std::uint64_t length = static_cast<std::uint64_t>(samples / 8 * bitsPerSecond / rate + ((b2 >> 1) & 1));
    return Mp3Frame{length, static_cast<double>(samples) / rate};
}

std::optional<SoundHeader> ReadMp3(std::string_view bytes, std::string& why)
{
    std::uint64_t at = 0;
    if (StartsWith(bytes, 0, "ID3")) {
        // The tag's size is 28 bits in four bytes of seven, then a footer if flagged.
        std::uint64_t size = 0;
        for (std::size_t i = 6; i < 10; ++i)
            size = (size << 7) | (Byte(bytes, i) & 0x7f);
        at = 10 + size + ((Byte(bytes, 5) & 0x10) ? 10 : 0);
        // Some tags are padded with zeros past their stated size.
        while (at < bytes.size() && bytes[at] == '\0')
            ++at;
    }
    // The first frame follows at once: anything else behind a tag is not an MP3.
    if (!ReadMp3Frame(bytes, at)) {
        why = "not a WAV, MP3 or Ogg Vorbis file";
        return std::nullopt;
    }
    // Frame by frame; where no frame header follows, the next one is looked
    // for byte by byte, as a decoder finds its way back into the stream.
    double seconds = 0.0;
    while (at + 4 <= bytes.size()) {
        if (const auto frame = ReadMp3Frame(bytes, at)) {
            seconds += frame->seconds;
            at += frame->bytes;
        } else {
            ++at;
        }
    }
    return SoundHeader{SoundFormat::Mp3, seconds};
}

std::optional<SoundHeader> ReadOggVorbis(std::string_view bytes, std::string& why)
{
    constexpr std::size_t kPageHeader = 27;
    constexpr std::uint64_t kNoGranule = ~std::uint64_t{0};
    constexpr unsigned char kFirstPage = 0x02;
    std::uint64_t lowestRate = 0, longestBlock = 0, packets = 0, granule = 0;
    std::size_t at = 0;
    while (at + kPageHeader <= bytes.size()) {
        if (!StartsWith(bytes, at, "OggS")) {
            // A decoder skips what lies between pages.
            const std::size_t next = bytes.find("OggS", at + 1);
            if (next == std::string_view::npos)
                break;
            at = next;
            continue;
        }
        const std::size_t segments = Byte(bytes, at + 26);
        const std::size_t body = at + kPageHeader + segments;
        std::size_t bodyBytes = 0;
        for (std::size_t i = 0; i < segments; ++i) {
            const unsigned char lacing = Byte(bytes, at + kPageHeader + i);
            bodyBytes += lacing;
            // A lacing value below 255 ends a packet.
            packets += lacing < 255 ? 1 : 0;
        }
        if (Byte(bytes, at + 5) & kFirstPage) {
            // Every stream of the file starts with a Vorbis identification header.
            const std::uint64_t rate = Little(bytes, body + 12, 4);
            if (!StartsWith(bytes, body, "\x01vorbis") || rate == 0) {
                why = "an Ogg file that holds something other than Vorbis sound";
                return std::nullopt;
            }
            lowestRate = lowestRate == 0 ? rate : std::min(lowestRate, rate);
            longestBlock = std::max<std::uint64_t>(longestBlock, std::uint64_t{1} << (Byte(bytes, body + 28) >> 4));
        }
        const std::uint64_t position = Little(bytes, at + 6, 8);
        if (position != kNoGranule)
            granule = std::max(granule, position);
        at = body + bodyBytes;
    }
    if (lowestRate == 0) {
        why = "an Ogg file that holds something other than Vorbis sound";
        return std::nullopt;
    }
    // The granule positions say how long the stream plays; no packet decodes
    // to more than half the longest block, whatever the positions say.
    const double frames = static_cast<double>(std::max(granule, packets * (longestBlock / 2)));
    return SoundHeader{SoundFormat::OggVorbis, frames / static_cast<double>(lowestRate)};
}

} // namespace

std::optional<SoundHeader> ReadSoundHeader(std::string_view bytes, std::string& why)
{
    if (StartsWith(bytes, 0, "RIFF") && StartsWith(bytes, 8, "WAVE"))
        return ReadWav(bytes, why);
    if (StartsWith(bytes, 0, "OggS"))
        return ReadOggVorbis(bytes, why);
    return ReadMp3(bytes, why);
}

} // namespace fb
