#include "ui/LevelSelectState.h"

#include "core/EntityManager.h"
#include "core/Input.h"
#include "core/StateManager.h"
#include "core/Trace.h"
#include "game/AISpawner.h"
#include "game/GoalZones.h"
#include "level/Level.h"
#include "level/LevelBuilder.h"
#include "render/TextRenderer.h"
#include "ui/Button.h"
#include "ui/MenuEntities.h"
#include "ui/ScreenMusic.h"

#include <SDL.h>
#include <stdexcept>

namespace {

// Made once and never deleted; held here as well as in the registry.
fb::LevelSelectState* const gState = new fb::LevelSelectState();
StateManager::Registration gRegistration("LevelSelectState", gState);

constexpr int kButtonLayer = 2;
constexpr float kCameraSize = 60.0f;
constexpr glm::vec2 kCursorOffset{1.5f, -2.0f};
constexpr const char* kMusic = "./assets/sound/Sarnek's Music Track.mp3";
constexpr const char* kAIFile = "./assets/json/aitest.json";

void UnloadMap()
{
    UnloadTileset();
    UnloadLevel();
}

} // namespace

namespace fb {

bool LevelSelectState::IsMapLoaded()
{
    const auto [width, height] = GetLevelSize();
    return !GetLevelPath().empty() && width > 0 && height > 0;
}

std::string LevelSelectState::PlayersDetectedText()
{
    return "Players Detected: " + std::to_string(Input::CountPlayerSlots());
}

void LevelSelectState::Load()
{
    mSelector.RefreshLevelList();
    mSelector.Update();
    try {
        AISpawner::LoadFile(kAIFile);
    } catch (const std::exception& error) {
        Trace(error.what(), 4);
    }
    LoadChosenMap();
}

void LevelSelectState::Init()
{
    mUI.Clear();
    EntityManager::Clear();
    ActivateMenuCamera(glm::vec2(0.0f), kCameraSize);

    auto add = [](const char* name, const char* image, glm::vec2 position, glm::vec2 scale) {
        MenuButton made = MakeMenuButton(name, image, kButtonLayer, position, scale);
        EntityManager::Add(made.entity);
        return made.button;
    };
    mPlay = add("Play Button", "./assets/img/ButtonPlay.png", {-34.0f, -18.0f}, {24.0f, 11.0f});
    mBack = add("Back Button", "./assets/img/ButtonBack.png", {-38.0f, -5.0f}, {19.0f, 7.0f});
    mRight = add("Right Button", "./assets/img/right_arrow.png", {34.0f, -15.0f}, {18.0f, 9.0f});
    mLeft = add("Left Button", "./assets/img/left_arrow.png", {34.0f, -25.0f}, {18.0f, 9.0f});
    for (const auto& button : {mPlay, mRight, mLeft, mBack})
        mUI.AddButton(button);
    LinkButton(*mBack, nullptr, nullptr, mRight.get(), mPlay.get());
    LinkButton(*mPlay, mBack.get(), nullptr, mRight.get(), nullptr);
    LinkButton(*mRight, nullptr, mPlay.get(), nullptr, mLeft.get());
    LinkButton(*mLeft, mRight.get(), mPlay.get(), nullptr, nullptr);

    PlayScreenMusic(mMusic, kMusic);
    mCursor.Build(5.0f);
}

void LevelSelectState::Update()
{
    SDL_ShowCursor(0);
    mUI.Update();
    mCursor.Place(kCursorOffset);
    mCursor.Update();

    const int count = mSelector.GetLevelCount();
    if (WasPressed(mRight) && count > 0) {
        mIndex = mIndex + 1 < count ? mIndex + 1 : 0;
        LoadChosenMap();
    }
    if (WasPressed(mPlay) && IsMapLoaded())
        StateManager::SetNextState("GameplayState");
    if (WasPressed(mBack))
        StateManager::SetNextState("MainMenuState");
    if (WasPressed(mLeft) && count > 0) {
        mIndex = mIndex - 1 >= 0 ? mIndex - 1 : count - 1;
        LoadChosenMap();
    }

    if (IsMapLoaded()) {
        TextRenderer::AddTextWorld(GetLevelName(), 0.0f, 25.0f, 2.5f, {0.9f, 0.1f, 0.4f}, true);
        DrawLevelTiles();
    }
    mSelector.Update();
    TextRenderer::AddText(PlayersDetectedText(), 0.0f, -0.75f, 0.03f, {1.0f, 0.2f, 0.0f}, true);
}

void LevelSelectState::Exit()
{
    GoalZones::Shutdown();
    mMusic.Stop();
}

void LevelSelectState::Unload()
{
    EntityManager::Clear();
}

void LevelSelectState::LoadChosenMap()
{
    UnloadMap();
    const int count = mSelector.GetLevelCount();
    if (count == 0)
        return;
    if (mIndex < 0 || mIndex >= count)
        mIndex = 0;
    try {
        LoadLevel(mSelector.GetLevelName(mIndex));
    } catch (const std::exception& error) {
        Trace(error.what(), 4);
        UnloadMap();
    }
}

} // namespace fb
