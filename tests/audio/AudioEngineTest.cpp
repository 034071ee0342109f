#include "AudioFixture.h"
#include "audio/SoundEvent.h"

#include <SDL_mixer.h>
#include <cstdlib>
#include <dlfcn.h>

namespace {

using AudioEngineTest = AudioFixture;

// A megabyte named .mp3: 2 KiB of MPEG-2.5 layer II frame headers, each
// naming a frame of 2,880 bytes, and zero bytes to the end.
std::string HeadersThenZeros()
{
    std::string bytes(std::size_t{1} << 20, '\0');
    for (std::size_t at = 0; at + 3 <= 2048; at += 3)
        bytes.replace(at, 3, "\xff\xe4\xe8");
    return bytes;
}

TEST_F(AudioEngineTest, ChannelIdsCountUpPassOverPlayingSoundsAndTurnSixtyThreeLooksForTheLowestFreeOne)
{
    const std::string even = mFiles.Tone("even.wav", 0.1);
    const std::string odd = mFiles.Tone("odd.wav", 0.1);
    AudioEngine::LoadSound(even, true, false);
    AudioEngine::LoadSound(odd, true, false);
    fb::SoundEvent first("first odd", odd, "Effects", 1.0f, false, true);
    for (int i = 0; i < 63; ++i) {
        if (i == 1)
            first.Play();
        else
            ASSERT_EQ(AudioEngine::PlaySound(i % 2 ? odd : even, "Effects", 1.0f, false), i);
    }
    ASSERT_EQ(first.GetChannel(), 1);
    EXPECT_EQ(AudioEngine::CountPlaying("Effects"), 63);
    AudioEngine::UnloadSound(odd);
    AudioEngine::Update();
    EXPECT_FALSE(AudioEngine::IsPlaying(1));
    EXPECT_TRUE(AudioEngine::IsPlaying(2));
    EXPECT_EQ(AudioEngine::CountPlaying("Effects"), 32);

    EXPECT_EQ(AudioEngine::PlaySound(even, "Effects", 1.0f, false), 1);
    // The event that had id 1 leaves the sound that has it now alone (on
    // the mixer channel the event's sound had).
    EXPECT_FALSE(first.IsPlaying());
    first.SetVolume(0.0f);
    first.Pause();
    EXPECT_EQ(Mix_Paused(-1), 0);
    EXPECT_EQ(Mix_Volume(1, -1), 96) << "the effects group's 0.75 of full volume";
    const std::uint64_t two = AudioEngine::GetStart(2);
    EXPECT_EQ(AudioEngine::PlaySound(even, "Effects", 1.0f, false), 3) << "id 2 still plays: the count passes it";
    EXPECT_EQ(AudioEngine::GetStart(2), two) << "and it reaches the sound it was given for";
    EXPECT_NE(AudioEngine::GetStart(3), two);

    // 34 mixer channels play; 30 more fill the 64 on the free odd ids (the
    // last is 63, the lowest one free then), and the next play is dropped.
    for (int i = 0; i < 30; ++i)
        ASSERT_EQ(AudioEngine::PlaySound(even, "Music", 1.0f, false), 5 + 2 * i);
    EXPECT_EQ(AudioEngine::CountPlaying("Music"), 30);
    const int dropped = AudioEngine::PlaySound(even, "Music", 1.0f, false);
    EXPECT_EQ(dropped, 64);
    EXPECT_FALSE(AudioEngine::IsPlaying(dropped));
    EXPECT_EQ(AudioEngine::GetStart(dropped), 0u);

    AudioEngine::UnloadSound(even);
    AudioEngine::Update();
    EXPECT_EQ(Mix_Playing(-1), 0);
    EXPECT_EQ(AudioEngine::CountPlaying("Effects") + AudioEngine::CountPlaying("Music"), 0);
    for (int id = 0; id < 64; ++id)
        EXPECT_FALSE(AudioEngine::IsPlaying(id));
}

TEST_F(AudioEngineTest, BrokenSoundFilesAreTracedOnceAndPlayNothing)
{
    const std::string missing = mFiles.Path("missing.wav");
    Dl_info mixer{};
    ASSERT_NE(dladdr(reinterpret_cast<void*>(&Mix_OpenAudio), &mixer), 0) << "the mixer's shared library";
    const std::string notAudio[] = {
        mFiles.Write("words.wav", "these are words, not a sound"),
        mFiles.Write("empty.mp3", ""),
        mFiles.Truncated("header.wav", "assets/sound/jump.wav", 20),
        mFiles.Write("noise.mp3", std::string(4096, '\xff')),
        // One frame of a clip before zero bytes, and frame headers before
        // zero bytes to well past the frames they name.
        mFiles.Write("one-frame-zeros.mp3",
                     ReadBytes("tests/data/audio/formats/mp3-40ms-44khz.mp3").substr(0, 208) + std::string(300, '\0')),
        mFiles.Write("headers-zeros.mp3", HeadersThenZeros()),
        // Files that are no sound, named as one.
        mFiles.Copy("font.mp3", "assets/TitilliumWeb-Black.ttf"),
        mFiles.Copy("program.ogg", "/bin/sh"),
        mFiles.Copy("library.wav", mixer.dli_fname),
    };
    // Cut short: whatever they still hold may play, but nothing breaks.
    const std::string cut[] = {
        mFiles.Truncated("halfjump.wav", "assets/sound/jump.wav", 6000),
        mFiles.Truncated("short.mp3", "assets/sound/AlmightyDollar.mp3", 5000),
    };
    for (int round = 0; round < 2; ++round) {
        AudioEngine::LoadSound(missing, false, false);
        EXPECT_FALSE(AudioEngine::IsPlaying(AudioEngine::PlaySound(missing, "Effects", 1.0f, false)));
        for (const std::string& path : notAudio) {
            AudioEngine::LoadSound(path, true, true);
            EXPECT_FALSE(AudioEngine::IsPlaying(AudioEngine::PlaySound(path, "Music", 1.0f, false))) << path;
        }
        for (const std::string& path : cut)
            AudioEngine::PlaySound(path, "Effects", 1.0f, false);
        AudioEngine::Update();
    }
    EXPECT_EQ(CountTraces(missing), 1);
    // A missing file is looked for again: put in place, it plays.
    std::filesystem::copy_file("assets/sound/jump.wav", missing);
    EXPECT_TRUE(AudioEngine::IsPlaying(AudioEngine::PlaySound(missing, "Effects", 1.0f, false)));
    for (const std::string& path : notAudio)
        EXPECT_EQ(CountTraces(path), 1) << path;
    for (const char* name : {"font.mp3", "program.ogg", "library.wav"})
        EXPECT_EQ(CountTraces(std::string(name) + ": not a WAV, MP3, Ogg Vorbis, Ogg Opus or FLAC file"), 1) << name;
    EXPECT_EQ(CountTraces("-Audio-"), CountTraces("Could not load sound"));
}

TEST_F(AudioEngineTest, WithoutAnEngineEveryCallDoesNothing)
{
    const std::string tone = mFiles.Tone("tone.wav", 0.1);
    {
        fb::SoundEvent outlivesTheEngine("preview", tone, "Effects", 0.5f, false, false);
        outlivesTheEngine.Play();
        AudioEngine::Shutdown();
        AudioEngine::Shutdown();
        outlivesTheEngine.SetVolume(1.0f);
        outlivesTheEngine.Play();
        EXPECT_EQ(outlivesTheEngine.GetChannel(), -1);
    }
    AudioEngine::Update();
    AudioEngine::LoadSound(tone, false, false);
    EXPECT_EQ(AudioEngine::PlaySound(tone, "Effects", 1.0f, false), -1);
    EXPECT_FALSE(AudioEngine::IsPlaying(0));
    EXPECT_EQ(AudioEngine::GetStart(0), 0u);
    EXPECT_EQ(AudioEngine::CountPlaying("Music"), 0);
    AudioEngine::SetPaused(0, true);
    AudioEngine::SetChannelVolume(0, 1.0f);
    AudioEngine::SetGroupVolume("Music", 1.0f);
    EXPECT_EQ(AudioEngine::GetGroupVolume("Music"), 0.0f);
    AudioEngine::UnloadSound(tone);
}

TEST_F(AudioEngineTest, AMachineWithoutASoundDevicePlaysSilentlyAfterOneTrace)
{
    AudioEngine::Shutdown();
    const std::string driver = std::getenv("SDL_AUDIODRIVER") ? std::getenv("SDL_AUDIODRIVER") : "dummy";
    setenv("SDL_AUDIODRIVER", "nosuchsoundcard", 1);
    AudioEngine::Initialize();
    setenv("SDL_AUDIODRIVER", driver.c_str(), 1);

    EXPECT_EQ(mTraces.size(), 1u);
    EXPECT_EQ(CountTraces("No sound device"), 1);
    EXPECT_EQ(AudioEngine::GetGroupVolume("Music"), 0.5f);
    EXPECT_EQ(AudioEngine::GetGroupVolume("Effects"), 0.75f);
    EXPECT_EQ(AudioEngine::GetGroupVolume("Ambience"), 0.75f);
    EXPECT_EQ(AudioEngine::GetGroupVolume("Master"), 0.0f);
    const std::string tone = mFiles.Tone("tone.wav", 0.1);
    EXPECT_TRUE(AudioEngine::IsPlaying(AudioEngine::PlaySound(tone, "Effects", 1.0f, false)));
}

} // namespace
