#include "MatchWorld.h"

#include "audio/CharacterEvent.h"
#include "audio/SoundBinder.h"
#include "core/EventChannels.h"
#include "core/JsonFile.h"
#include "core/JsonWriting.h"
#include "core/Transform.h"
#include "game/CharacterGlobals.h"
#include "game/RandomEvents.h"
#include "game/SlimeUI.h"
#include "level/TestMap.h"
#include "physics/AdvancedBody.h"
#include "render/CamManager.h"
#include "render/Sprite.h"

#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace {

using MatchStateTest = MatchWorld;

TEST_F(MatchStateTest, EveryShippedMapStartsAMatchAndCountsDown)
{
    Time::SetDt(0.1f);
    PlugIn(4);
    const std::vector<std::string> maps = ShippedMaps();
    ASSERT_GE(maps.size(), 5u);
    for (const std::string& map : maps) {
        SCOPED_TRACE(map);
        EnterMatch(map);
        ASSERT_NE(Match(), nullptr);
        EXPECT_FALSE(Match()->HasFailed());
        EXPECT_EQ(GetPlayerCount(), 4);
        EXPECT_FALSE(IsPlayerControlEnabled());
        EXPECT_EQ(CamManager::GetActiveCamera(), gGameplayCamera);
        const fb::SoundEvent& music = Match()->GetMusic();
        EXPECT_TRUE(AudioEngine::IsPlaying(music.GetChannel()));
        EXPECT_EQ(music.GetGroup(), "Music");
        EXPECT_TRUE(music.GetLoop());
        EXPECT_NE(music.GetFile().find("./assets/sound/"), std::string::npos);
        const int musicChannel = music.GetChannel();
        RunCountdown();
        EXPECT_EQ(Match()->GetCountdown(), 0);
        EXPECT_TRUE(IsPlayerControlEnabled());
        Frames(20);
        EXPECT_EQ(SlimeUI::GetWinningPlayer(), -1);
        LeaveMatch();
        EXPECT_FALSE(AudioEngine::IsPlaying(musicChannel));
        EXPECT_EQ(GetPlayerCount(), 0);
        EXPECT_EQ(GetLevelSize(), std::make_pair(0, 0));
        EXPECT_EQ(Time::GetTimeScale(), 1.0f);
    }
    EXPECT_EQ(events->Count("roundStart"), static_cast<int>(maps.size()));
}

} // namespace

