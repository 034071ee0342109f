#pragma once

#include "audio/SoundEvent.h"
#include "core/GameState.h"
#include "ui/MenuCursor.h"
#include "ui/SubScreenHost.h"
#include "ui/UIFramework.h"

#include <memory>

class Button;
class Sprite;

namespace fb {

class Entity;

// The title screen: Play (to the level select), Credits, Options, Controls
// and Quit. Options, Controls and Credits run inside the menu as
// sub-screens; Quit asks first, and its No starts the menu afresh.
class MainMenuState : public GS {
public:
    void Init() override;
    void Update() override;
    void Exit() override;
    void Load() override;
    void Unload() override;

    // 1 while the quit question is shown.
    int IsAskingToQuit() const { return mAskingToQuit; }
    const SubScreenHost& GetSubScreen() const { return mSubScreen; }

private:
    void SetMenuButtonsActive(bool active);
    void OpenSubScreen(SubScreenHost::Screen screen);
    void ShowQuitQuestion();
    void PutMenuCameraBack();

    SoundEvent mMusic;
    SubScreenHost mSubScreen;
    UIFramework mUI;
    MenuCursor mCursor;
    std::shared_ptr<Button> mPlay;
    std::shared_ptr<Button> mCredits;
    std::shared_ptr<Button> mOptions;
    std::shared_ptr<Button> mControls;
    std::shared_ptr<Button> mQuit;
    std::shared_ptr<Sprite> mTitle;
    std::shared_ptr<Entity> mQuestion;
    std::shared_ptr<Button> mConfirm;
    std::shared_ptr<Button> mCancel;
    int mAskingToQuit = 0;
};

} // namespace fb
