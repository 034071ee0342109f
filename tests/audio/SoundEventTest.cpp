#include "AudioFixture.h"
#include "audio/SoundEvent.h"

#include <SDL_mixer.h>
#include <optional>
#include <vector>

namespace {

using SoundEventTest = AudioFixture;

TEST_F(SoundEventTest, OnlyTheLastCopyOfAnEventUnloadsItsSound)
{
    const std::string hum = mFiles.Tone("hum.wav", 0.1);
    std::optional<fb::SoundEvent> last;
    int channel = -1;
    {
        fb::SoundEvent first("hum", hum, "Ambience", 1.0f, false, true);
        first.Play();
        channel = first.GetChannel();
        {
            fb::SoundEvent copy(first);
            fb::SoundEvent assigned;
            assigned = copy;
            std::vector<fb::SoundEvent> grown(3, first);
            for (int i = 0; i < 20; ++i)
                grown.push_back(first);
        }
        EXPECT_TRUE(AudioEngine::IsPlaying(channel)) << "copies that died left the sound alone";
        last.emplace(std::move(first));
    }
    EXPECT_TRUE(AudioEngine::IsPlaying(channel)) << "the moved-from event unloaded nothing";
    last.reset();
    EXPECT_FALSE(AudioEngine::IsPlaying(channel)) << "the last owner unloads";
}

TEST_F(SoundEventTest, MusicOfTwoScreensPlaysTogetherUntilOneStopsItsOwnFile)
{
    fb::SoundEvent match("match", "./assets/sound/KeepingUp_loop.mp3", "Music", 0.5f, true, true);
    fb::SoundEvent credits;
    credits.SetGroup("Music");
    credits.SetFile("./assets/sound/AlmightyDollar.mp3");
    credits.SetStream(true);
    credits.SetLoop(true);
    credits.SetVolume(1.0f);
    match.Play();
    EXPECT_EQ(Mix_Volume(0, -1), 32) << "a fresh event's SetVolume left channel 0 alone";
    credits.Play();
    Wait(100);
    EXPECT_TRUE(AudioEngine::IsPlaying(match.GetChannel()));
    EXPECT_TRUE(AudioEngine::IsPlaying(credits.GetChannel()));
    credits.Stop();
    EXPECT_TRUE(AudioEngine::IsPlaying(match.GetChannel()));
    EXPECT_FALSE(AudioEngine::IsPlaying(credits.GetChannel()));

    // A second event of the same file shares its sound: stopping it stops both.
    fb::SoundEvent again("again", match.GetFile(), "Music", 0.5f, true, true);
    again.Play();
    EXPECT_NE(again.GetChannel(), match.GetChannel());
    again.Stop();
    EXPECT_FALSE(AudioEngine::IsPlaying(match.GetChannel()));
}

} // namespace
