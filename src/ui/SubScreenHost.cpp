#include "ui/SubScreenHost.h"

#include "ui/ControlsState.h"
#include "ui/CreditsState.h"
#include "ui/OptionsState.h"

SubScreenHost::~SubScreenHost()
{
    Close();
}

void SubScreenHost::Open(Screen screen, bool inMatch)
{
    Close();
    mKind = screen;
    switch (screen) {
    case Screen::Options:
        mScreen = std::make_unique<fb::OptionsState>();
        break;
    case Screen::Controls:
        mScreen = std::make_unique<fb::ControlsState>();
        break;
    case Screen::Credits:
        mScreen = std::make_unique<fb::CreditsState>();
        break;
    }
    mScreen->Load();
    mScreen->Init();
    if (screen == Screen::Controls && inMatch)
        static_cast<fb::ControlsState*>(mScreen.get())->SetInGame(true);
}

SubScreenHost::Step SubScreenHost::Run()
{
    if (!mScreen)
        return Step::Idle;
    mScreen->Update();
    if (!mScreen->IsDone())
        return Step::Running;
    Close();
    return Step::Closed;
}

void SubScreenHost::Close()
{
    if (!mScreen)
        return;
    // Taken out first, so that nothing the screen's Exit sets off can run it again.
    std::unique_ptr<fb::SubScreen> screen = std::move(mScreen);
    screen->Exit();
    screen->Unload();
}
