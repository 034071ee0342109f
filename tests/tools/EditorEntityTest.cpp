#include "EditorSession.h"

#include "core/EntityManager.h"
#include "core/JsonFile.h"
#include "core/StateManager.h"
#include "core/Transform.h"
#include "game/AISpawner.h"
#include "game/LevelReload.h"
#include "game/Players.h"
#include "game/TolveyTestState.h"
#include "level/Level.h"
#include "render/Sprite.h"
#include "support/FileText.h"
#include "tools/FileList.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>

namespace {

using EditorEntityTest = EditorSession;

int IndexOf(const std::vector<std::string>& list, const std::string& entry)
{
    auto found = std::find(list.begin(), list.end(), entry);
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}


std::vector<std::string> EntityNames()
{
    std::vector<std::string> names;
    for (const auto& entity : EntityManager::GetEntities())
        names.push_back(entity->GetName());
    return names;
}

TEST_F(EditorEntityTest, TheChordsOpenAndCloseTheMenu)
{
    ASSERT_FALSE(ImGuiInput::Shown("Editor Options"));
    keyboard.Press(SDL_SCANCODE_LSHIFT);
    keyboard.Press(SDL_SCANCODE_COMMA);
    Frames(1); // the keys arrive at the end of this frame
    Frames(1); // the menu opens and draws nothing yet
    EXPECT_FALSE(ImGuiInput::Shown("Editor Options"));
    keyboard.Release(SDL_SCANCODE_COMMA);
    keyboard.Release(SDL_SCANCODE_LSHIFT);
    Frames(1);
    EXPECT_TRUE(ImGuiInput::Shown("Editor Options"));

    Chord(SDL_SCANCODE_LSHIFT, SDL_SCANCODE_SLASH);
    Frames(1);
    EXPECT_FALSE(ImGuiInput::Shown("Editor Options"));
    Frames(2);
    EXPECT_FALSE(ImGuiInput::Shown("Editor Options"));
}

// Each window opens in a place of its own, wide enough for what it shows.
TEST_F(EditorEntityTest, TheWindowsOpenSideBySideWithTheirTextWhole)
{
    OpenDebugWindows();
    ASSERT_TRUE(input.Click("Editor Options", "Cheat Menu"));
    std::vector<ImGuiWindow*> windows;
    for (const char* name : {"Editor Options", "Cheat Menu", "Entity Selector", "Entity Editor", "Sprite Selector",
                             "Sound Selector", "Sound Sets", "Gamestate Selector", "Framerate"}) {
        ASSERT_TRUE(ImGuiInput::Shown(name)) << name;
        ImGuiWindow* window = ImGui::FindWindowByName(name);
        const ImRect place = window->Rect();
        EXPECT_TRUE(ImRect(ImVec2(0.0f, 0.0f), ImGui::GetIO().DisplaySize).Contains(place)) << name;
        EXPECT_LE(window->ContentSizeIdeal.x + 2.0f * window->WindowPadding.x, window->Size.x) << name;
        for (ImGuiWindow* other : windows)
            EXPECT_FALSE(place.Overlaps(other->Rect())) << name << " lies over " << other->Name;
        windows.push_back(window);
    }
}

TEST_F(EditorEntityTest, AnEditedEntitySavedToItsArchetypeComesBackTheSame)
{
    ASSERT_TRUE(EntityManager::LoadJson("aliendude.json"));
    EntityManager::Add(EntityManager::LoadArchetype("aliendude"));
    OpenDebugWindows();
    // The sprite list is first filled three seconds after the windows open.
    ASSERT_TRUE(FramesUntilShown("assets/img/Alien.png", 400));

    ASSERT_TRUE(input.ClickEntry("Entity Selector", "##entities", IndexOf(EntityNames(), "aliendude"), "aliendude"));
    EXPECT_TRUE(input.ShowsText("Name: aliendude"));
    ASSERT_TRUE(input.TypeInto("Entity Editor", "ScaleX", "2.5"));
    ASSERT_TRUE(input.TypeInto("Entity Editor", "ScaleY", "0.75"));
    ASSERT_TRUE(input.TypeInto("Entity Editor", "Rotation", "1.5"));
    ASSERT_TRUE(input.TypeInto("Entity Editor", "Opacity", "0.5"));
    ASSERT_TRUE(input.Click("Entity Editor", "Update values"));

    std::shared_ptr<fb::Entity> dude = FindEntity("aliendude");
    ASSERT_TRUE(dude);
    EXPECT_EQ(dude->GetComponent<fb::cmp::Transform>()->GetScale(), glm::vec2(2.5f, 0.75f));
    EXPECT_FLOAT_EQ(dude->GetComponent<fb::cmp::Transform>()->GetRotation(), 1.5f);
    EXPECT_FLOAT_EQ(dude->GetComponent<Sprite>()->GetOpacity(), 0.5f);

    std::vector<std::string> sprites;
    for (const auto& path : ListFiles("assets/img", ".png"))
        sprites.push_back(path.string());
    const int alien = IndexOf(sprites, "assets/img/Alien.png");
    ASSERT_TRUE(input.ClickEntry("Sprite Selector", "##sprites", alien, "assets/img/Alien.png"));
    ASSERT_TRUE(input.Click("Entity Editor", "Switch to Selected Sprite"));
    EXPECT_EQ(dude->GetComponent<Sprite>()->GetTexture().name, "assets/img/Alien.png");

    ASSERT_TRUE(input.Click("Entity Editor", "Save Archetype File"));
    EXPECT_TRUE(input.ShowsText("json saved!"));

    // A fresh read of the written file makes the entity as it was edited.
    rapidjson::Document saved;
    std::string error;
    ASSERT_EQ(fb::ReadJsonFile("assets/json/aliendude.json", saved, error), fb::JsonFileStatus::Read) << error;
    EXPECT_EQ(saved["components"][1]["filename"], "assets/img/Alien.png");
    ASSERT_TRUE(EntityManager::LoadJson("aliendude.json"));
    std::shared_ptr<fb::Entity> again = EntityManager::LoadArchetype("aliendude");
    again->GetComponent<Sprite>()->Init();
    EXPECT_EQ(again->GetComponent<fb::cmp::Transform>()->GetScale(), glm::vec2(2.5f, 0.75f));
    EXPECT_FLOAT_EQ(again->GetComponent<fb::cmp::Transform>()->GetRotation(), 1.5f);
    EXPECT_FLOAT_EQ(again->GetComponent<Sprite>()->GetOpacity(), 0.5f);
    EXPECT_EQ(again->GetComponent<Sprite>()->GetTexture().name, "assets/img/Alien.png");

    // Values that are not finite numbers are refused where they are typed,
    // and one that gets into the entity some other way is refused by the save.
    const std::string written = FileText("assets/json/aliendude.json");
    for (const auto& [field, kept] : {std::pair{"ScaleX", "2.5"}, {"ScaleY", "0.75"}, {"Rotation", "1.5"},
                                      {"Opacity", "0.5"}}) {
        for (const char* typed : {"inf", "nan"}) {
            ASSERT_TRUE(input.TypeInto("Entity Editor", field, typed));
            ASSERT_TRUE(input.Click("Entity Editor", "Update values"));
            EXPECT_TRUE(input.ShowsText(std::string(field) + " takes only finite numbers")) << typed;
        }
        ASSERT_TRUE(input.TypeInto("Entity Editor", field, kept));
    }
    EXPECT_EQ(dude->GetComponent<fb::cmp::Transform>()->GetScale(), glm::vec2(2.5f, 0.75f));
    EXPECT_FLOAT_EQ(dude->GetComponent<fb::cmp::Transform>()->GetRotation(), 1.5f);
    EXPECT_FLOAT_EQ(dude->GetComponent<Sprite>()->GetOpacity(), 0.5f);
    ASSERT_TRUE(input.Click("Entity Editor", "Save Archetype File"));
    EXPECT_TRUE(input.ShowsText("json saved!"));
    EXPECT_EQ(FileText("assets/json/aliendude.json"), written);

    dude->GetComponent<fb::cmp::Transform>()->SetRotation(std::numeric_limits<float>::infinity());
    ASSERT_TRUE(input.Click("Entity Editor", "Save Archetype File"));
    EXPECT_TRUE(input.ShowsText("json NOT saved"));
    EXPECT_TRUE(Traced("assets/json/aliendude.json: components[0].rotation is inf"));
    EXPECT_EQ(FileText("assets/json/aliendude.json"), written);
    EXPECT_FLOAT_EQ(EntityManager::LoadArchetype("aliendude")->GetComponent<fb::cmp::Transform>()->GetRotation(), 1.5f)
        << "what is spawned next is what the file holds";

    // The archetype "PlayerA" is read from "playerA.json": a player's save
    // goes into that file, also beside the "PlayerA.json" an earlier save
    // may have left where case is told apart, and the next match is built
    // from it.
    std::ofstream("assets/json/PlayerA.json") << FileText("assets/json/playerA.json");
    const std::string before = FileText("assets/json/playerA.json");
    const std::vector<std::filesystem::path> files = ListFiles("assets/json", ".json");
    AISpawner::LoadFile(kAISpawnerFile);
    LoadLevel("assets/levels/tutorial.json");
    StateManager::SetNextState("GameplayState");
    Frames(2);
    auto* match = dynamic_cast<fb::TolveyTestState*>(StateManager::GetCurrentState());
    ASSERT_TRUE(match);
    ASSERT_TRUE(input.ClickEntry("Entity Selector", "##entities", IndexOf(EntityNames(), "Player 0"), "Player 0"));
    ASSERT_TRUE(input.TypeInto("Entity Editor", "ScaleX", "2.25"));
    ASSERT_TRUE(input.Click("Entity Editor", "Update values"));
    ASSERT_TRUE(input.Click("Entity Editor", "Save Archetype File"));
    EXPECT_TRUE(input.ShowsText("json saved!"));
    EXPECT_NE(FileText("assets/json/playerA.json"), before);
    EXPECT_EQ(FileText("assets/json/PlayerA.json"), before);
    EXPECT_EQ(ListFiles("assets/json", ".json"), files) << "no file made, none deleted";
    match->ReloadLevel(GetLevelPath());
    EXPECT_EQ(GetPlayer(0)->GetEntity()->GetComponent<fb::cmp::Transform>()->GetScale(), glm::vec2(2.25f, 1.5f));
}

} // namespace

