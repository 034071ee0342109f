#include "AudioFixture.h"
#include "audio/SoundFile.h"

#include <SDL_mixer.h>
#include <filesystem>
#include <set>

namespace {

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
};

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

    std::set<std::string> listed;
    for (const Sample& sample : kSamples) {
        listed.insert(sample.file);
        const std::string path = mFiles.Copy(sample.file, "tests/data/audio/formats/" + std::string(sample.file));
        EXPECT_NEAR(DecodedSeconds(path), sample.seconds, std::max(0.01 * sample.seconds, 0.030)) << sample.file;

        AudioEngine::LoadSound(path, true, false);
        EXPECT_TRUE(AudioEngine::IsPlaying(AudioEngine::PlaySound(path, "Effects", 1.0f, false))) << sample.file;
        EXPECT_NEAR(heard.Listen(kListen), kHeardPeak, kHeardPeak / 5) << sample.file;
        AudioEngine::UnloadSound(path);
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

    // An Ogg file whose last page says it ends an hour in plays no more than it holds.
    std::string hour = ReadBytes(mFiles.OggTone("tone.ogg", 0.5));
    for (int i = 0; i < 8; ++i)
        hour[hour.rfind("OggS") + 6 + i] = static_cast<char>(((3600ull * 44100) >> (8 * i)) & 0xff);
    const double played = DecodedSeconds(mFiles.Write("hour.ogg", hour));
    EXPECT_GT(played, 0.0);
    EXPECT_LT(played, 0.5 + 0.030);
}

} // namespace
