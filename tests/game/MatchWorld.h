#pragma once

// The match state run as the game runs it: a real window, the state
// manager switching into "GameplayState" from a menu stand-in after a map
// was loaded the way the level selection loads it, SDL virtual pads read by
// the input step, and frames in the game's order with the clock stepped by
// hand (1/60 s a frame, no waiting).

#include "GameEventLog.h"
#include "audio/AudioEngine.h"
#include "core/EntityManager.h"
#include "core/Game.h"
#include "core/Input.h"
#include "core/Random.h"
#include "core/StateManager.h"
#include "core/Time.h"
#include "core/Trace.h"
#include "game/AISpawner.h"
#include "game/GoalZones.h"
#include "game/LevelReload.h"
#include "game/Players.h"
#include "game/TolveyTestState.h"
#include "level/Level.h"
#include "level/Portal.h"
#include "physics/ColliderPool.h"
#include "render/Renderer.h"
#include "support/EntitiesNamed.h"
#include "support/GLTestWindow.h"
#include "support/PrivateXServer.h"
#include "support/StateStandIn.h"
#include "support/StillCamera.h"
#include "support/VirtualPad.h"
#include "ui/InputMode.h"
#include "ui/LevelSelector.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Stands in for a menu screen that the match may ask for; it counts how
// often it was entered.
class MenuStandIn : public fb::GS {
public:
    void Init() override { ++entered; }
    int entered = 0;
};

// Registers a stand-in under the name unless the game has a state of that
// name already; returns the state to watch, or null for a real one.
inline MenuStandIn* StandInFor(const std::string& name)
{
    const std::vector<std::string> names = StateManager::GetStateNames();
    if (std::find(names.begin(), names.end(), name) != names.end())
        return nullptr;
    static std::vector<std::unique_ptr<MenuStandIn>> made;
    made.push_back(std::make_unique<MenuStandIn>());
    StateManager::Register(name, made.back().get());
    return made.back().get();
}

class MatchWorld : public ::testing::Test {
protected:
    static constexpr float kFrame = 1.0f / 60.0f;
    static constexpr const char* kMenu = "MatchTestMenu";

    void SetUp() override
    {
        mOldSink = SetTraceSink([this](const std::string& message, int level) {
            if (level >= 3)
                traces.push_back(message);
        });
        // A screen of its own, with the pointer parked off the window, so that
        // no other test's pointer hovers the match's buttons.
        xServer = std::make_unique<PrivateXServer>(1280, 1024);
        window = std::make_unique<GLTestWindow>(windowWidth, windowHeight);
        SDL_WarpMouseGlobal(0, 0);
        AudioEngine::Initialize();
        InitBoxColliders();
        EntityManager::Init();
        Time::Init();
        Time::SetDt(kFrame);
        Time::SetTimeScale(1.0f);
        // The match's camera as a run starts with it, and no shake left that
        // would draw on the random numbers (running it out draws on them too).
        *gGameplayCamera = CamManager::Camera(glm::vec2(0.0f), 0.0f, 20.0f, 20.0f);
        UseStillCamera();
        Random::Seed(11);
        GoalZones::ResetGlobals();
        ResetInputMode();
        UnloadLevel();
        UnloadTileset();
        framesRun = 0;
        SetPortalClock([] { return framesRun * 1000 / 60; });
        match = std::make_unique<fb::TolveyTestState>();
        matchName.emplace("GameplayState", *match);
        menu = StandInFor(kMenu);
        mainMenu = StandInFor("MainMenuState");
        levelSelect = StandInFor("LevelSelectState");
        events = GameEventLog::Attach();
    }

    void TearDown() override
    {
        LeaveMatch();
        matchName.reset();
        match.reset();
        SetPortalClock(nullptr);
        Input::Shutdown();
        pads.clear();
        EntityManager::Clear();
        ShutdownBoxColliders();
        AudioEngine::Shutdown();
        window.reset();
        xServer.reset();
        SetTraceSink(mOldSink);
    }

    void PlugIn(int count)
    {
        pads = PlugInPads(count);
        Input::Init();
    }

    // As the level selection does before it asks for the match: the AI
    // spawner file and the map, then "GameplayState" from the menu.
    static void EnterMatch(const std::string& map)
    {
        StateManager::Start(kMenu);
        UnloadTileset();
        UnloadLevel();
        AISpawner::LoadFile(kAISpawnerFile);
        LoadLevel(map);
        StateManager::SetNextState("GameplayState");
        StateManager::Update();
    }

    static void LeaveMatch()
    {
        if (StateManager::GetCurrentState() == Match()) {
            StateManager::SetNextState(kMenu);
            StateManager::Update();
        }
    }

    static fb::TolveyTestState* Match()
    {
        return dynamic_cast<fb::TolveyTestState*>(StateManager::GetCurrentState());
    }

    // One frame in the game's order, without the clock's wait. The drawing
    // steps draw only once their renderers are initialised.
    static void Frame()
    {
        ++framesRun;
        AudioEngine::Update();
        Renderer::BeginFrame();
        UpdateInputMode();
        StateManager::Update();
        Game::UpdateWorld();
        Game::PresentFrame();
    }

    // A frame of the entities alone: the match's own update (zones,
    // spawners, events) is left out, so that only what a test makes moves.
    static void EntityFrame()
    {
        ++framesRun;
        Renderer::BeginFrame();
        Game::UpdateWorld();
    }

    static void Frames(int count)
    {
        for (int i = 0; i < count; ++i)
            Frame();
    }

    // Frames until the countdown has let the players go.
    static void RunCountdown()
    {
        for (int i = 0; i < 1000 && Match() && Match()->GetCountdown() > 0; ++i)
            Frame();
    }

    // Presses the button for a frame and lets it go for a frame.
    void Tap(int pad, SDL_GameControllerButton button)
    {
        pads.at(static_cast<std::size_t>(pad))->Press(button);
        Frame();
        pads.at(static_cast<std::size_t>(pad))->Release(button);
        Frame();
    }

    // The maps of the level list, as the level selection offers them.
    static std::vector<std::string> ShippedMaps()
    {
        LevelSelector list;
        list.RefreshLevelList();
        std::vector<std::string> maps;
        for (int i = 0; i < list.GetLevelCount(); ++i)
            maps.push_back(list.GetLevelName(i));
        return maps;
    }

    bool Traced(const std::string& text) const
    {
        return std::any_of(traces.begin(), traces.end(),
                           [&](const std::string& message) { return message.find(text) != std::string::npos; });
    }

    // Frames run since the test began, by Frame and EntityFrame.
    static inline std::int64_t framesRun = 0;

    int windowWidth = 320;
    int windowHeight = 200;
    std::unique_ptr<PrivateXServer> xServer;
    std::unique_ptr<GLTestWindow> window;
    std::vector<std::unique_ptr<VirtualPad>> pads;
    std::shared_ptr<GameEventLog> events;
    std::vector<std::string> traces;
    MenuStandIn* menu = nullptr;
    MenuStandIn* mainMenu = nullptr;
    MenuStandIn* levelSelect = nullptr;

private:
    std::unique_ptr<fb::TolveyTestState> match;
    std::optional<StateStandIn> matchName;
    TraceSink mOldSink;
};
