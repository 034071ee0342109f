#include "ui/MainMenuState.h"

#include "core/EntityManager.h"
#include "core/Input.h"
#include "core/StateManager.h"
#include "render/Sprite.h"
#include "ui/Button.h"
#include "ui/MenuBackdrop.h"
#include "ui/MenuEntities.h"
#include "ui/ScreenMusic.h"

#include <SDL.h>

namespace {

// Made once and never deleted; held here as well as in the registry.
fb::MainMenuState* const gState = new fb::MainMenuState();
StateManager::Registration gRegistration("MainMenuState", gState);

constexpr int kButtonLayer = 2;
constexpr int kTitleLayer = 1;
constexpr int kQuestionLayer = 5;
constexpr float kCameraSize = 100.0f;
constexpr glm::vec2 kCursorOffset{3.0f, -4.0f};
// Lifts the menu's own cursor out of the view while a sub-screen draws its own.
constexpr float kCursorAway = 1000.0f;
constexpr glm::vec2 kSideButton{22.0f, 11.0f};
constexpr const char* kMusic = "./assets/sound/Sarnek's Music Track.mp3";

} // namespace

namespace fb {

void MainMenuState::Init()
{
    mUI.Clear();
    mAskingToQuit = 0;
    mSubScreen.Close();
    EntityManager::Clear();
    PutMenuCameraBack();
    mCursor.Build(10.0f);

    auto add = [](const char* name, const char* image, glm::vec2 position, glm::vec2 scale) {
        MenuButton made = MakeMenuButton(name, image, kButtonLayer, position, scale);
        EntityManager::Add(made.entity);
        return made.button;
    };
    mPlay = add("Play Button", "./assets/img/ButtonPlay.png", {-55.0f, -27.0f}, {40.0f, 23.0f});
    mCredits = add("Credits Button", "./assets/img/ButtonCredits.png", {65.0f, -20.0f}, kSideButton);
    mOptions = add("Options Button", "./assets/img/ButtonOptions.png", {65.0f, -6.0f}, kSideButton);
    mControls = add("Controls Button", "./assets/img/ButtonControls.png", {65.0f, 8.0f}, kSideButton);
    mQuit = add("Quit Button", "./assets/img/ButtonQuit.png", {65.0f, -34.0f}, kSideButton);
    for (const auto& button : {mPlay, mCredits, mQuit, mOptions, mControls})
        mUI.AddButton(button);
    LinkButton(*mPlay, nullptr, nullptr, mControls.get(), nullptr);
    LinkButton(*mControls, nullptr, mPlay.get(), nullptr, mOptions.get());
    LinkButton(*mOptions, mControls.get(), mPlay.get(), nullptr, mCredits.get());
    LinkButton(*mCredits, mOptions.get(), mPlay.get(), nullptr, mQuit.get());
    LinkButton(*mQuit, mCredits.get(), mPlay.get(), nullptr, nullptr);

    std::shared_ptr<Entity> title =
        MakeMenuPicture("Background", "./assets/img/MainMenu.png", kTitleLayer, glm::vec2(0.0f), {175.0f, 100.0f});
    mTitle = title->GetComponent<Sprite>();
    EntityManager::Add(title);

    PlayScreenMusic(mMusic, kMusic);
    SetMenuBackdrop();
}

void MainMenuState::Update()
{
    SDL_ShowCursor(0);
    glm::vec2 cursorOffset = kCursorOffset;
    if (mSubScreen.IsOpen() && mSubScreen.GetScreen() != SubScreenHost::Screen::Credits)
        cursorOffset.y += kCursorAway;
    mCursor.Place(cursorOffset);

    const SubScreenHost::Step step = mSubScreen.Run();
    if (step == SubScreenHost::Step::Running)
        return;
    const bool closed = step == SubScreenHost::Step::Closed;
    if (closed) {
        SetMenuButtonsActive(true);
        PutMenuCameraBack();
        // The credits stopped the menu music when they opened.
        if (mSubScreen.GetScreen() == SubScreenHost::Screen::Credits)
            mMusic.Play();
    }

    // In the frame a sub-screen closes, the press that closed it is not
    // taken by the menu as well.
    if (!closed)
        mUI.Update();
    mCursor.Update();
    if (!closed) {
        if (WasPressed(mCredits)) {
            mMusic.Stop();
            OpenSubScreen(SubScreenHost::Screen::Credits);
        }
        if (WasPressed(mPlay))
            StateManager::SetNextState("LevelSelectState");
        if (WasPressed(mOptions))
            OpenSubScreen(SubScreenHost::Screen::Options);
        if (WasPressed(mControls))
            OpenSubScreen(SubScreenHost::Screen::Controls);
    }
    if (WasPressed(mQuit))
        ShowQuitQuestion();
    if (mAskingToQuit) {
        if (WasPressed(mCancel))
            StateManager::Restart();
        if (WasPressed(mConfirm))
            StateManager::Quit();
    }
    Input::PollConnections();
}

void MainMenuState::Exit()
{
    mMusic.Stop();
    mSubScreen.Close();
}

void MainMenuState::Load()
{
    SetMenuBackdrop();
}

void MainMenuState::Unload()
{
    EntityManager::Clear();
    mSubScreen.Close();
}

void MainMenuState::SetMenuButtonsActive(bool active)
{
    for (const auto& button : {mOptions, mPlay, mControls, mQuit, mCredits})
        button->SetActive(active);
    if (mTitle)
        mTitle->SetOpacity(active ? 1.0f : 0.0f);
}

void MainMenuState::OpenSubScreen(SubScreenHost::Screen screen)
{
    mSubScreen.Open(screen);
    SetMenuButtonsActive(false);
}

// The menu gives way to a question and its Yes and No. Quit becomes a button
// of no entity, so that it cannot ask again while the question is up.
void MainMenuState::ShowQuitQuestion()
{
    mUI.Clear();
    mQuit = std::make_shared<Button>();
    mAskingToQuit = 1;
    EntityManager::Clear();
    mQuestion = MakeMenuPicture("Are you sure Text", "./assets/img/quit_confirmation.png", kQuestionLayer,
                                {0.0f, 22.0f}, {100.0f, 56.25f});
    EntityManager::Add(mQuestion);
    MenuButton confirm =
        MakeMenuButton("Confirm Button", "./assets/img/ButtonYes.png", kButtonLayer, {-30.0f, 0.0f}, kSideButton);
    MenuButton cancel =
        MakeMenuButton("Cancel Button", "./assets/img/ButtonNo.png", kButtonLayer, {30.0f, 0.0f}, kSideButton);
    EntityManager::Add(confirm.entity);
    EntityManager::Add(cancel.entity);
    mConfirm = confirm.button;
    mCancel = cancel.button;
    mUI.AddButton(mConfirm);
    mUI.AddButton(mCancel);
    LinkButton(*mConfirm, nullptr, nullptr, mCancel.get(), nullptr);
    LinkButton(*mCancel, nullptr, mConfirm.get(), nullptr, nullptr);
}

void MainMenuState::PutMenuCameraBack()
{
    ActivateMenuCamera(glm::vec2(0.0f), kCameraSize);
}

} // namespace fb
