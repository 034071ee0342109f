#include "AudioTestFiles.h"
#include "audio/AudioEngine.h"

#include <gtest/gtest.h>

namespace {

constexpr int kListen = 250;
constexpr int kToneAmplitude = 16000;

// The engine as a player hears it: what the mixer writes for the sound card.
TEST(AudioEngineHearing, GroupAndChannelVolumesPausingAndUnloadingAsHeard)
{
    AudioTestFiles files;
    const std::string tone = files.Tone("tone.wav", 0.5, kToneAmplitude);
    HeardAudio heard;
    AudioEngine::Initialize();

    EXPECT_EQ(heard.Listen(kListen), 0) << "silence before anything plays";

    AudioEngine::LoadSound(tone, true, false);
    const int channel = AudioEngine::PlaySound(tone, "Effects", 1.0f, false);
    EXPECT_NEAR(heard.Listen(kListen), kToneAmplitude * 3 / 4, 2) << "the effects group starts at 0.75";

    // A group's volume reaches the channel that already plays.
    AudioEngine::SetGroupVolume("Effects", 0.5f);
    const int half = heard.Listen(kListen);
    AudioEngine::SetGroupVolume("Effects", 0.25f);
    const int quarter = heard.Listen(kListen);
    EXPECT_NEAR(half, kToneAmplitude / 2, 2);
    EXPECT_NEAR(half, 2 * quarter, 2);

    // Group volume times channel volume.
    AudioEngine::SetChannelVolume(channel, 0.5f);
    EXPECT_NEAR(heard.Listen(kListen), kToneAmplitude / 8, 2);

    AudioEngine::SetPaused(channel, true);
    EXPECT_EQ(heard.Listen(kListen), 0) << "paused";
    EXPECT_TRUE(AudioEngine::IsPlaying(channel)) << "a paused channel still counts as playing";
    AudioEngine::SetPaused(channel, false);
    EXPECT_NEAR(heard.Listen(kListen), kToneAmplitude / 8, 2) << "resumed";

    AudioEngine::UnloadSound(tone);
    EXPECT_EQ(heard.Listen(kListen), 0) << "unloading stops the sound";
    EXPECT_FALSE(AudioEngine::IsPlaying(channel));

    // A group name that is not one of the three plays in the master group.
    AudioEngine::PlaySound(tone, "music", 0.5f, false);
    EXPECT_NEAR(heard.Listen(kListen), kToneAmplitude / 2, 2);

    AudioEngine::Shutdown();
}

} // namespace
