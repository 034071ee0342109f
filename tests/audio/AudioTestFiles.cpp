#include "AudioTestFiles.h"

#include <SDL_mixer.h>
#include <vorbis/vorbisenc.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::uint32_t kRate = 44100;
// The disk driver writes through a file buffer a buffer or two behind the
// mixer: what it wrote in the first 16 KiB after a moment may have been
// mixed before.
constexpr std::size_t kSettle = 16384;

// Little-endian, as WAV files are.
void Put(std::ofstream& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.put(static_cast<char>((value >> (8 * i)) & 0xff));
}

std::string ScratchName(const char* what)
{
    return "vendrabolt-" + std::string(what) + "-" + std::to_string(getpid());
}

std::filesystem::path ScratchFolder(const char* what)
{
    auto folder = std::filesystem::temp_directory_path() / ScratchName(what);
    std::filesystem::create_directories(folder);
    return folder;
}

} // namespace

AudioTestFiles::AudioTestFiles()
    : mFolder(ScratchFolder("sounds"))
    , mLink(std::filesystem::path("assets") / ScratchName("sounds"))
{
    std::filesystem::create_directory_symlink(std::filesystem::absolute(mFolder), mLink);
}

AudioTestFiles::~AudioTestFiles()
{
    std::error_code ignored;
    std::filesystem::remove(mLink, ignored);
    std::filesystem::remove_all(mFolder, ignored);
}

std::string AudioTestFiles::Path(const std::string& name) const
{
    return (mLink / name).string();
}

std::string AudioTestFiles::Tone(const std::string& name, double seconds, int amplitude, int rate) const
{
    const auto frames = static_cast<std::uint32_t>(std::lround(seconds * rate));
    const auto frameRate = static_cast<std::uint32_t>(rate);
    std::ofstream out(Path(name), std::ios::binary);
    out << "RIFF";
    Put(out, 36 + frames * 2, 4);
    out << "WAVEfmt ";
    // 16 bytes of format: PCM, mono, the rate, bytes a second, bytes a frame, bits.
    for (auto [value, bytes] : {std::pair{16u, 4}, {1u, 2}, {1u, 2}, {frameRate, 4}, {frameRate * 2, 4}, {2u, 2}, {16u, 2}})
        Put(out, value, bytes);
    out << "data";
    Put(out, frames * 2, 4);
    for (std::uint32_t i = 0; i < frames; ++i)
        Put(out, static_cast<std::uint16_t>((i / 50) % 2 ? amplitude : -amplitude), 2);
    return Path(name);
}

std::string AudioTestFiles::Silence(const std::string& name, double seconds) const
{
    constexpr std::uint32_t kSilenceRate = 8000;
    const auto frames = static_cast<std::uint32_t>(seconds * kSilenceRate);
    std::ofstream out(Path(name), std::ios::binary);
    out << "RIFF";
    Put(out, 36 + frames, 4);
    out << "WAVEfmt ";
    for (auto [value, bytes] : {std::pair{16u, 4}, {1u, 2}, {1u, 2}, {kSilenceRate, 4}, {kSilenceRate, 4}, {1u, 2}, {8u, 2}})
        Put(out, value, bytes);
    out << "data";
    Put(out, frames, 4);
    // Unsigned 8-bit samples are silent at their middle.
    const std::string silence(frames, '\x80');
    out << silence;
    return Path(name);
}

std::string AudioTestFiles::OggTone(const std::string& name, double seconds, int amplitude) const
{
    vorbis_info info;
    vorbis_info_init(&info);
    vorbis_encode_init_vbr(&info, 1, kRate, 0.4f);
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1);

    std::string bytes;
    ogg_page page;
    auto takePages = [&](int (*take)(ogg_stream_state*, ogg_page*)) {
        while (take(&stream, &page)) {
            bytes.append(reinterpret_cast<const char*>(page.header), static_cast<std::size_t>(page.header_len));
            bytes.append(reinterpret_cast<const char*>(page.body), static_cast<std::size_t>(page.body_len));
        }
    };
    ogg_packet headers[3];
    vorbis_analysis_headerout(&dsp, &comment, &headers[0], &headers[1], &headers[2]);
    for (ogg_packet& header : headers)
        ogg_stream_packetin(&stream, &header);
    takePages(ogg_stream_flush);

    const int frames = static_cast<int>(seconds * kRate);
    float* samples = vorbis_analysis_buffer(&dsp, frames)[0];
    for (int i = 0; i < frames; ++i)
        samples[i] = static_cast<float>((i / 50) % 2 ? amplitude : -amplitude) / 32768.0f;
    vorbis_analysis_wrote(&dsp, frames);
    vorbis_analysis_wrote(&dsp, 0);
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
        vorbis_analysis(&block, nullptr);
        vorbis_bitrate_addblock(&block);
        ogg_packet packet;
        while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
            ogg_stream_packetin(&stream, &packet);
            takePages(ogg_stream_pageout);
        }
    }
    takePages(ogg_stream_flush);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return Write(name, bytes);
}

std::string AudioTestFiles::Truncated(const std::string& name, const std::string& source, std::size_t bytes) const
{
    std::ifstream in(source, std::ios::binary);
    std::string data(bytes, '\0');
    in.read(data.data(), static_cast<std::streamsize>(bytes));
    data.resize(static_cast<std::size_t>(in.gcount()));
    return Write(name, data);
}

std::string AudioTestFiles::Copy(const std::string& name, const std::string& source) const
{
    std::filesystem::copy_file(source, Path(name), std::filesystem::copy_options::overwrite_existing);
    return Path(name);
}

std::string AudioTestFiles::Write(const std::string& name, const std::string& bytes) const
{
    std::ofstream(Path(name), std::ios::binary) << bytes;
    return Path(name);
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

HeardAudio::HeardAudio()
    : mFile((ScratchFolder("heard") / "mix.raw").string())
{
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", mFile.c_str(), 1);
}

HeardAudio::~HeardAudio()
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    unsetenv("SDL_DISKAUDIOFILE");
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(mFile).parent_path(), ignored);
}

std::size_t HeardAudio::Written() const
{
    std::error_code error;
    const auto size = std::filesystem::file_size(mFile, error);
    return error ? 0 : static_cast<std::size_t>(size);
}

void HeardAudio::WaitForMix(std::size_t size, int milliseconds) const
{
    // Generous: the driver writes in real time.
    constexpr int kPolls = 2000;
    for (int poll = 0; poll < kPolls && Written() < size; ++poll)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (Written() < size)
        throw std::runtime_error("the disk audio driver never wrote " + std::to_string(milliseconds) + " ms of mix");
}

int HeardAudio::Listen(int milliseconds) const
{
    return ListenFrom(Written() + kSettle, milliseconds);
}

std::size_t HeardAudio::Mark() const
{
    WaitForMix(Written() + kSettle, 0);
    return Written();
}

int HeardAudio::ListenFrom(std::size_t mark, int milliseconds) const
{
    int frequency = 0, channels = 0;
    Uint16 format = 0;
    if (!Mix_QuerySpec(&frequency, &format, &channels) || format != AUDIO_S16SYS)
        throw std::runtime_error("the mixer is not open with 16-bit samples");
    WaitForMix(mark + static_cast<std::size_t>(frequency) * channels * 2 * milliseconds / 1000, milliseconds);
    std::ifstream in(mFile, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(mark));
    std::vector<std::int16_t> samples((Written() - mark) / 2);
    in.read(reinterpret_cast<char*>(samples.data()), static_cast<std::streamsize>(samples.size() * 2));
    int peak = 0;
    for (std::int16_t sample : samples)
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    return peak;
}
