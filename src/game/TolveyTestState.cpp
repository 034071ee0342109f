#include "game/TolveyTestState.h"

#include "audio/GameEvent.h"
#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/EventChannels.h"
#include "core/Random.h"
#include "core/StateManager.h"
#include "core/Time.h"
#include "core/Trace.h"
#include "core/Transform.h"
#include "game/AISpawner.h"
#include "game/CharacterGlobals.h"
#include "game/GoalZones.h"
#include "game/LevelReload.h"
#include "game/PlayerColours.h"
#include "game/Players.h"
#include "game/RandomEvents.h"
#include "game/RoundUpdate.h"
#include "game/SlimeUI.h"
#include "game/WrapperObject.h"
#include "level/Level.h"
#include "level/LevelBuilder.h"
#include "level/TutorialHints.h"
#include "level/WrapBounds.h"
#include "physics/AdvancedBody.h"
#include "render/ParticleEffects.h"
#include "render/ParticleSystem.h"
#include "render/Renderer.h"
#include "render/Sprite.h"
#include "render/TextRenderer.h"
#include "ui/Button.h"

#include <SDL.h>
#include <algorithm>
#include <array>
#include <cmath>
#include <exception>

namespace {

// The match's camera as a run starts with it. Every match and every restart
// starts from it again, whatever the last one (or an editor) did to it.
CamManager::Camera StartingCamera()
{
    return CamManager::Camera(glm::vec2(0.0f, 0.0f), 0.0f, 20.0f, 20.0f);
}

} // namespace

std::shared_ptr<CamManager::Camera> gGameplayCamera = std::make_shared<CamManager::Camera>(StartingCamera());
float gGameEndTimer = 6.0f;
UIFramework gGameplayUI;

namespace {

// Made once and never deleted; held here as well as in the registry.
fb::TolveyTestState* const gState = new fb::TolveyTestState();
StateManager::Registration gRegistration("GameplayState", gState);

constexpr int kCountdownStart = 4;
constexpr float kAnnouncementTime = 6.0f;
constexpr float kStreakStep = 1.0f / 60.0f;
constexpr glm::vec3 kEndTimerColour(0.7f, 0.2f, 0.2f);
constexpr float kCursorSize = 5.0f;
// The cursor picture's tip lies this far from its centre.
constexpr glm::vec2 kCursorOffset{1.5f, -2.0f};

// The slime display, in HUD units: boxes and magazines along the bottom.
constexpr std::array<float, 4> kBoxX = {-13.5f, -5.0f, 5.0f, 13.5f};
constexpr std::array<float, 4> kMagazineX = {-15.5f, -7.0f, 3.0f, 11.5f};
constexpr float kDisplayY = -7.5f;

const std::array<const char*, 4> kMusic = {"./assets/sound/AlmightyDollar.mp3", "./assets/sound/Distinction_loop.mp3",
                                           "./assets/sound/KeepingUp_loop.mp3", "./assets/sound/AutoPilot_loop.mp3"};

// The end menu's buttons, made anew for every round that ends.
struct EndButton {
    const char* name;
    const char* image;
    float x; // in widths of a twentieth of the map
    std::shared_ptr<Button> button;
};
enum EndChoice { kNextMap, kReplayMap, kMainMenu };
std::array<EndButton, 3> gEndButtons = {{
    {"NextMap Button", "./assets/img/ButtonNextMap.png", 0.0f, std::make_shared<Button>()},
    {"ReplayMap Button", "./assets/img/ButtonReplayMap.png", -5.0f, std::make_shared<Button>()},
    {"MainMenu Button", "./assets/img/ButtonMainMenu.png", 5.0f, std::make_shared<Button>()},
}};

void SendGameEvent(std::uint32_t type)
{
    fb::evt::GameEventSubject::Get()->CallNotify(fb::evt::GameEvent(nullptr, type));
}

glm::vec2 LevelSize()
{
    const auto [width, height] = GetLevelSize();
    return {static_cast<float>(width), static_cast<float>(height)};
}

Button& EndButtonFor(EndChoice choice)
{
    return *gEndButtons[choice].button;
}

void BuildEndButtons()
{
    // Placed and sized in twentieths of the map.
    const glm::vec2 unit = LevelSize() / 20.0f;
    for (EndButton& end : gEndButtons) {
        auto entity = std::make_shared<fb::Entity>(end.name);
        entity->AddComponent(std::make_shared<Sprite>(end.image, 1.0f, 5));
        entity->AddComponent(std::make_shared<fb::cmp::Transform>(
            glm::vec2(end.x * unit.x, 0.0f), glm::vec2(4.0f * unit.x, 3.0f * unit.y), 0.0f));
        end.button = std::make_shared<Button>();
        entity->AddComponent(end.button);
        EntityManager::Add(entity);
    }
    for (EndChoice choice : {kNextMap, kMainMenu, kReplayMap})
        gGameplayUI.AddButton(gEndButtons[choice].button);
    EndButtonFor(kNextMap).right = &EndButtonFor(kMainMenu);
    EndButtonFor(kMainMenu).left = &EndButtonFor(kNextMap);
    EndButtonFor(kNextMap).left = &EndButtonFor(kReplayMap);
    EndButtonFor(kReplayMap).right = &EndButtonFor(kNextMap);
}

void ShowEndButtons(bool shown)
{
    for (EndChoice choice : {kReplayMap, kNextMap, kMainMenu})
        EndButtonFor(choice).SetActive(shown);
}

} // namespace

