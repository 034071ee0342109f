#include "ui/IntroState.h"

#include "core/EntityManager.h"
#include "core/StateManager.h"
#include "core/Time.h"
#include "render/Sprite.h"
#include "ui/MenuBackdrop.h"
#include "ui/MenuEntities.h"

#include <algorithm>

namespace {

// The game opens here.
// Made once and never deleted; held here as well as in the registry.
fb::IntroState* const gState = new fb::IntroState();
StateManager::Registration gRegistration("IntroState", gState);

constexpr float kSlideSeconds = 4.0f;
// Every update counts as one frame of 1/60 s, however long the frame took.
constexpr float kLongestStep = 0.016666668f;
constexpr int kLayer = 1;
constexpr float kCameraSize = 95.0f;

const char* const kSlides[fb::IntroState::kSlideCount] = {
    "./assets/img/Halvaro_WHITE.png", "./assets/img/LogoForPravet.png", "./assets/img/controllerRecommended.png",
    "./assets/img/FMOD_Logo_Black.png"};

} // namespace

namespace fb {

void IntroState::Init()
{
    EntityManager::Clear();
    ActivateMenuCamera(glm::vec2(0.0f), kCameraSize);
    mSlideTimer.SetDuration(kSlideSeconds);
    mSlideTimer.SetRemaining(kSlideSeconds);
    mSlide = 0;
    mLogo = MakeMenuPicture("Background", kSlides[0], kLayer, glm::vec2(0.0f), {157.0f, 90.0f});
    mBackdrop = MakeMenuPicture("Background", "./assets/img/Background.png", kLayer, glm::vec2(0.0f), {175.0f, 100.0f});
    // The backdrop's frame lies over the slides; its middle lets them through.
    EntityManager::Add(mLogo);
    EntityManager::Add(mBackdrop);
}

void IntroState::Update()
{
    mSlideTimer.Update(std::min(Time::GetDt(), kLongestStep));
    if (!mSlideTimer.IsDone())
        return;
    mSlideTimer.Reset();
    ++mSlide;
    if (mSlide < kSlideCount) {
        if (auto sprite = mLogo->GetComponent<Sprite>())
            sprite->SetTexture(Texture(kSlides[mSlide]));
    } else if (mSlide == kSlideCount) {
        StateManager::SetNextState("MainMenuState");
    }
}

void IntroState::Load()
{
    SetMenuBackdrop();
}

void IntroState::Unload()
{
    EntityManager::Clear();
}

} // namespace fb
