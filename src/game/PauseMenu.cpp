#include "game/PauseMenu.h"

#include "audio/SoundEvent.h"
#include "core/EntityManager.h"
#include "core/Input.h"
#include "core/Time.h"
#include "game/Players.h"
#include "render/Sprite.h"
#include "ui/Button.h"
#include "ui/MenuEntities.h"
#include "ui/MenuQuad.h"

#include <SDL.h>

namespace {

constexpr int kButtonLayer = 5;
constexpr int kVeilLayer = 4;
constexpr const char* kQuitQuestion = "./assets/img/quit_confirmation.png";
constexpr const char* kRestartQuestion = "./assets/img/restart_confirmation.png";

Texture gVeil("assets/img/blackBox.png");

bool PauseInput()
{
    int keys = 0;
    const Uint8* held = SDL_GetKeyboardState(&keys);
    const bool escape = held && SDL_SCANCODE_ESCAPE < keys && held[SDL_SCANCODE_ESCAPE];
    return escape || Input::AnyJustPressed();
}

} // namespace

void PauseMenu::Start(float unit, std::shared_ptr<CamManager::Camera> matchCamera, fb::SoundEvent* matchMusic)
{
    mSubScreen.Close();
    mPaused = false;
    mLatch = false;
    mAsking = false;
    mAskingRestart = false;
    mSkipMenuUpdate = false;
    mSavedTimeScale = Time::GetTimeScale();
    mMatchCamera = std::move(matchCamera);
    mMatchMusic = matchMusic;
    mUI.Clear();

    const glm::vec2 size = glm::vec2(4.0f, 2.25f) * unit;
    auto add = [unit](const char* name, const char* image, glm::vec2 position, glm::vec2 scale) {
        MenuButton made = MakeMenuButton(name, image, kButtonLayer, position * unit, scale);
        EntityManager::Add(made.entity);
        return made.button;
    };
    mPlay = add("Play Button", "./assets/img/ButtonResume.png", {0.0f, 8.0f}, size);
    mCredits = add("Credits Button", "./assets/img/ButtonCredits.png", {0.0f, 5.0f}, size);
    mOptions = add("Options Button", "./assets/img/ButtonOptions.png", {0.0f, 2.0f}, size);
    mControls = add("Controls Button", "./assets/img/ButtonControls.png", {0.0f, -1.0f}, size);
    mQuit = add("Quit Button", "./assets/img/ButtonQuit.png", {0.0f, -4.0f}, size);
    mRestart = add("Restart Button", "./assets/img/ButtonRestart.png", {0.0f, -7.0f}, size);

    mQuestion = MakeMenuPicture("Are you sure Text", kQuitQuestion, kButtonLayer, glm::vec2(0.0f, 6.0f) * unit,
                                glm::vec2(25.0f, 14.125f) * unit);
    mQuestion->GetComponent<Sprite>()->SetOpacity(0.0f);
    EntityManager::Add(mQuestion);

    for (const auto& button : {mPlay, mCredits, mQuit, mOptions, mControls, mRestart})
        mUI.AddButton(button);
    // A ring from top to bottom and round again.
    const std::shared_ptr<Button> ring[] = {mPlay, mCredits, mOptions, mControls, mQuit, mRestart};
    constexpr int kRing = 6;
    for (int i = 0; i < kRing; ++i)
        LinkButton(*ring[i], ring[(i + kRing - 1) % kRing].get(), nullptr, nullptr, ring[(i + 1) % kRing].get());
    SetMenuButtonsActive(false);

    mConfirm = add("Confirm Button", "./assets/img/ButtonYes.png", {-10.0f, 0.0f}, glm::vec2(9.0f, 4.0f) * unit);
    mCancel = add("Cancel Button", "./assets/img/ButtonNo.png", {10.0f, 0.0f}, glm::vec2(9.0f, 4.0f) * unit);
    mUI.AddButton(mConfirm);
    mUI.AddButton(mCancel);
    LinkButton(*mConfirm, nullptr, nullptr, mCancel.get(), nullptr);
    LinkButton(*mCancel, nullptr, mConfirm.get(), nullptr, nullptr);
    mConfirm->SetActive(false);
    mCancel->SetActive(false);
}

