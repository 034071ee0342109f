#include "EditorSession.h"

#include "audio/AudioEngine.h"
#include "audio/SoundBinder.h"
#include "audio/SoundSet.h"
#include "core/Game.h"
#include "game/SlimeUI.h"
#include "support/FileText.h"
#include "tools/FileList.h"

#include <cmath>
#include <filesystem>
#include <fstream>

namespace {

using EditorSoundTest = EditorSession;


TEST_F(EditorSoundTest, TheCheatMenuMutesAndRestoresTheMusicAndEndsTheRound)
{
    OpenDebugWindows();
    if (!ImGuiInput::Shown("Cheat Menu")) {
        ASSERT_TRUE(input.Click("Editor Options", "Cheat Menu"));
    }
    AudioEngine::SetGroupVolume("Music", 0.3f);
    ASSERT_TRUE(input.Click("Cheat Menu", "Mute Music"));
    EXPECT_EQ(AudioEngine::GetGroupVolume("Music"), 0.0f);
    ASSERT_TRUE(input.Click("Cheat Menu", "Mute Music"));
    EXPECT_EQ(AudioEngine::GetGroupVolume("Music"), 0.3f);

    ASSERT_EQ(SlimeUI::GetWinningPlayer(), -1);
    ASSERT_TRUE(input.Click("Cheat Menu", "End Round (\"I lose\" button)"));
    EXPECT_EQ(SlimeUI::GetWinningPlayer(), 0);
}

TEST_F(EditorSoundTest, AnEditedBindingIsWrittenToItsSoundSetAndReadBack)
{
    OpenDebugWindows();
    ASSERT_TRUE(FramesUntilShown("assets/sound/jump.wav", 400));
    const auto sounds = ListFiles("assets/sound", ".wav");
    const auto kingSpawn = std::find(sounds.begin(), sounds.end(), "assets/sound/kingSpawn.wav");
    ASSERT_NE(kingSpawn, sounds.end());
    ASSERT_TRUE(input.ClickEntry("Sound Selector", "##sounds", static_cast<int>(kingSpawn - sounds.begin()),
                                 "assets/sound/kingSpawn.wav"));
    ASSERT_TRUE(input.Click("Sound Selector", "Play Sound"));

    ASSERT_TRUE(input.ClickEntry("Sound Sets", "##sets", 0, "CharacterSounds"));
    ASSERT_TRUE(input.ClickEntry("Sound Sets", "SoundEvents", 1, "Double Jump")) << input.ShownText();
    EXPECT_TRUE(input.ShowsText("Name: Double Jump"));
    EXPECT_TRUE(input.ShowsText("Event Start: doubleJump"));
    ASSERT_TRUE(input.Click("Sound Sets", "Update"));
    EXPECT_TRUE(input.ShowsText("File: assets/sound/kingSpawn.wav"));
    ASSERT_TRUE(input.TypeInto("Sound Sets", "##volume", "0.25"));
    ASSERT_TRUE(input.Click("Sound Sets", "Updt Vol"));
    EXPECT_TRUE(input.ShowsText("Volume: 0.25"));
    ASSERT_TRUE(input.Click("Sound Sets", "Looping"));
    ASSERT_TRUE(input.Click("Sound Sets", "Update changes"));

    fb::SoundSet saved;
    saved.Parse("CharacterSounds.json");
    fb::SoundBinding* binding = saved.FindBinding("Double Jump");
    ASSERT_TRUE(binding);
    EXPECT_EQ(binding->GetFile(), "assets/sound/kingSpawn.wav");
    EXPECT_FLOAT_EQ(binding->GetVolume(), 0.25f);
    EXPECT_TRUE(binding->GetLoop());
    EXPECT_EQ(saved.FindBinding("Jump")->GetFile(), "./assets/sound/jump.wav");

    // A volume that is not a finite number is refused where it is typed, and
    // one that gets into the set some other way is refused by the save.
    const std::string written = FileText("assets/json/CharacterSounds.json");
    for (const char* typed : {"inf", "nan", "-1e39"}) {
        ASSERT_TRUE(input.TypeInto("Sound Sets", "##volume", typed));
        ASSERT_TRUE(input.Click("Sound Sets", "Updt Vol"));
        EXPECT_TRUE(input.ShowsText("Volume takes only finite numbers")) << typed;
        EXPECT_TRUE(input.ShowsText("Volume: 0.25")) << typed;
    }
    ASSERT_TRUE(input.Click("Sound Sets", "Update changes"));
    EXPECT_TRUE(input.ShowsText("json saved!"));
    EXPECT_EQ(FileText("assets/json/CharacterSounds.json"), written);
    GetSoundBinder()->FindSet("CharacterSounds")->FindBinding("Double Jump")->SetVolume(std::nanf(""));
    ASSERT_TRUE(input.Click("Sound Sets", "Update changes"));
    EXPECT_TRUE(input.ShowsText("json NOT saved"));
    EXPECT_TRUE(Traced("events[1].volume is nan")) << "the trace names the value";
    EXPECT_EQ(FileText("assets/json/CharacterSounds.json"), written);
    for (const auto& entry : std::filesystem::directory_iterator("assets/json"))
        EXPECT_EQ(entry.path().filename().string().find(".json."), std::string::npos) << "left behind: " << entry;
}

// A sound set that could not be read stands in the list as "ERROR"; saving
// it would write an empty set over nothing the game knows.
class UnreadSoundSetTest : public EditorSession {
protected:
    void BeforeStart() override { std::ofstream("assets/json/GameSounds.json") << "{ not json"; }
};

TEST_F(UnreadSoundSetTest, IsNeverSaved)
{
    OpenDebugWindows();
    ASSERT_TRUE(input.ClickEntry("Sound Sets", "##sets", 1, "ERROR")) << input.ShownText();
    EXPECT_FALSE(input.ClickEntry("Sound Sets", "SoundEvents", 0, "Jump")) << "an unread set has no bindings";
    ASSERT_TRUE(input.ClickEntry("Sound Sets", "##sets", 0, "CharacterSounds"));
    ASSERT_TRUE(input.ClickEntry("Sound Sets", "SoundEvents", 0, "Jump"));
    ASSERT_TRUE(input.ClickEntry("Sound Sets", "##sets", 1, "ERROR"));
    // The binding picked in the other set stays shown, but the set saved is the unread one.
    ASSERT_TRUE(input.Click("Sound Sets", "Update changes"));
    EXPECT_FALSE(std::filesystem::exists("assets/json/ERROR.json"));
    EXPECT_EQ(FileText("assets/json/GameSounds.json"), "{ not json");
}

} // namespace
