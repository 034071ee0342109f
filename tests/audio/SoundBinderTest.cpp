#include "AudioFixture.h"
#include "audio/SoundBinder.h"
#include "core/EventChannels.h"

#include <SDL_mixer.h>
#include <filesystem>
#include <map>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using SoundBinderTest = AudioFixture;

// A file named as LoadFile wants it: relative to assets/json.
std::string FromJsonFolder(const std::string& path)
{
    return std::filesystem::path(path).lexically_relative("assets/json").string();
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

// One note held for a quarter of a billion ticks: hours of music from 40 bytes.
std::string EndlessMidi()
{
    const std::string track = std::string("\x00\x90\x3c\x40", 4) + "\xff\xff\xff\x7f\x80\x3c\x40" +
                              std::string("\x00\xff\x2f\x00", 4);
    return std::string("MThd\0\0\0\x06\0\0\0\x01\0\x60", 14) + "MTrk" + std::string("\0\0\0", 3) +
           static_cast<char>(track.size()) + track;
}

// A four-channel module with one empty pattern.
std::string Module()
{
    std::string bytes(1084 + 1024, '\0');
    bytes.replace(0, 15, "vendrabolt test");
    bytes[950] = 1;
    bytes.replace(1080, 4, "M.K.");
    return bytes;
}

// A FLAC stream whose header says an hour at 44.1 kHz, then 40 KB of nothing.
std::string HourOfFlac()
{
    std::string bytes = "fLaC" + std::string("\x80\0\x22\x10\0\x10\0", 7) + std::string(40 * 1024, '\0');
    const std::uint64_t info = (std::uint64_t{44100} << 44) | (std::uint64_t{15} << 36) | (3600ull * 44100);
    for (int i = 0; i < 8; ++i)
        bytes[4 + 4 + 10 + i] = static_cast<char>((info >> (56 - 8 * i)) & 0xff);
    return bytes;
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

    const std::string text = ReadBytes(saved.path);
    EXPECT_NE(text.find("\n    \"comment\": \"kept as written\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"note\": \"kept too\""), std::string::npos);
    EXPECT_NE(text.find("\"volume\": 0.3\n"), std::string::npos) << "the float in its shortest form: " << text;
    EXPECT_NE(text.find("\"volume\": 1,\n"), std::string::npos) << "what nobody changed stays as written";

    // Read back and saved again, the set writes the same file.
    fb::SoundSet reread;
    reread.Parse("AudioRoundTripTest.json");
    EXPECT_EQ(reread.GetBindings().size(), 3u);
    EXPECT_EQ(reread.GetType(), fb::SoundSetType::CharacterSet);
    std::filesystem::remove(saved.path);
    ASSERT_TRUE(reread.Save());
    EXPECT_EQ(ReadBytes(saved.path), text);

    // What is not a file is refused in the words of the sound binder, and stays.
    std::filesystem::remove(saved.path);
    ASSERT_EQ(mkfifo(saved.path.c_str(), 0600), 0);
    EXPECT_FALSE(reread.Save());
    EXPECT_EQ(mTraces.back().rfind("Sound Binder: FAILED TO WRITE FILE: cannot write " + saved.path, 0), 0u);

    // Each shipped set, saved unchanged, holds exactly the values it was read with.
    for (const std::string shipped : {"CharacterSounds", "GameSounds"}) {
        std::string copy = ReadBytes("assets/json/" + shipped + ".json");
        copy.replace(copy.find(shipped), shipped.size(), "AudioShippedTest");
        SavedFile resaved{"assets/json/AudioShippedTest.json"};
        fb::SoundSet unchanged;
        unchanged.Parse(FromJsonFolder(mFiles.Write(shipped + ".json", copy)));
        ASSERT_TRUE(unchanged.Save()) << shipped;
        rapidjson::Document read, written;
        EXPECT_TRUE(written.Parse(ReadBytes(resaved.path).c_str()) == read.Parse(copy.c_str())) << shipped;
    }
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
    const std::string text = ReadBytes(saved.path);
    EXPECT_NE(text.find("\n        42,"), std::string::npos);
    EXPECT_NE(text.find("\"name\": \"Odd\",\n            \"eventStart\": \"jump\",\n            \"eventEnd\": \"\",\n"
                        "            \"file\": \"./assets/sound/jump.wav\",\n            \"loop\": 1,"),
              std::string::npos)
        << "a loop the game could not read stays as written";
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

// Counts the times files are opened, as the system sees it. The system
// merges an open into the one before it while that is unread, so the count
// is taken after each step that may open a file.
class OpenCounter {
public:
    OpenCounter() : mQueue(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}
    ~OpenCounter() { close(mQueue); }
    OpenCounter(const OpenCounter&) = delete;
    OpenCounter& operator=(const OpenCounter&) = delete;

    void Watch(const std::string& path) { mWatches[inotify_add_watch(mQueue, path.c_str(), IN_OPEN)] = path; }

    void Take()
    {
        alignas(inotify_event) char events[4096];
        ssize_t got = 0;
        while ((got = read(mQueue, events, sizeof events)) > 0) {
            for (char* at = events; at < events + got; at += sizeof(inotify_event) + reinterpret_cast<inotify_event*>(at)->len)
                ++mOpens[mWatches[reinterpret_cast<inotify_event*>(at)->wd]];
        }
    }

    int Opens(const std::string& path) const { return mOpens.contains(path) ? mOpens.at(path) : 0; }

private:
    int mQueue;
    std::map<int, std::string> mWatches;
    std::map<std::string, int> mOpens;
};

// Whatever a content maker names as a sound, no event hangs the game or
// fills its memory: each file that is not a sound the game plays is refused
// with one trace and never read again, however often its event comes, and
// the sounds after it still play, as heard.
TEST_F(SoundBinderTest, FilesThatAreNoPlayableSoundAreRefusedOnceAndTheNextSoundStillPlays)
{
    constexpr int kAmplitude = 16000;
    constexpr int kListen = 250;
    constexpr int kPlays = 100;
    AudioEngine::Shutdown();
    HeardAudio heard;
    AudioEngine::Initialize();

    const std::string pipe = mFiles.Path("pipe.wav");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string zero = mFiles.Path("zero.wav");
    std::filesystem::create_symlink("/dev/zero", zero);
    const std::string folder = mFiles.Path("folder.wav");
    std::filesystem::create_directory(folder);
    const std::string ogg = mFiles.OggTone("tone.ogg", 0.5, kAmplitude);
    const std::string missing = mFiles.Path("missing.wav");
    // Files that are read whole and then refused, each watched for opens.
    const std::vector<std::string> read = {
        mFiles.Write("song.mid", EndlessMidi()), mFiles.Write("song.mod", Module()),
        mFiles.Write("song.flac", HourOfFlac()), mFiles.Silence("long.wav", 601),
    };
    std::vector<std::string> refused = {
        pipe, zero, folder, "/dev/zero", "assets/../assets/sound/jump.wav",
        std::filesystem::absolute("assets/sound/jump.wav").string(), missing, "./" + missing,
    };
    refused.insert(refused.end(), read.begin(), read.end());
    std::vector<Bound> bindings = {{"tone", mFiles.Tone("tone.wav", 0.5, kAmplitude), "hush"}, {"ogg", ogg, "hush"}};
    for (std::size_t i = 0; i < refused.size(); ++i)
        bindings.push_back({"refused" + std::to_string(i), refused[i]});
    fb::SoundBinder binder;
    ASSERT_TRUE(binder.LoadFile(FromJsonFolder(mFiles.Write("set.json", SetText("Refusals", bindings)))));
    OpenCounter opens;
    for (const std::string& path : read)
        opens.Watch(path);
    opens.Watch(pipe);

    binder.OnEvent("ogg");
    EXPECT_GT(heard.Listen(kListen), kAmplitude / 2) << "an Ogg Vorbis file plays";
    binder.OnEvent("hush");
    for (std::size_t i = 0; i < refused.size(); ++i) {
        for (int play = 0; play < kPlays; ++play) {
            binder.OnEvent("refused" + std::to_string(i));
            opens.Take();
        }
        binder.OnEvent("tone");
        EXPECT_NEAR(heard.Listen(kListen), kAmplitude * 3 / 4, 2) << "after " << refused[i];
        binder.OnEvent("hush");
    }
    EXPECT_EQ(Mix_Playing(-1), static_cast<int>(refused.size()) + 1) << "channels of the tones and the Ogg only";
    for (const std::string& path : read)
        EXPECT_EQ(opens.Opens(path), 1) << path << " is opened once in " << kPlays << " plays";
    EXPECT_EQ(opens.Opens(pipe), 1);
    // The missing file is traced once, however it is spelled.
    for (const std::string& path : refused)
        EXPECT_EQ(CountTraces(path), path == "./" + missing ? 0 : 1) << path;
    EXPECT_EQ(CountTraces("is not a regular file"), 3);
    EXPECT_EQ(CountTraces("the file lies outside the game's assets folder"), 3);
    EXPECT_EQ(CountTraces("not a WAV, MP3, Ogg Vorbis, Ogg Opus or FLAC file"), 2);
    EXPECT_EQ(CountTraces("song.flac: it holds no sound"), 1);
    EXPECT_EQ(CountTraces("long.wav: it plays for longer than the 600 s a sound may last"), 1);
    EXPECT_EQ(CountTraces("-Audio-"), static_cast<int>(refused.size()) - 1);
}

} // namespace
