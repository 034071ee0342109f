#include "ui/OptionsState.h"

#include "audio/AudioEngine.h"
#include "core/StateManager.h"
#include "render/Renderer.h"
#include "ui/Button.h"
#include "ui/MenuEntities.h"
#include "ui/MenuQuad.h"

namespace {

// Reached through the developer tools' state list; the menus make their own.
// Made once and never deleted; held here as well as in the registry.
fb::OptionsState* const gState = new fb::OptionsState();
StateManager::Registration gRegistration("OptionsState", gState);

constexpr int kButtonLayer = 5;
constexpr int kBarLayer = 2;
constexpr glm::vec2 kCameraPosition{0.0f, 1000.0f};
constexpr float kCameraSize = 60.0f;
constexpr glm::vec2 kMusicBar{0.0f, 1020.0f};
constexpr glm::vec2 kEffectsBar{0.0f, 1000.0f};
// A bar at full volume is this wide.
constexpr float kBarLength = 60.0f;
constexpr float kVolumeStep = 0.1f;
constexpr glm::vec2 kCursorOffset{1.5f, -2.0f};

Texture gGreenBar("./assets/img/greenBox.png");
Texture gYellowBar("./assets/img/yellowBox.png");

void DrawBar(Texture& texture, glm::vec2 position, float volume)
{
    DrawMenuQuad(texture, position, glm::vec2(kBarLength * volume, 1.0f), 1.0f, kBarLayer);
}

} // namespace

namespace fb {

float OptionsState::StepVolume(float volume, bool up)
{
    if (up) {
        const float raised = volume + kVolumeStep;
        return raised < 1.0f ? raised : 1.0f;
    }
    const float lowered = volume - kVolumeStep;
    return lowered >= 0.0f ? lowered : 0.0f;
}

void OptionsState::Init()
{
    mMusicVolume = AudioEngine::GetGroupVolume("Music");
    mEffectsVolume = AudioEngine::GetGroupVolume("Effects");
    mDone = false;
    mEntities.clear();
    mUI.Clear();
    ActivateMenuCamera(kCameraPosition, kCameraSize);
    mCursor.Build(5.0f);

    auto add = [this](const char* name, const char* image, glm::vec2 position, glm::vec2 scale) {
        MenuButton made = MakeMenuButton(name, image, kButtonLayer, position, scale);
        mEntities.push_back(made.entity);
        return made.button;
    };
    mBack = add("Back Button", "./assets/img/ButtonBack.png", {-34.0f, -18.0f}, {15.0f, 7.0f});
    mMusicUp = add("Right Button", "./assets/img/right_arrow.png", {10.0f, 15.0f}, {18.0f, 9.0f});
    mMusicDown = add("Left Button", "./assets/img/left_arrow.png", {-10.0f, 15.0f}, {18.0f, 9.0f});
    mEffectsUp = add("Right Button2", "./assets/img/right_arrow.png", {10.0f, -10.0f}, {18.0f, 9.0f});
    mEffectsDown = add("Left Button2", "./assets/img/left_arrow.png", {-10.0f, -10.0f}, {18.0f, 9.0f});
    mBloomOn = add("Enable Bloom", "./assets/img/ButtonOn.png", {-10.0f, -25.0f}, {14.0f, 7.0f});
    mBloomOff = add("Disable Bloom", "./assets/img/ButtonOff.png", {10.0f, -25.0f}, {14.0f, 7.0f});
    for (const auto& button : {mBack, mMusicUp, mMusicDown, mEffectsUp, mEffectsDown, mBloomOn, mBloomOff})
        mUI.AddButton(button);

    LinkButton(*mBack, nullptr, nullptr, mMusicDown.get(), nullptr);
    LinkButton(*mMusicDown, nullptr, mBack.get(), mMusicUp.get(), mEffectsDown.get());
    LinkButton(*mMusicUp, nullptr, mMusicDown.get(), nullptr, mEffectsUp.get());
    LinkButton(*mEffectsDown, mMusicDown.get(), mBack.get(), mEffectsUp.get(), mBloomOn.get());
    LinkButton(*mEffectsUp, mMusicUp.get(), mEffectsDown.get(), nullptr, mBloomOff.get());
    LinkButton(*mBloomOn, mEffectsDown.get(), mBack.get(), mBloomOff.get(), nullptr);
    LinkButton(*mBloomOff, mEffectsUp.get(), mBloomOn.get(), nullptr, nullptr);

    const glm::vec2 labelSize{50.0f, 28.125f};
    auto label = [this, labelSize](const char* name, const char* image, float y) {
        mEntities.push_back(MakeMenuPicture(name, image, kButtonLayer, {0.0f, y}, labelSize));
    };
    label("Music Text", "./assets/img/music_volume.png", 22.0f);
    label("SFX Text", "./assets/img/sfx_volume.png", 2.0f);
    label("Bloom Text", "./assets/img/graphical_bloom.png", -19.0f);
}

void OptionsState::Update()
{
    for (std::shared_ptr<Entity> entity : mEntities)
        entity->Update();
    mUI.Update();

    // Drawn before the presses are read: a press shows in the next frame.
    DrawBar(gGreenBar, kMusicBar, mMusicVolume);
    DrawBar(gYellowBar, kEffectsBar, mEffectsVolume);

    // Every press sets the group's volume, also at either end.
    const auto step = [](float& volume, const char* group, bool up) {
        volume = StepVolume(volume, up);
        AudioEngine::SetGroupVolume(group, volume);
    };
    if (WasPressed(mMusicUp))
        step(mMusicVolume, "Music", true);
    if (WasPressed(mEffectsUp))
        step(mEffectsVolume, "Effects", true);
    if (WasPressed(mBack))
        mDone = true;
    if (WasPressed(mMusicDown))
        step(mMusicVolume, "Music", false);
    if (WasPressed(mEffectsDown))
        step(mEffectsVolume, "Effects", false);
    if (WasPressed(mBloomOn))
        Renderer::SetBloomDisabled(false);
    if (WasPressed(mBloomOff))
        Renderer::SetBloomDisabled(true);

    mCursor.Place(kCursorOffset);
    mCursor.Update();
}

} // namespace fb