bool PauseMenu::RunSubScreen()
{
    const SubScreenHost::Step step = mSubScreen.Run();
    if (step == SubScreenHost::Step::Running)
        return false;
    if (step == SubScreenHost::Step::Closed) {
        SetMenuButtonsActive(true);
        CamManager::SetActiveCamera(mMatchCamera);
        mSkipMenuUpdate = true;
        // The credits play one of the match's tracks and stop it when they close.
        if (mSubScreen.GetScreen() == SubScreenHost::Screen::Credits && mMatchMusic && !mMatchMusic->IsPlaying())
            mMatchMusic->Play();
    }
    return true;
}

PauseMenu::Request PauseMenu::Update(bool canPause)
{
    if (!PauseInput()) {
        mLatch = false;
    } else if (mAsking || !canPause) {
        mLatch = false;
    } else if (!mLatch) {
        mPaused = !mPaused;
        SetMenuButtonsActive(false);
        if (mPaused) {
            Time::SetTimeScale(0.0f);
            SetMenuButtonsActive(true);
            SetPlayerControlEnabled(false);
        } else {
            Time::SetTimeScale(mSavedTimeScale);
            SetPlayerControlEnabled(true);
        }
        mLatch = true;
    }

    if (!mPaused) {
        SDL_ShowCursor(0);
        return Request::None;
    }
    SDL_ShowCursor(1);
    if (mSkipMenuUpdate)
        mSkipMenuUpdate = false;
    else
        mUI.Update();
    DrawMenuQuad(gVeil, glm::vec2(0.0f), glm::vec2(200.0f), 0.75f, kVeilLayer);

    if (WasPressed(mCredits))
        OpenSubScreen(SubScreenHost::Screen::Credits);
    if (WasPressed(mPlay))
        Resume();
    if (WasPressed(mRestart)) {
        mAskingRestart = true;
        mAsking = true;
    }
    if (WasPressed(mOptions))
        OpenSubScreen(SubScreenHost::Screen::Options);
    if (WasPressed(mControls))
        OpenSubScreen(SubScreenHost::Screen::Controls);
    if (WasPressed(mQuit)) {
        mAsking = true;
        mAskingRestart = false;
    }
    return mAsking ? UpdateQuestion() : Request::None;
}

void PauseMenu::Close()
{
    mSubScreen.Close();
}

void PauseMenu::SetMenuButtonsActive(bool active)
{
    for (const auto& button : {mPlay, mCredits, mOptions, mControls, mQuit, mRestart}) {
        if (button)
            button->SetActive(active);
    }
}

void PauseMenu::Resume()
{
    mPaused = false;
    SetMenuButtonsActive(false);
    Time::SetTimeScale(mSavedTimeScale);
    SetPlayerControlEnabled(true);
}

void PauseMenu::OpenSubScreen(SubScreenHost::Screen screen)
{
    mSubScreen.Open(screen, true);
    SetMenuButtonsActive(false);
}

PauseMenu::Request PauseMenu::UpdateQuestion()
{
    mConfirm->SetActive(true);
    mCancel->SetActive(true);
    SetMenuButtonsActive(false);
    auto sprite = mQuestion->GetComponent<Sprite>();
    sprite->SetOpacity(1.0f);
    sprite->SetTexture(Texture(mAskingRestart ? kRestartQuestion : kQuitQuestion));

    if (WasPressed(mCancel)) {
        mConfirm->SetActive(false);
        mCancel->SetActive(false);
        SetMenuButtonsActive(true);
        mAsking = false;
        sprite->SetOpacity(0.0f);
    }
    if (WasPressed(mConfirm))
        return mAskingRestart ? Request::Restart : Request::Quit;
    return Request::None;
}
