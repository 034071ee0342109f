#pragma once

#include "core/Entity.h"
#include "render/CamManager.h"
#include "ui/SubScreenHost.h"
#include "ui/UIFramework.h"

#include <memory>

class Button;
namespace fb {
class SoundEvent;
}

// The match's pause menu. Escape or Start on any pad freezes the game under
// a dark veil with six buttons: Play (resume), Credits, Options, Controls,
// Quit and Restart. Quit and Restart ask first. Options, Controls and
// Credits run inside the match until they are done; the game stays frozen.
//
// The match calls, once a frame and in this order, RunSubScreen (and waits
// while it returns false) and Update; Start when a round starts and Close
// when the match ends.
class PauseMenu {
public:
    enum class Request { None, Restart, Quit };

    // Builds the menu, hidden, in the entity manager; the buttons are placed
    // in `unit`s of the screen-fixed layer. Keeps the time scale, the match
    // camera and the match music (which may be null) to give back later.
    void Start(float unit, std::shared_ptr<CamManager::Camera> matchCamera, fb::SoundEvent* matchMusic);
    // Runs an open sub-screen one frame. False while one is open and not
    // done: the rest of the match waits. A screen that finishes is closed
    // and the menu comes back with the match camera.
    bool RunSubScreen();
    // The pause toggle and, while paused, the menu. The toggle is refused
    // while `canPause` is false (the countdown runs or a player has won) and
    // while a question is shown. Returns the confirmed choice of the frame.
    Request Update(bool canPause);
    // Closes an open sub-screen; the match is ending.
    void Close();

    bool IsPaused() const { return mPaused; }
    bool IsAsking() const { return mAsking; }
    const SubScreenHost& GetSubScreen() const { return mSubScreen; }

private:
    void SetMenuButtonsActive(bool active);
    void Resume();
    void OpenSubScreen(SubScreenHost::Screen screen);
    Request UpdateQuestion();

    bool mPaused = false;
    float mSavedTimeScale = 1.0f;
    bool mLatch = false;
    bool mAsking = false;
    bool mAskingRestart = false;
    // The frame after a sub-screen closes leaves the selection alone.
    bool mSkipMenuUpdate = false;
    SubScreenHost mSubScreen;
    UIFramework mUI;
    std::shared_ptr<CamManager::Camera> mMatchCamera;
    fb::SoundEvent* mMatchMusic = nullptr;
    std::shared_ptr<Button> mPlay;
    std::shared_ptr<Button> mCredits;
    std::shared_ptr<Button> mOptions;
    std::shared_ptr<Button> mControls;
    std::shared_ptr<Button> mQuit;
    std::shared_ptr<Button> mRestart;
    std::shared_ptr<Button> mConfirm;
    std::shared_ptr<Button> mCancel;
    std::shared_ptr<fb::Entity> mQuestion;
};