namespace fb {

void TolveyTestState::Load()
{
    mFailed = false;
    try {
        AISpawner::LoadFile(kAISpawnerFile);
        BuildLevel();
    } catch (const std::exception& error) {
        Fail(std::string("The match could not be loaded: ") + error.what(), "MainMenuState");
    }
}

void TolveyTestState::Init()
{
    if (mFailed)
        return;
    const auto [width, height] = GetLevelSize();
    if (width <= 0 || height <= 0) {
        Fail("The match was entered without a level", "LevelSelectState");
        return;
    }
    try {
        Start();
    } catch (const std::exception& error) {
        Fail(std::string("The match could not be started: ") + error.what(), "MainMenuState");
    }
}

void TolveyTestState::Start()
{
    // Built at the first winner frame even when the round is won at once.
    mEndButtonsPending = true;
    *gGameplayCamera = StartingCamera();
    gGameplayCamera->SetFollow(true);
    mCountdown = kCountdownStart;
    mCountdownTimer.SetDuration(1.0f);
    mColourPhase = 10.0f;
    gGameplayUI.Clear();

    CreatePlayers();
    gGameplayCamera->SetScale(LevelSize());
    CamManager::SetActiveCamera(gGameplayCamera);
    if (!LoadCharacterGlobals("characterGlobalsDefault.json"))
        Trace("The match runs with the tuning values it had", 3);
    GoalZones::Init();
    SlimeUI::Initialize();
    PlacePlayers();
    ActivatePlayers();
    PlaceSlimeDisplay();
    StartMusic();
    for (Character* player : gPlayers)
        player->GetEntity()->AddComponent(std::make_shared<WrapperObject>());
    AddTrails();
    SetPlayerControlEnabled(false);
    Renderer::SetBackground(GetLevelBackground());
    // The pause menu keeps the time scale of the match to give it back.
    const glm::vec2 size = LevelSize();
    mPauseMenu.Start(std::min(size.x, size.y) / 20.0f, gGameplayCamera, &mMusic);
    ResetRandomEvents();
    SlimeUI::Update(false);
    SlimeUI::Update(true);
}

void TolveyTestState::StartMusic()
{
    mMusic.SetGroup("Music");
    mMusic.SetFile(kMusic[static_cast<std::size_t>(Random::Int(1, 4) - 1)]);
    mMusic.SetStream(true);
    mMusic.SetLoop(true);
    mMusic.SetVolume(0.5f);
    mMusic.Play();
}

void TolveyTestState::PlacePlayers()
{
    const float unit = LevelSize().x / 40.0f;
    const std::vector<LevelArea> spawns = GetSpawnPoints();
    for (int i = 0; i < GetPlayerCount(); ++i) {
        glm::vec2 at;
        if (spawns.size() < 4) {
            // Two on each side of the middle.
            const float side = static_cast<float>(2 + i % 2);
            at = glm::vec2((i < 2 ? -side : side) * 5.0f * unit, -15.0f * unit);
        } else {
            at = glm::vec2(spawns[static_cast<std::size_t>(i)].x, spawns[static_cast<std::size_t>(i)].y);
        }
        // On a small map that may lie past the screen wrap's edges.
        at = InsideWrapBounds(at);
        PlacePlayer(i, at.x, at.y);
    }
}

void TolveyTestState::PlaceSlimeDisplay()
{
    const glm::vec2 size = LevelSize();
    const float s = std::min(size.x / 20.0f, size.y / 20.0f);
    for (int i = 0; i < 4; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        SlimeUI::SetSlimeboxPosition(kBoxX[k] * s, kDisplayY * s, i);
        SlimeUI::SetSlimeboxScale(SlimeUI::GetSlimeboxScale(i) * (s / 4.5f), i);
        SlimeUI::SetMagazinePosition(kMagazineX[k] * s, kDisplayY * s, i);
        SlimeUI::SetMagazineScale(SlimeUI::GetMagazineScale(i) * glm::vec2(s / 5.5f, s / 3.5f), i);
    }
}

void TolveyTestState::AddTrails()
{
    for (int i = 0; i < GetPlayerCount(); ++i) {
        std::shared_ptr<fb::Entity> trail =
            MakeParticleEntity("CharacterTrail" + std::to_string(i + 1), 3.0f, {0.0f, 0.0f}, false);
        std::shared_ptr<ParticleSystem> system = trail ? trail->GetComponent<ParticleSystem>() : nullptr;
        if (!system)
            continue;
        std::shared_ptr<fb::Entity> body = GetPlayer(i)->GetEntity();
        body->AddComponent(std::make_shared<ParticleSystem>(*system));
        if (std::shared_ptr<ParticleEmitter> emitter = system->GetEmitter())
            body->AddComponent<ParticleEmitter>(std::shared_ptr<ParticleEmitter>(emitter->Clone()));
    }
}

void TolveyTestState::Fail(const std::string& message, const std::string& nextState)
{
    Trace(message, 4);
    mFailed = true;
    SetPlayerControlEnabled(false);
    StateManager::SetNextState(nextState);
}

void TolveyTestState::Exit()
{
    mPauseMenu.Close();
    GoalZones::Shutdown();
    UnloadTileset();
    UnloadLevel();
    EntityManager::Clear();
    DestroyPlayers();
    mMusic.Stop();
    mCursor = MenuCursor();
    Time::SetTimeScale(1.0f);
    mFailed = false;
}

void TolveyTestState::Unload()
{
    UnloadTileset();
}

void TolveyTestState::Update()
{
    if (mFailed)
        return;
    // An open options, how-to-play or credits screen holds the match.
    if (!mPauseMenu.RunSubScreen())
        return;
    // No pausing during the countdown or once a player has won.
    const bool canPause = mCountdown == 0 && SlimeUI::GetWinningPlayer() < 0;
    switch (mPauseMenu.Update(canPause)) {
    case PauseMenu::Request::Restart:
        ReplayMap();
        return;
    case PauseMenu::Request::Quit:
        MainMenu();
        break;
    case PauseMenu::Request::None:
        break;
    }
    DrawLevelTiles();
    if (GetLevelName() == "Tutorial" && !IsPaused())
        ShowTutorialHints();
    UpdateRound();
    if (!UpdateCountdown())
        return;

    const int winner = Winner();
    if (winner >= 0) {
        UpdateWinner(winner);
        if (gGameEndTimer <= 0.0f && UpdateEndMenu())
            return;
        if (gGameEndTimer > 0.0f)
            ShowWinnerTexts(winner);
    } else {
        CamManager::SetFollowParams(0.0f, 0.0f, 0.0f, 0.0f);
        // Held while paused, so that its banner stays off the pause menu's
        // questions; its timers stand still then anyway.
        if (!IsPaused())
            TriggerRandomEvent(Time::GetScaledDt());
        gGameEndTimer = kAnnouncementTime;
        mEndButtonsPending = true;
    }

    GoalZones::Update(Time::GetScaledDt());
    mLevelSelector.Update();
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    if (keys && keys[SDL_SCANCODE_P] && keys[SDL_SCANCODE_LSHIFT])
        SlimeUI::SetWinningPlayer(0);
    SlimeUI::Update(!IsPaused());
    SlimeUI::Draw();
    UpdateSkyStreaks();
}

bool TolveyTestState::UpdateCountdown()
{
    if (mCountdown == 0)
        return true;
    const glm::vec3 colour(0.75f + 0.25f * std::sin(mColourPhase / 101.0f), 0.75f + 0.25f * std::cos(mColourPhase / 13.0f),
                           0.75f + 0.25f * std::sin(mColourPhase / 53.0f));
    TextRenderer::AddText(std::to_string(mCountdown), 0.0f, 0.0f, 0.1f, colour, true);
    if (!mCountdownTimer.IsDone()) {
        mCountdownTimer.Update(Time::GetDt());
        return false;
    }
    mColourPhase += 200.0f;
    --mCountdown;
    mCountdownTimer.Reset();
    if (mCountdown != 0) {
        SendGameEvent(fb::evt::GameEventType::CountdownBeep);
        return false;
    }
    SendGameEvent(fb::evt::GameEventType::RoundStart);
    SetPlayerControlEnabled(true);
    return true;
}

int TolveyTestState::Winner() const
{
    const int winner = SlimeUI::GetWinningPlayer();
    return winner >= 0 && winner < GetPlayerCount() ? winner : -1;
}

void TolveyTestState::UpdateWinner(int winner)
{
    std::shared_ptr<fb::Entity> body = GetPlayer(winner)->GetEntity();
    auto transform = body->GetComponent<fb::cmp::Transform>();
    auto physics = body->GetComponent<fb::cmp::AdvancedBody>();
    if (transform && physics) {
        const glm::vec2 p = transform->GetPosition();
        const glm::vec2 s = transform->GetScale();
        const glm::vec2 v = physics->GetVelocity();
        CamManager::SetFollowParams(p.x + 0.5f * v.x, p.y + 0.5f * v.y, s.x, s.y);
    }
    GoalZones::SlimeStreak(nullptr);
    gGameEndTimer -= Time::GetDt();
}

bool TolveyTestState::UpdateEndMenu()
{
    SetPlayerControlEnabled(false);
    gGameEndTimer = 0.0f;
    if (mEndButtonsPending) {
        BuildEndButtons();
        // Drawn by the entity manager after the buttons, so it lies on top.
        mCursor.Build(kCursorSize);
        EntityManager::Add(mCursor.GetEntity());
        mEndButtonsPending = false;
    }
    Time::SetTimeScale(0.0f);
    if (IsPaused()) {
        ShowEndButtons(false);
        mCursor.Park();
        return false;
    }
    gGameplayUI.Update();
    ShowEndButtons(true);
    mCursor.Place(kCursorOffset);
    if (EndButtonFor(kMainMenu).IsPressed()) {
        MainMenu();
    } else if (EndButtonFor(kNextMap).IsPressed()) {
        NextMap();
        return true;
    } else if (EndButtonFor(kReplayMap).IsPressed()) {
        ReplayMap();
        return true;
    }
    return false;
}

void TolveyTestState::ShowWinnerTexts(int winner)
{
    TextRenderer::AddText("Player #" + std::to_string(winner + 1) + " wins!", 0.0f, 0.75f, 0.07f,
                          PlayerColour(winner), true);
    TextRenderer::AddText("Game ends in " + std::to_string(static_cast<int>(gGameEndTimer)) + " seconds", 0.0f,
                          0.5f, 0.05f, kEndTimerColour, true);
}

void TolveyTestState::UpdateSkyStreaks()
{
    const glm::vec2 size = LevelSize();
    const float yOffset = Random::Float(-size.y / 2.0f, size.y / 2.0f);
    const float xOffset = Random::Float(-size.x / 2.0f, size.x / 2.0f);
    const glm::vec2 start(size.x + xOffset, size.y + yOffset);
    const glm::vec2 end = start - 3.0f * size;
    // Streaks made while time stands still (paused, or the end menu) run on
    // real time, out of the frozen scene, and end.
    const bool still = Time::GetTimeScale() == 0.0f;
    const glm::vec2 lift(0.0f, still ? 1000.0f : 0.0f);
    mStreakTime += Time::GetDt();
    while (mStreakTime > kStreakStep) {
        if (Random::Int(0, 75) > 73)
            MakeStreak("Streak", 0.2f, start + lift, false, end + lift, 4.0f, still);
        mStreakTime -= kStreakStep;
    }
}

void TolveyTestState::NextMap()
{
    mLevelSelector.RefreshLevelList();
    std::vector<std::string> maps;
    for (int i = 0; i < mLevelSelector.GetLevelCount(); ++i)
        maps.push_back(mLevelSelector.GetLevelName(i));
    ReloadLevel(NextMapPath(maps, GetLevelPath()));
}

void TolveyTestState::ReplayMap()
{
    ReloadLevel(GetLevelPath());
}

void TolveyTestState::MainMenu()
{
    StateManager::SetNextState("MainMenuState");
}

void TolveyTestState::ReloadLevel(const std::string& mapPath)
{
    std::string error;
    if (!CanStartMatchOn(mapPath, error)) {
        Trace("The match stays: " + error, 4);
        return;
    }
    const std::string path = mapPath;
    Exit();
    try {
        AISpawner::LoadFile(kAISpawnerFile);
        LoadLevel(path);
        BuildLevel();
    } catch (const std::exception& loadError) {
        Fail(std::string("The match could not be reloaded: ") + loadError.what(), "MainMenuState");
        return;
    }
    Init();
}

} // namespace fb