namespace {

std::shared_ptr<Sprite> SpriteOf(const std::string& name)
{
    const auto found = EntitiesNamed(name);
    return found.size() == 1 ? found.front()->GetComponent<Sprite>() : nullptr;
}

TEST_F(MatchStateTest, ARoundCountsDownPlaysWithEventsAndEndsWithTheWinnersMenu)
{
    // Quarter-second frames: exact in binary, so the timers land on their marks.
    constexpr float kStep = 0.25f;
    Time::SetDt(kStep);
    PlugIn(2);
    EnterMatch("assets/levels/tutorial.json");
    ASSERT_EQ(GetPlayerCount(), 2);

    // 4, 3, 2, 1 a second each (the first match of a run shows 4 for only
    // two frames); the players are let go as it reaches 0.
    int frames = 0;
    while (Match()->GetCountdown() > 0 && frames < 100) {
        EXPECT_FALSE(IsPlayerControlEnabled());
        EXPECT_EQ(gRandomEventTimer, 20.0f);
        Frame();
        ++frames;
    }
    EXPECT_GE(frames * kStep, 3.0f);
    EXPECT_LE(frames * kStep, 5.0f);
    EXPECT_EQ(events->Count("countdownBeep"), 3);
    EXPECT_EQ(events->Count("roundStart"), 1);
    EXPECT_TRUE(IsPlayerControlEnabled());

    // The first event 20 s into the round (counted from the frame that ended
    // the countdown), the next 40 s later: each a frame after its timer
    // reached 0, once it is below 0.
    std::vector<int> eventFrames;
    for (frames = 0; frames < 300 && eventFrames.size() < 2; ++frames) {
        const float before = gRandomEventAnnounceTime;
        Frame();
        if (gRandomEventAnnounceTime > before)
            eventFrames.push_back(frames);
    }
    ASSERT_EQ(eventFrames.size(), 2u);
    EXPECT_EQ(eventFrames[0], 20 * 4 - 1);
    EXPECT_EQ(eventFrames[1] - eventFrames[0], 40 * 4 + 1);
    EXPECT_FALSE(gRandomEventTitle.empty());

    // A winner index of no present player is no winner.
    SlimeUI::SetWinningPlayer(3);
    Frames(8);
    EXPECT_EQ(gGameEndTimer, 6.0f);
    EXPECT_TRUE(IsPlayerControlEnabled());

    // The announcement takes 6 s of real time, whatever the time scale.
    SlimeUI::SetWinningPlayer(1);
    Time::SetTimeScale(0.5f);
    for (frames = 0; gGameEndTimer > 0.0f && frames < 100; ++frames) {
        EXPECT_TRUE(EntitiesNamed("NextMap Button").empty());
        Frame();
    }
    EXPECT_EQ(frames, 24);
    EXPECT_FALSE(IsPlayerControlEnabled());
    EXPECT_EQ(Time::GetTimeScale(), 0.0f);
    for (const char* button : {"NextMap Button", "ReplayMap Button", "MainMenu Button"}) {
        ASSERT_NE(SpriteOf(button), nullptr) << button;
        EXPECT_EQ(SpriteOf(button)->GetOpacity(), 1.0f) << button;
    }
    Frames(8);
    EXPECT_EQ(EntitiesNamed("NextMap Button").size(), 1u);
    // Nothing piles up while the menu waits a minute: the sky's streaks made
    // while time stands still end in real time.
    const std::size_t waiting = EntityManager::GetEntities().size();
    Frames(60 * 4);
    EXPECT_LE(EntityManager::GetEntities().size(), waiting + 20);
    ControllerModeFlag = false;
    Frame();
    EXPECT_NE(Match()->GetCursor().GetPosition(), MenuCursor::kParked) << "a mouse player sees the menu's cursor";

    // On the pad: A lets the menu follow the pad, which selects NextMap;
    // left moves to ReplayMap, and A plays the same map again.
    Tap(0, SDL_CONTROLLER_BUTTON_A);
    Frame();
    EXPECT_EQ(Match()->GetCursor().GetPosition(), MenuCursor::kParked);
    Tap(0, SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    Tap(0, SDL_CONTROLLER_BUTTON_A);
    Frame();
    EXPECT_EQ(GetLevelPath(), "assets/levels/tutorial.json");
    EXPECT_GE(Match()->GetCountdown(), 3);
    EXPECT_EQ(SlimeUI::GetWinningPlayer(), -1);
    EXPECT_EQ(Time::GetTimeScale(), 1.0f);
    EXPECT_EQ(GetPlayerCount(), 2);
    EXPECT_TRUE(EntitiesNamed("NextMap Button").empty());
    RunCountdown();
    EXPECT_EQ(events->Count("roundStart"), 2);

    // NextMap after the last map of the list is the first.
    SlimeUI::SetWinningPlayer(0);
    Frames(26);
    Tap(0, SDL_CONTROLLER_BUTTON_A);
    Frame();
    EXPECT_EQ(GetLevelPath(), ShippedMaps().front());
    RunCountdown();

    SlimeUI::SetWinningPlayer(0);
    Frames(26);
    Tap(0, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    Tap(0, SDL_CONTROLLER_BUTTON_A);
    Frames(2);
    EXPECT_EQ(Match(), nullptr);
    if (mainMenu) {
        EXPECT_EQ(mainMenu->entered, 1);
    }
    EXPECT_EQ(GetPlayerCount(), 0);
    EXPECT_EQ(events->Count("roundStart"), 3);
}

TEST(NextMapPath, GoesThroughEveryMapAndWrapsToTheFirst)
{
    const std::vector<std::string> maps = {"assets/levels/a.json", "assets/levels/b.json", "assets/levels/c.json"};
    EXPECT_EQ(NextMapPath(maps, "./assets/levels/a.json"), maps[1]);
    EXPECT_EQ(NextMapPath(maps, "assets/levels/b.json"), maps[2]);
    EXPECT_EQ(NextMapPath(maps, "assets/levels/c.json"), maps[0]);
    EXPECT_EQ(NextMapPath(maps, "elsewhere/d.json"), maps[0]);
    EXPECT_EQ(NextMapPath({maps[0]}, maps[0]), maps[0]);
    EXPECT_EQ(NextMapPath({}, maps[0]), "");
}

TEST_F(MatchStateTest, BadMapsNeverEndTheGame)
{
    const std::filesystem::path scratch = std::filesystem::temp_directory_path() / "vendrabolt-match-test";
    std::filesystem::create_directories(scratch);
    const std::string broken = (scratch / "broken.json").string();
    std::ofstream(broken) << "{\"type\": \"map\", \"width\": ";
    const std::string keyless = (scratch / "keyless.json").string();
    std::ofstream(keyless) << "{\"type\": \"map\"}";
    const std::string tileset = (scratch / "tileset.json").string();
    std::ofstream(tileset) << "{\"type\": \"tileset\"}";
    PlugIn(1);
    EnterMatch("assets/levels/tutorial.json");
    RunCountdown();

    // Checked before the match is torn down: the round goes on.
    for (const std::string& map : {std::string("assets/levels/missing.json"), broken, tileset, std::string()}) {
        SCOPED_TRACE(map);
        Match()->ReloadLevel(map);
        EXPECT_FALSE(Match()->HasFailed());
        EXPECT_EQ(GetLevelPath(), "assets/levels/tutorial.json");
        EXPECT_EQ(Match()->GetCountdown(), 0);
        EXPECT_EQ(GetPlayerCount(), 1);
    }
    EXPECT_TRUE(Traced("missing.json"));
    EXPECT_TRUE(Traced("broken.json"));

    // A map that fails once the match is gone leads to the main menu.
    Match()->ReloadLevel(keyless);
    EXPECT_TRUE(Match()->HasFailed());
    EXPECT_TRUE(Traced("keyless.json"));
    Frame();
    EXPECT_EQ(Match(), nullptr);
    if (mainMenu) {
        EXPECT_EQ(mainMenu->entered, 1);
    }

    // A restart through the state manager has no level left to play on.
    EnterMatch("assets/levels/tutorial.json");
    StateManager::Restart();
    Frame();
    EXPECT_TRUE(Match()->HasFailed());
    Frames(2);
    EXPECT_EQ(Match(), nullptr);
    if (levelSelect) {
        EXPECT_EQ(levelSelect->entered, 1);
    }
    std::filesystem::remove_all(scratch);
}

glm::vec2 PlayerAt(int player)
{
    return GetPlayer(player)->GetEntity()->GetComponent<fb::cmp::Transform>()->GetPosition();
}

float PlayerSpeedX(int player)
{
    return GetPlayer(player)->GetEntity()->GetComponent<fb::cmp::AdvancedBody>()->GetVelocity().x;
}

// Within the edges past which the screen wrap sends a player back.
bool InsideTheMap(glm::vec2 at)
{
    const auto [width, height] = GetLevelSize();
    const glm::vec2 half((static_cast<float>(width) - 3.0f) / 2.0f, (static_cast<float>(height) - 3.0f) / 2.0f);
    return at.x >= 0.5f - half.x && at.x <= half.x + 0.5f && at.y >= 0.5f - half.y && at.y <= half.y + 0.5f;
}

// A map 24 tiles wide with a floor across it three tiles above its bottom
// edge, and spawn points of one tile with their top-left corners on those
// tiles (column, row).
std::string FloorMap(const std::filesystem::path& folder, int height, const std::vector<glm::ivec2>& spawnTiles)
{
    TestMap map;
    map.rows.assign(static_cast<std::size_t>(height), std::string(24, '.'));
    map.rows[static_cast<std::size_t>(height - 4)] = std::string(24, '#');
    for (std::size_t i = 0; i < spawnTiles.size(); ++i)
        map.objects.push_back(MapObjectJson("P" + std::to_string(i), "SpawnPoint", 64.0f * spawnTiles[i].x,
                                            64.0f * spawnTiles[i].y, 64.0f, 64.0f, static_cast<int>(i) + 1));
    return map.Write(folder, "spawns" + std::to_string(spawnTiles.size()) + "-" + std::to_string(height) + ".json");
}

// Where a match on a map with fewer than four spawn points puts player i:
// two on each side of the middle, in units of a fortieth of the map's width.
glm::vec2 StartWithoutSpawnPoint(int player)
{
    const float unit = static_cast<float>(GetLevelSize().first) / 40.0f;
    constexpr std::array<float, 4> kX = {-10.0f, -15.0f, 10.0f, 15.0f};
    return {kX.at(static_cast<std::size_t>(player)) * unit, -15.0f * unit};
}

void ExpectNear(glm::vec2 at, glm::vec2 expected, const std::string& who)
{
    EXPECT_NEAR(at.x, expected.x, 0.5f) << who;
    EXPECT_NEAR(at.y, expected.y, 0.5f) << who;
}

TEST_F(MatchStateTest, EveryPadSteersAPlayerInsideTheMapWhateverItsSpawnPointsAndPadSlots)
{
    const std::filesystem::path scratch = std::filesystem::temp_directory_path() / "vendrabolt-spawn-test";
    // 24 by 30: the starts without a spawn point lie inside, above the floor.
    const std::vector<glm::ivec2> threePoints = {{4, 6}, {11, 6}, {18, 6}};
    // Far below the map for a frame: the screen wrap brings the player back.
    const auto fallOff = [](int player) {
        GetPlayer(player)->GetEntity()->GetComponent<fb::cmp::Transform>()->SetPosition(0.0f, -1000.0f);
        Frame();
    };
    PlugIn(4);
    EnterMatch(FloorMap(scratch, 30, threePoints));
    ASSERT_EQ(GetSpawnPoints().size(), 3u);
    ASSERT_EQ(GetPlayerCount(), 4);
    // Three points are fewer than the players: nobody starts on one.
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(PlayerAt(i), StartWithoutSpawnPoint(i)) << i;
        EXPECT_TRUE(InsideTheMap(PlayerAt(i))) << i;
    }
    RunCountdown();
    for (const auto& pad : pads)
        pad->SetStick(1.0f, 0.0f);
    Frames(20);
    for (int i = 0; i < 4; ++i) {
        EXPECT_GT(PlayerSpeedX(i), 0.0f) << i;
        EXPECT_TRUE(InsideTheMap(PlayerAt(i))) << i;
    }

    // A fall out of the bottom brings a player back to the spawn point of
    // its own number, or to the middle when the map has none for it.
    fallOff(1);
    ExpectNear(PlayerAt(1), glm::vec2(GetSpawnPoints()[1].x, GetSpawnPoints()[1].y), "player 1");
    fallOff(3);
    ExpectNear(PlayerAt(3), glm::vec2(0.0f, 0.0f), "player 3");

    // The pad of slot 0 is pulled: after a replay the pad left in slot 3
    // still steers the fourth player; the first is the keyboard's.
    pads[0]->Unplug();
    Frame();
    Match()->ReplayMap();
    ASSERT_EQ(GetPlayerCount(), 4);
    RunCountdown();
    pads[3]->SetStick(-1.0f, 0.0f);
    Frames(10);
    EXPECT_LT(PlayerSpeedX(3), 0.0f);
    EXPECT_EQ(PlayerSpeedX(0), 0.0f);

    // A map without spawn points: the same starts; the players fall to the
    // floor and run there, and come back to the middle.
    Match()->ReloadLevel(FloorMap(scratch, 30, {}));
    ASSERT_TRUE(GetSpawnPoints().empty());
    ASSERT_EQ(GetPlayerCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(PlayerAt(i), StartWithoutSpawnPoint(i)) << i;
    RunCountdown();
    for (std::size_t pad = 1; pad < 4; ++pad)
        pads[pad]->SetStick(-1.0f, 0.0f);
    Frames(60);
    for (int i = 1; i < 4; ++i) {
        EXPECT_TRUE(InsideTheMap(PlayerAt(i))) << i;
        EXPECT_TRUE(GetPlayer(i)->IsGrounded()) << i;
        EXPECT_LT(PlayerSpeedX(i), 0.0f) << i;
    }
    fallOff(2);
    ExpectNear(PlayerAt(2), glm::vec2(0.0f, 0.0f), "player 2");

    // On a map only 12 high those starts lie below the bottom edge (y -4):
    // the players start on it instead.
    Match()->ReloadLevel(FloorMap(scratch, 12, {}));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(PlayerAt(i), glm::vec2(StartWithoutSpawnPoint(i).x, -4.0f)) << i;

    // A spawn point in the corner tile, past the edges (-10, 5), starts the
    // first player on the nearest point inside them, and brings it back there.
    Match()->ReloadLevel(FloorMap(scratch, 12, {{0, 0}, {8, 4}, {12, 4}, {16, 4}}));
    ASSERT_EQ(GetSpawnPoints().size(), 4u);
    EXPECT_EQ(PlayerAt(0), glm::vec2(-10.0f, 5.0f));
    EXPECT_EQ(PlayerAt(1), glm::vec2(GetSpawnPoints()[1].x, GetSpawnPoints()[1].y));
    RunCountdown();
    fallOff(0);
    ExpectNear(PlayerAt(0), glm::vec2(-10.0f, 5.0f), "player 0");
    std::filesystem::remove_all(scratch);
}

// A shipped map with its foreground cleared in the given columns from the
// given row down to the bottom edge, written into the folder.
std::string MapWithOpening(const std::filesystem::path& folder, const std::string& shipped, int firstColumn,
                           int lastColumn, int firstRow)
{
    rapidjson::Document map;
    std::string error;
    EXPECT_EQ(fb::ReadJsonFile("assets/levels/" + shipped + ".json", map, error), fb::JsonFileStatus::Read) << error;
    const int width = map["width"].GetInt();
    const int height = map["height"].GetInt();
    for (auto& layer : map["layers"].GetArray()) {
        if (std::string(layer["name"].GetString()) != "Foreground")
            continue;
        auto data = layer["data"].GetArray();
        for (int row = firstRow; row < height; ++row) {
            for (int column = firstColumn; column <= lastColumn; ++column)
                data[static_cast<rapidjson::SizeType>(row * width + column)].SetInt(0);
        }
    }
    std::string written;
    EXPECT_TRUE(fb::WriteJson(map, fb::JsonLayout::Compact, written, error)) << error;
    std::filesystem::create_directories(folder);
    const std::filesystem::path path = folder / (shipped + "-opened.json");
    std::ofstream(path, std::ios::binary) << written;
    return path.string();
}

TEST_F(MatchStateTest, APlayerWhoseSpawnPointLiesOverAnOpeningFallsNoFasterThanOneFallAndTheViewKeepsTheMap)
{
    // The fastest and the widest that player 0 and the camera get in ten
    // seconds without input, and how often the player came up more than two
    // units in a frame: sent back to its spawn point.
    struct Run {
        float speed = 0.0f;
        float viewWidth = 0.0f;
        int returns = 0;
    };
    const auto play = [this](const std::string& map) {
        EnterMatch(map);
        RunCountdown();
        Run run;
        const auto transform = GetPlayer(0)->GetEntity()->GetComponent<fb::cmp::Transform>();
        const auto body = GetPlayer(0)->GetEntity()->GetComponent<fb::cmp::AdvancedBody>();
        for (int frame = 0; frame < 600; ++frame) {
            const float before = transform->GetPosition().y;
            Frame();
            run.returns += transform->GetPosition().y > before + 2.0f;
            run.speed = std::max(run.speed, glm::length(body->GetVelocity()));
            run.viewWidth = std::max(run.viewWidth, gGameplayCamera->GetScale().x);
        }
        LeaveMatch();
        return run;
    };
    PlugIn(1);
    const Run shipped = play("assets/levels/crystal_caverns.json");
    const std::filesystem::path scratch = std::filesystem::temp_directory_path() / "vendrabolt-opening-test";
    const Run opened = play(MapWithOpening(scratch, "crystal_caverns", 18, 25, 30));
    std::filesystem::remove_all(scratch);

    EXPECT_EQ(shipped.returns, 0);
    EXPECT_GE(opened.returns, 3) << "player 0 falls out of the opening again and again";
    // Each return starts a fall from rest: never faster than one from the
    // top edge of the map, 36 tiles high, to the bottom one.
    constexpr float kMapHeight = 36.0f;
    const float oneFall = std::sqrt(2.0f * std::fabs(CharacterGlobals::GetGravity()) * kMapHeight);
    EXPECT_LE(opened.speed, oneFall);
    EXPECT_LE(opened.viewWidth, 1.5f * shipped.viewWidth);
}

TEST_F(MatchStateTest, AfterAHundredEffectsTheCreditsOfThePauseMenuLeaveOneMatchMusic)
{
    // The game's sound binder with the shipped sound sets.
    fb::SoundBinder binder;
    ASSERT_TRUE(binder.LoadFile("CharacterSounds.json"));
    ASSERT_TRUE(binder.LoadFile("GameSounds.json"));
    PlugIn(1);
    // The menus' clicks come first, so the music does not hold the lowest id.
    for (int i = 0; i < 2; ++i)
        fb::evt::GameEventSubject::Get()->CallNotify(fb::evt::GameEvent(nullptr, fb::evt::GameEventType::MenuPress));
    EnterMatch("assets/levels/tutorial.json");
    const fb::SoundEvent& music = Match()->GetMusic();
    ASSERT_NE(music.GetChannel(), 0);
    RunCountdown();

    // A hundred jumps, ten at a time, each batch heard to its end: the
    // mixer ends its channels in its own time, polled until it has.
    const auto effectsEnded = [] {
        for (int poll = 0; poll < 6000; ++poll) {
            if (AudioEngine::CountPlaying("Effects") == 0)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    };
    int heard = 0;
    for (int i = 0; i < 100; ++i) {
        fb::evt::CharacterEventSubject::Get()->CallNotify(
            fb::evt::CharacterEvent(fb::evt::CharacterEventType::Jump, GetPlayer(0)->GetEntity()));
        Frame();
        if (i % 10 == 9) {
            heard += AudioEngine::CountPlaying("Effects");
            ASSERT_TRUE(effectsEnded()) << "the effects of jumps " << i - 9 << " to " << i << " never ended";
        }
    }
    ASSERT_GT(heard, 0) << "no jump was heard, so no effect took a channel";
    EXPECT_TRUE(music.IsPlaying());
    EXPECT_EQ(AudioEngine::CountPlaying("Music"), 1);

    // A touch of the pad hands the menus to it; Start pauses on Resume, and
    // Credits is one down. Back works after the roll's first second.
    Tap(0, SDL_CONTROLLER_BUTTON_A);
    Frame();
    ASSERT_FALSE(IsMouseMode());
    Tap(0, SDL_CONTROLLER_BUTTON_START);
    ASSERT_TRUE(Match()->IsPaused());
    Tap(0, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    Tap(0, SDL_CONTROLLER_BUTTON_A);
    Frame();
    ASSERT_EQ(Match()->GetPauseMenu().GetSubScreen().GetScreen(), SubScreenHost::Screen::Credits);
    ASSERT_TRUE(Match()->GetPauseMenu().GetSubScreen().IsOpen());
    Frames(61);
    Tap(0, SDL_CONTROLLER_BUTTON_A);
    Frame();
    ASSERT_FALSE(Match()->GetPauseMenu().GetSubScreen().IsOpen());
    Frames(2);
    EXPECT_TRUE(music.IsPlaying());
    EXPECT_EQ(AudioEngine::CountPlaying("Music"), 1);
}

} // namespace
