#include "AudioFixture.h"
#include "audio/SoundFile.h"

#include <SDL_mixer.h>
#include <filesystem>
#include <set>
#include <vector>

namespace {

using namespace std::string_literals;
using SoundFormatsTest = AudioFixture;

constexpr int kListen = 150;
// The files are sines at half of full scale, heard in the effects group (0.75).
constexpr int kHeardPeak = 16384 * 3 / 4;
constexpr std::size_t kNoBudget = std::size_t{256} << 20;

struct Sample {
    const char* file;
    double seconds;
};

// tests/data/audio/formats/, made by assetgen/make_sound_samples.py from
// sines of these lengths. An MP3 without a Xing header holds no word of the
// encoder's delay and padding, so all of its frames play: 21 of 1152 samples
// at 44.1 kHz (counted in the files).
const Sample kSamples[] = {
    {"wav-u8-mono.wav", 0.25},
    {"wav-s16-stereo-list.wav", 0.25},
    {"wav-s24-stereo-extensible.wav", 0.25},
    {"wav-s32-mono.wav", 0.25},
    {"wav-f32-mono.wav", 0.25},
    {"mp3-cbr-xing.mp3", 0.5},
    {"mp3-cbr-no-xing.mp3", 21 * 1152 / 44100.0},
    {"mp3-vbr-xing.mp3", 0.5},
    {"mp3-vbr-no-xing.mp3", 21 * 1152 / 44100.0},
    {"mp3-free-format.mp3", 0.5},
    {"mp3-id3v1.mp3", 0.5},
    {"mp3-id3v2.mp3", 0.5},
    {"mp3-two-id3v2.mp3", 0.5},
    {"mp3-bytes-after-id3v2.mp3", 0.5},
    {"mp3-mpeg2-22khz.mp3", 0.5},
    {"mp3-mpeg25-11khz.mp3", 0.5},
    {"vorbis-q-1.ogg", 0.3},
    {"vorbis-q10-long-comment.ogg", 0.3},
    {"opus-mono.opus", 0.3},
    {"flac-s16-mono.flac", 0.3},
    {"opus-10ms.opus", 0.010},
    {"flac-8ms-48khz.flac", 0.008},
    {"vorbis-15ms-22khz.ogg", 0.015},
    {"mp3-10ms-22khz.mp3", 0.010},
    {"mp3-40ms-44khz.mp3", 0.040},
};

struct Tailed {
    std::string name, sound, tail;
};

// What taggers, or a copy cut short, leave after the sound of a short MP3
// clip: four frames at 64 kbit/s and 44.1 kHz, of 208, 208, 209 and 209 bytes.
std::vector<Tailed> TailsAfter(const std::string& clip)
{
    // An APEv2 tag's header or footer: version 2000, 50 bytes of one item
    // and the footer, the flags' last byte.
    const auto apeMark = [](char flags) {
        return "APETAGEX\xd0\x07\0\0\x32\0\0\0\x01\0\0\0\0\0\0"s + flags + std::string(8, '\0');
    };
    const std::string apeItem = "\x04\0\0\0\0\0\0\0Title\0Tone"s;
    const std::string id3v1 = "TAGTone" + std::string(121, '\0');
    const std::string lyrics3 = "LYRICSBEGIN" "IND0000210" "LYR00004Tone" "000033LYRICS200";
    const std::string threeFrames = clip.substr(0, 625);
    return {
        {"ape", clip, apeMark('\xa0') + apeItem + apeMark('\x80')},
        {"ape-footer-only-id3v1", clip, apeItem + apeMark('\x80') + id3v1},
        {"lyrics3-id3v1", clip, lyrics3 + id3v1},
        {"zeros", clip, std::string(300, '\0')},
        {"cut-frame", threeFrames, clip.substr(625, 100)},
        {"two-frames-cut-frame", clip.substr(0, 416), clip.substr(416, 100)},
        {"cut-header", clip, clip.substr(208, 3)},
    };
}

// How long a decoded sound plays at the mixer's rate, or -1 with the reason traced.
double DecodedSeconds(const std::string& path, std::size_t bytesLeft = kNoBudget)
{
    std::string failure;
    Mix_Chunk* chunk = fb::DecodeSoundFile(path, bytesLeft, failure);
    if (!chunk) {
        ADD_FAILURE() << path << ": " << failure;
        return -1.0;
    }
    int rate = 0, channels = 0;
    Uint16 format = 0;
    Mix_QuerySpec(&rate, &format, &channels);
    const double seconds = chunk->alen / (rate * channels * (SDL_AUDIO_BITSIZE(format) / 8.0));
    Mix_FreeChunk(chunk);
    return seconds;
}

TEST_F(SoundFormatsTest, EveryKindOfFileTheEncodersWritePlaysForItsLength)
{
    AudioEngine::Shutdown();
    HeardAudio heard;
    AudioEngine::Initialize();

    // Encoders make files a little longer or shorter than the sines they take.
    const double mixFrame = 1.0 / 44100;
    const auto near = [mixFrame](double seconds) { return std::max(std::min(0.01 * seconds, 0.030), mixFrame); };
    struct Played {
        std::string path;
        double seconds;
        double within;
    };
    std::vector<Played> played;
    std::set<std::string> listed;
    for (const Sample& sample : kSamples) {
        listed.insert(sample.file);
        const std::string source = "tests/data/audio/formats/" + std::string(sample.file);
        played.push_back({mFiles.Copy(sample.file, source), sample.seconds, near(sample.seconds)});
    }
    // A clip with a tag or bytes after its sound plays as long as the clip
    // alone, to a frame of the mix.
    for (const Tailed& tailed : TailsAfter(ReadBytes("tests/data/audio/formats/mp3-40ms-44khz.mp3"))) {
        const double alone = DecodedSeconds(mFiles.Write(tailed.name + "-alone.mp3", tailed.sound));
        played.push_back({mFiles.Write(tailed.name + ".mp3", tailed.sound + tailed.tail), alone, mixFrame});
    }
    // Junk between frames: the decoder looks past as much as libmpg123 does
    // by default (1,024 bytes) for the next frame, and ends the sound at more.
    const std::string frames = ReadBytes("tests/data/audio/formats/mp3-cbr-no-xing.mp3");
    for (const auto& [junk, copies] : {std::pair{1023, 2}, {1024, 1}}) {
        const double seconds = copies * 21 * 1152 / 44100.0;
        const std::string name = "junk-" + std::to_string(junk) + ".mp3";
        played.push_back({mFiles.Write(name, frames + std::string(junk, '\0') + frames), seconds, near(seconds)});
    }
    // Clicks shorter than what the resampler looks ahead; square waves ring
    // up to a quarter over their amplitude when resampled.
    constexpr int kClickAmplitude = 14000;
    for (int rate : {8000, 22050, 48000, 96000, 192000}) {
        for (int frames : {1, 100, 500}) {
            const double seconds = static_cast<double>(frames) / rate;
            const std::string name = std::to_string(frames) + "-frames-at-" + std::to_string(rate) + ".wav";
            played.push_back({mFiles.Tone(name, seconds, kClickAmplitude, rate), seconds, near(seconds)});
        }
    }
    for (const Played& sound : played) {
        EXPECT_NEAR(DecodedSeconds(sound.path), sound.seconds, sound.within) << sound.path;

        AudioEngine::LoadSound(sound.path, false, false);
        const std::size_t mark = heard.Mark();
        EXPECT_TRUE(AudioEngine::IsPlaying(AudioEngine::PlaySound(sound.path, "Effects", 1.0f, false))) << sound.path;
        EXPECT_NEAR(heard.ListenFrom(mark, kListen), kHeardPeak, kHeardPeak / 5) << sound.path;
        AudioEngine::UnloadSound(sound.path);
    }
    for (const auto& entry : std::filesystem::directory_iterator("tests/data/audio/formats"))
        EXPECT_TRUE(listed.contains(entry.path().filename().string())) << entry.path() << " has no length here";
    EXPECT_TRUE(mTraces.empty()) << mTraces.front();
}

TEST_F(SoundFormatsTest, DecodingStopsAtTenMinutesWhateverTheHeadersSay)
{
    const std::string nineAndAHalf = mFiles.Silence("nine-and-a-half.wav", 570);
    EXPECT_NEAR(DecodedSeconds(nineAndAHalf), 570, 0.030);
    AudioEngine::LoadSound(nineAndAHalf, false, true);
    EXPECT_TRUE(AudioEngine::IsPlaying(AudioEngine::PlaySound(nineAndAHalf, "Music", 1.0f, false)));

    // Its Xing header says half a second; ten and a half minutes of frames follow.
    const std::string frames = ReadBytes("tests/data/audio/formats/mp3-cbr-no-xing.mp3");
    std::string endless = ReadBytes("tests/data/audio/formats/mp3-cbr-xing.mp3");
    for (double seconds = 0.5; seconds < 630; seconds += 21 * 1152 / 44100.0)
        endless += frames;
    const std::string tooLong[] = {mFiles.Silence("ten-and-a-half.wav", 630), mFiles.Write("endless.mp3", endless)};
    for (const std::string& path : tooLong) {
        AudioEngine::LoadSound(path, false, true);
        EXPECT_FALSE(AudioEngine::IsPlaying(AudioEngine::PlaySound(path, "Music", 1.0f, false)));
        EXPECT_EQ(CountTraces(path + ": it plays for longer than the 600 s a sound may last"), 1) << path;
    }

    // Past the budget: the decoding stops at it.
    std::string failure;
    EXPECT_EQ(fb::DecodeSoundFile(nineAndAHalf, 1 << 20, failure), nullptr);
    EXPECT_EQ(failure, "decoded it takes more than the 1 MiB left for decoded sounds");
    EXPECT_EQ(mTraces.size(), 2u);

    // Headers that claim 1 and 7 frames a second would make ten minutes of
    // sound from a few KB, in pieces too large to bound.
    for (const auto& [rate, frames] : {std::pair{1, 599}, {7, 4000}}) {
        const std::string path = mFiles.Tone(std::to_string(rate) + "-hz.wav", frames / double(rate), 16000, rate);
        EXPECT_EQ(fb::DecodeSoundFile(path, kNoBudget, failure), nullptr);
        EXPECT_EQ(failure,
                  "its header says " + std::to_string(rate) + " Hz, outside the 1000 to 384000 Hz a sound may play at");
    }

    // An Ogg file whose last page says it ends an hour in plays no more than it holds.
    std::string hour = ReadBytes(mFiles.OggTone("tone.ogg", 0.5));
    for (int i = 0; i < 8; ++i)
        hour[hour.rfind("OggS") + 6 + i] = static_cast<char>(((3600ull * 44100) >> (8 * i)) & 0xff);
    const double played = DecodedSeconds(mFiles.Write("hour.ogg", hour));
    EXPECT_GT(played, 0.0);
    EXPECT_LT(played, 0.5 + 0.030);
}

} // namespace