namespace {

std::shared_ptr<fb::Entity> MadeInCode(const std::string& name, bool withSprite)
{
    auto entity = std::make_shared<fb::Entity>(name);
    entity->AddComponent<fb::cmp::Transform>(std::make_shared<fb::cmp::Transform>());
    if (withSprite)
        entity->AddComponent<Sprite>(std::make_shared<Sprite>("assets/img/Alien.png", 1.0f, 2));
    EntityManager::Add(entity);
    return entity;
}

TEST_F(EditorEntityTest, OnlyEntitiesWithAnArchetypeOfAPlainNameAreSaved)
{
    MadeInCode("madeInCode", true);
    MadeInCode("noSprite", false);
    std::ofstream("assets/json/escaper.json")
        << R"({"name": "../escaped", "components": [{"type": "Sprite", "filename": "assets/img/Alien.png"}]})";
    ASSERT_TRUE(EntityManager::LoadJson("escaper.json"));
    EntityManager::Add(EntityManager::LoadArchetype("../escaped"));
    OpenDebugWindows();

    for (const std::string name : {"madeInCode", "../escaped"}) {
        ASSERT_TRUE(input.ClickEntry("Entity Selector", "##entities", IndexOf(EntityNames(), name), name));
        ASSERT_TRUE(input.Click("Entity Editor", "Save Archetype File"));
        EXPECT_TRUE(input.ShowsText("json NOT saved")) << name;
        EXPECT_FALSE(input.ShowsText("json saved!")) << name;
    }
    EXPECT_FALSE(std::filesystem::exists("assets/json/madeInCode.json"));
    EXPECT_FALSE(std::filesystem::exists("assets/escaped.json"));
    EXPECT_TRUE(Traced("\"madeInCode\" was not made from an archetype file"));

    ASSERT_TRUE(input.ClickEntry("Entity Selector", "##entities", IndexOf(EntityNames(), "noSprite"), "noSprite"));
    EXPECT_TRUE(input.ShowsText("Name: noSprite"));
    EXPECT_FALSE(input.Click("Entity Editor", "Update values")) << "only an entity with a sprite is edited";

    // A selected entity that goes away leaves the hint behind.
    EntityManager::Remove(FindEntity("noSprite"));
    input.Fit("Entity Editor");
    EXPECT_TRUE(input.ShowsText("Select an entity in the Selector tool to modify it's archetype"));
}

} // namespace
