#include "AudioFixture.h"
#include "audio/SoundBinder.h"
#include "core/EventChannels.h"

#include <SDL_mixer.h>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using SoundBinderTest = AudioFixture;

// A file named as LoadFile wants it: relative to assets/json.
std::string FromJsonFolder(const std::string& path)
{
    return std::filesystem::relative(path, "assets/json").string();
}

std::string DataSet(const std::string& name)
{
    return FromJsonFolder("tests/data/audio/" + name);
}

struct Bound {
    std::string event;
    std::string file;
    std::string eventEnd = "";
};

// A sound set whose bindings play their files on their events.
std::string SetText(const std::string& name, const std::vector<Bound>& bindings)
{
    std::string text = "{\"name\": \"" + name + "\", \"type\": \"GeneralSet\", \"events\": [";
    for (const Bound& bound : bindings) {
        text += std::string(&bound == bindings.data() ? "" : ",") + "{\"name\": \"" + bound.event +
                "\", \"eventStart\": \"" + bound.event + "\", \"eventEnd\": \"" + bound.eventEnd +
                "\", \"file\": \"" + bound.file + "\", \"loop\": false, \"volume\": 1}";
    }
    return text + "]}";
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

    // Broken elements are skipped; every binding is saved into the element it came from.
    SavedFile saved{"assets/json/AudioBrokenMembersTest.json"};
    binder.LoadFile(DataSet("broken_members.json"));
    fb::SoundSet* broken = binder.FindSet("AudioBrokenMembersTest");
    EXPECT_EQ(broken->GetType(), fb::SoundSetType::GeneralSet);
    std::vector<std::string> names = {"before"};
    broken->GetBindingNames(names);
    EXPECT_EQ(names, (std::vector<std::string>{"before", "Odd", "Last"}));
    EXPECT_FALSE(broken->FindBinding("Odd")->GetLoop()) << "1 is not true";
    EXPECT_EQ(CountTraces("the element is skipped"), 3);
    EXPECT_EQ(CountTraces("broken_members.json event 2: \"volume\" is missing or not a number that a float holds"), 1);

    broken->FindBinding("Last")->SetVolume(0.5f);
    ASSERT_TRUE(broken->Save());
    fb::SoundSet reread;
    reread.Parse("AudioBrokenMembersTest.json");
    ASSERT_EQ(reread.GetBindings().size(), 2u);
    EXPECT_EQ(reread.GetBindings()[1].GetName(), "Last");
    EXPECT_EQ(reread.GetBindings()[1].GetVolume(), 0.5f);
    const std::string text = ReadText(saved.path);
    EXPECT_NE(text.find("\n        42,"), std::string::npos);
    EXPECT_NE(text.find("\"volume\": 1e39"), std::string::npos) << text;

    // A set past its bounds is refused whole.
    std::vector<Bound> many, sameEvent;
    for (int i = 0; i < 257; ++i)
        many.push_back({"event" + std::to_string(i), "./assets/sound/jump.wav"});
    for (int i = 0; i < 65; ++i)
        sameEvent.push_back({"jump", "./assets/sound/jump.wav"});
    EXPECT_TRUE(binder.LoadFile(FromJsonFolder(mFiles.Write("most.json", SetText("Most", {many.begin(), many.end() - 1})))));
    EXPECT_FALSE(binder.LoadFile(FromJsonFolder(mFiles.Write("many.json", SetText("Many", many)))));
    EXPECT_FALSE(binder.LoadFile(FromJsonFolder(mFiles.Write("same.json", SetText("Same", sameEvent)))));
    EXPECT_EQ(CountTraces("257 elements in \"events\", more than the 256 a set may hold"), 1);
    EXPECT_EQ(CountTraces("more than 64 bindings name the event \"jump\""), 1);
}

} // namespace
