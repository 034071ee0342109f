#include "ui/CreditsState.h"

#include "core/Random.h"
#include "core/StateManager.h"
#include "core/Time.h"
#include "render/CamManager.h"
#include "render/ParticleEffects.h"
#include "render/TextRenderer.h"
#include "ui/Button.h"
#include "ui/CreditsLines.h"
#include "ui/MenuEntities.h"
#include "ui/ScreenMusic.h"

#include <cmath>

namespace {

// Reached through the developer tools' state list; the menus make their own.
// Made once and never deleted; held here as well as in the registry.
fb::CreditsState* const gState = new fb::CreditsState();
StateManager::Registration gRegistration("CreditsState", gState);

constexpr int kButtonLayer = 5;
constexpr float kCameraHeight = 1000.0f;
constexpr float kCameraSize = 100.0f;
constexpr float kScrollStart = 950.0f;
constexpr float kScrollSpeed = 7.5f;
// Back is taken once the roll has run for a second.
constexpr float kBackLocked = 47.0f;
constexpr float kStep = 1.0f / 60.0f;
constexpr glm::vec2 kCursorOffset{1.5f, -2.0f};
constexpr const char* kMusic = "./assets/sound/AlmightyDollar.mp3";

float gScroll = kScrollStart;
// Both carry over from one credits screen to the next.
float gBurstCountdown = 0.0f;
float gStreakTime = 0.0f;

// At most one burst of sparks a frame, somewhere in the view.
void Burst(float dt)
{
    gBurstCountdown -= dt;
    if (gBurstCountdown >= 0.0f)
        return;
    gBurstCountdown += Random::Float(0.0f, 0.35f);
    const glm::vec2 view = CamManager::GetActiveCamera()->GetScale();
    const float y = kCameraHeight + Random::Float(-0.5f * view.y, 0.5f * view.y);
    const float x = Random::Float(-0.5f * view.x, 0.5f * view.x);
    MakePunchParticle(25.0f, {x, y});
}

// About two shooting stars in 76 steps of 1/60 s, from above and right of
// the view down and left across it.
void ShootingStars(float dt)
{
    gStreakTime += dt;
    while (gStreakTime > kStep) {
        const glm::vec2 view = CamManager::GetActiveCamera()->GetScale();
        const float a = Random::Float(0.0f, view.y);
        const float b = Random::Float(0.0f, view.x);
        const float x = b + view.x;
        const float y = a + view.y;
        if (Random::Int(0, 75) > 73)
            MakeStreak("Streak", 0.8f, {x, y + kCameraHeight}, false,
                       {x - 3.0f * view.x, y - 3.0f * view.y + kCameraHeight}, 4.0f, true);
        gStreakTime -= kStep;
    }
}

} // namespace

namespace fb {

glm::vec3 CreditsState::LineColour(float scroll)
{
    // The wave in double precision, scaled in single, offset in double.
    const auto channel = [](double wave) {
        return static_cast<float>(0.75 + static_cast<float>(0.25f * static_cast<float>(wave)));
    };
    const auto at = [scroll](float period) { return static_cast<double>(scroll / period); };
    return {channel(std::sin(at(101.0f))), channel(std::cos(at(13.0f))), channel(std::sin(at(53.0f)))};
}

void CreditsState::Init()
{
    ActivateMenuCamera(glm::vec2(0.0f, kCameraHeight), kCameraSize);
    gScroll = kScrollStart;
    mDone = false;
    mEntities.clear();
    MenuButton back = MakeMenuButton("Back Button", "./assets/img/ButtonBack.png", kButtonLayer, {-55.0f, -42.0f},
                                     {25.0f, 12.0f});
    mBack = back.button;
    mEntities.push_back(back.entity);
    mUI.Clear();
    mUI.AddButton(mBack);
    PlayScreenMusic(mMusic, kMusic);
    mRoll.SetDuration(kRollSeconds);
    mRoll.Reset();
    mCursor.Build(5.0f);
}

void CreditsState::Update()
{
    const float dt = Time::GetDt();
    mCursor.Place(kCursorOffset);
    for (std::shared_ptr<Entity> entity : mEntities)
        entity->Update();
    mCursor.Update();
    mUI.Update();

    mRoll.Update(dt);
    if (mRoll.IsDone())
        mDone = true;
    gScroll += dt * kScrollSpeed;
    const glm::vec3 colour = LineColour(gScroll);
    for (const CreditsLine& line : GetCreditsLines())
        TextRenderer::AddTextWorld(line.text, 0.0f, gScroll - line.offset, line.scale, colour, true);

    Burst(dt);
    if (WasPressed(mBack) && mRoll.GetRemaining() < kBackLocked)
        mDone = true;
    ShootingStars(dt);
}

void CreditsState::Exit()
{
    mMusic.Stop();
}

} // namespace fb
