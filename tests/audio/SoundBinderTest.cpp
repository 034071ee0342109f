#include "AudioFixture.h"
#include "audio/SoundBinder.h"
#include "core/EventChannels.h"

#include <SDL_mixer.h>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using SoundBinderTest = AudioFixture;

// A test data file, named as LoadFile wants it: relative to assets/json.
std::string DataSet(const std::string& name)
{
    return std::filesystem::relative("tests/data/audio/" + name, "assets/json").string();
}

void RaiseCharacterEvent(std::uint32_t type)
{
    fb::evt::CharacterEventSubject::Get()->Notify(fb::evt::CharacterEvent(type, nullptr));
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Removes a file that a test saves into the game's folder.
struct SavedFile {
    std::string path;
    ~SavedFile() { std::filesystem::remove(path); }
};

TEST_F(SoundBinderTest, EventsRaisedOnTheChannelsPlayTheFilesBoundToThem)
{
    auto binder = std::make_unique<fb::SoundBinder>();
    EXPECT_TRUE(binder->LoadFile("CharacterSounds.json"));
    EXPECT_TRUE(binder->LoadFile("GameSounds.json"));
    std::vector<std::string> names = {"left over"};
    binder->GetSetNames(names);
    EXPECT_EQ(names, (std::vector<std::string>{"CharacterSounds", "GameSounds"}));

    RaiseCharacterEvent(fb::evt::CharacterEventType::Jump);
    fb::evt::GameEventSubject::Get()->Notify(fb::evt::GameEvent(nullptr, fb::evt::GameEventType::CountdownBeep));

    fb::SoundBinding* jump = binder->FindSet("CharacterSounds")->FindBinding("Jump");
    fb::SoundBinding* beep = binder->FindSet("GameSounds")->FindBinding("Countdown Beep");
    ASSERT_TRUE(jump && beep);
    EXPECT_EQ(jump->GetSound().GetFile(), "./assets/sound/jump.wav");
    EXPECT_EQ(beep->GetSound().GetFile(), "./assets/sound/countdownBeep.wav");
    EXPECT_TRUE(AudioEngine::IsPlaying(jump->GetSound().GetChannel()));
    EXPECT_TRUE(AudioEngine::IsPlaying(beep->GetSound().GetChannel()));
    EXPECT_EQ(Mix_Playing(-1), 2) << "nothing else is bound to those two events";
    EXPECT_TRUE(mTraces.empty());

    binder.reset();
    EXPECT_EQ(Mix_Playing(-1), 0);
    RaiseCharacterEvent(fb::evt::CharacterEventType::Jump);
    EXPECT_EQ(Mix_Playing(-1), 0) << "a destroyed binder hears nothing";
}

TEST_F(SoundBinderTest, StartPlaysAndEndPausesOnlyWhatTheBindingStarted)
{
    fb::SoundBinder binder;
    binder.LoadFile(DataSet("round_trip.json"));
    fb::SoundEvent music("music", mFiles.Tone("music.wav", 0.1), "Music", 0.5f, true, true);
    music.Play();

    RaiseCharacterEvent(fb::evt::CharacterEventType::RunEnd);
    EXPECT_EQ(Mix_Paused(-1), 0) << "an end whose binding never started pauses nothing";
    RaiseCharacterEvent(fb::evt::CharacterEventType::RunStart);
    RaiseCharacterEvent(fb::evt::CharacterEventType::RunEnd);
    EXPECT_EQ(Mix_Paused(-1), 1);
    RaiseCharacterEvent(fb::evt::CharacterEventType::PunchHit);
    EXPECT_EQ(Mix_Paused(-1), 2) << "the same name as start and end plays and pauses at once";

    RaiseCharacterEvent(fb::evt::CharacterEventType::Jump);
    RaiseCharacterEvent(fb::evt::CharacterEventType::Jump);
    EXPECT_EQ(Mix_Playing(-1), 5) << "two quick jumps overlap";
    fb::evt::CharacterEventSubject::Get()->Notify(fb::evt::CharacterEvent());
    EXPECT_EQ(Mix_Paused(-1), 2) << "an event without a name matches no empty eventEnd";
    EXPECT_TRUE(AudioEngine::IsPlaying(music.GetChannel()));
}

TEST_F(SoundBinderTest, ASavedSetReadsBackWithTheSameBindingsAndKeys)
{
    SavedFile saved{"assets/json/AudioRoundTripTest.json"};
    fb::SoundBinder binder;
    binder.LoadFile(DataSet("round_trip.json"));
    fb::SoundSet* set = binder.FindSet("AudioRoundTripTest");
    ASSERT_TRUE(set);
    fb::SoundBinding* hop = set->FindBinding("Hop");
    hop->SetVolume(0.3f);
    hop->SetLoop(true);
    hop->SetFile("./assets/sound/portal.wav");
    ASSERT_TRUE(set->Save());

    const std::string text = ReadText(saved.path);
    EXPECT_NE(text.find("\n    \"comment\": \"kept as written\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"note\": \"kept too\""), std::string::npos);
    EXPECT_NE(text.find("\"volume\": 0.300000011920928"), std::string::npos) << "the float, widened";

    // Read back and saved again, the set writes the same file.
    fb::SoundSet reread;
    reread.Parse("AudioRoundTripTest.json");
    EXPECT_EQ(reread.GetBindings().size(), 3u);
    EXPECT_EQ(reread.GetType(), fb::SoundSetType::CharacterSet);
    std::filesystem::remove(saved.path);
    ASSERT_TRUE(reread.Save());
    EXPECT_EQ(ReadText(saved.path), text);
}

TEST_F(SoundBinderTest, BrokenSetsAreTracedAndNeverSavedOverOtherFiles)
{
    fb::SoundBinder binder;
    for (const char* name : {"no_such_set.json", "unparsable.json", "root_array.json"}) {
        EXPECT_FALSE(binder.LoadFile(DataSet(name))) << name;
        EXPECT_GT(CountTraces("assets/json/" + DataSet(name)), 0) << name;
    }
    EXPECT_EQ(CountTraces("-Sound Binder- Failed to parse json"), 3);
    EXPECT_EQ(CountTraces("Failed to load file: assets/json/" + DataSet("no_such_set.json")), 1);
    fb::SoundSet* unread = binder.FindSet("ERROR");
    EXPECT_TRUE(unread->GetBindings().empty());
    EXPECT_FALSE(unread->Save());
    EXPECT_FALSE(std::filesystem::exists("assets/json/ERROR.json"));

    binder.LoadFile(DataSet("escaping_name.json"));
    binder.LoadFile(DataSet("no_events.json"));
    EXPECT_FALSE(binder.FindSet("../AudioEscapeTest")->Save());
    EXPECT_FALSE(std::filesystem::exists("assets/AudioEscapeTest.json"));
    EXPECT_FALSE(binder.FindSet("AudioNoEventsTest")->Save());

    // Broken members read as empty, and every element stays a binding, so
    // that each one is saved into its own element.
    SavedFile saved{"assets/json/AudioBrokenMembersTest.json"};
    binder.LoadFile(DataSet("broken_members.json"));
    fb::SoundSet* broken = binder.FindSet("AudioBrokenMembersTest");
    EXPECT_EQ(broken->GetType(), fb::SoundSetType::GeneralSet);
    std::vector<std::string> names = {"before"};
    broken->GetBindingNames(names);
    EXPECT_EQ(names, (std::vector<std::string>{"before", "", "", "Last"}));
    const fb::SoundBinding& odd = broken->GetBindings()[1];
    EXPECT_EQ(odd.GetEventStart(), "jump");
    EXPECT_FALSE(odd.GetLoop()) << "1 is not true";
    EXPECT_EQ(odd.GetVolume(), 0.0f);
    EXPECT_GT(CountTraces("broken_members.json event 1"), 0);

    broken->FindBinding("Last")->SetVolume(0.5f);
    ASSERT_TRUE(broken->Save());
    fb::SoundSet reread;
    reread.Parse("AudioBrokenMembersTest.json");
    ASSERT_EQ(reread.GetBindings().size(), 3u);
    EXPECT_EQ(reread.GetBindings()[2].GetName(), "Last");
    EXPECT_EQ(reread.GetBindings()[2].GetVolume(), 0.5f);
    EXPECT_NE(ReadText(saved.path).find("\n        42,"), std::string::npos);
}

} // namespace
