#include "MenuRig.h"

namespace {

// A main-menu-like screen: Play above Credits above Quit, Options left of
// Credits and Controls, hidden, right of it.
class ButtonPadTest : public MenuRig {
protected:
    void SetUp() override
    {
        MenuRig::SetUp();
        play = MakeButton({0.0f, 5.0f}, {4.0f, 2.0f});
        credits = MakeButton({0.0f, 0.0f}, {4.0f, 2.0f});
        quit = MakeButton({0.0f, -5.0f}, {4.0f, 2.0f});
        options = MakeButton({-8.0f, 0.0f}, {4.0f, 2.0f});
        controls = MakeButton({8.0f, 0.0f}, {4.0f, 2.0f});
        play->down = credits.get();
        credits->up = play.get();
        credits->down = quit.get();
        credits->left = options.get();
        credits->right = controls.get();
        quit->up = credits.get();
        options->right = credits.get();
        controls->left = credits.get();
        controls->SetActive(false);
        pad = std::make_unique<VirtualPad>();
        StartInMouseMode();
    }

    void TearDown() override
    {
        pad.reset();
        MenuRig::TearDown();
    }

    void Tap(SDL_GameControllerButton button)
    {
        pad->Press(button);
        Frame();
        pad->Release(button);
        Frame();
    }

    std::shared_ptr<Button> Selected() const
    {
        std::shared_ptr<Button> found;
        for (const std::shared_ptr<Button>& button : buttons) {
            if (button->IsSelected()) {
                EXPECT_FALSE(found) << "two buttons are selected";
                found = button;
            }
        }
        return found;
    }

    std::shared_ptr<Button> play, credits, quit, options, controls;
    std::unique_ptr<VirtualPad> pad;
};

TEST_F(ButtonPadTest, ThePadWalksTheNeighboursAndPresses)
{
    pad->Press(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    Frame();
    EXPECT_TRUE(IsMouseMode()) << "a d-pad press switches on its release";
    pad->Release(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    Frame();
    ASSERT_FALSE(IsMouseMode());
    EXPECT_EQ(Selected(), play) << "pad mode selects the first button";
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);

    Tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_EQ(Selected(), credits);
    EXPECT_EQ(events->Count("menuHover"), 1);
    Tap(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    EXPECT_EQ(Selected(), options);
    EXPECT_EQ(events->Count("menuHover"), 1) << "moving left is silent";
    Tap(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    EXPECT_EQ(Selected(), credits);
    EXPECT_EQ(events->Count("menuHover"), 2);
    Tap(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    EXPECT_EQ(Selected(), credits) << "the right neighbour is hidden";
    EXPECT_EQ(events->Count("menuHover"), 2);
    EXPECT_FLOAT_EQ(Opacity(controls), 0.0f);

    // One push of the stick moves once, however long it is held.
    pad->SetStick(0.0f, -1.0f);
    Frame(4);
    EXPECT_EQ(Selected(), quit);
    EXPECT_EQ(events->Count("menuHover"), 3);
    pad->SetStick(0.0f, 0.0f);
    Frame();
    pad->SetStick(0.0f, 1.0f);
    Frame();
    pad->SetStick(0.0f, 0.0f);
    Frame();
    EXPECT_EQ(Selected(), credits);
    EXPECT_EQ(events->Count("menuHover"), 4);

    pad->Press(SDL_CONTROLLER_BUTTON_A);
    Frame();
    EXPECT_TRUE(credits->IsPressed());
    EXPECT_EQ(events->Count("menuHover"), 5) << "A sounds as a hover";
    Frame();
    EXPECT_FALSE(credits->IsPressed()) << "pressed lasts one frame";
    pad->Release(SDL_CONTROLLER_BUTTON_A);
    Frame();
    EXPECT_FALSE(credits->IsPressed());
    EXPECT_EQ(Selected(), credits);
    EXPECT_EQ(events->Count("menuHover"), 5);
    EXPECT_EQ(events->Count("menuPress"), 0) << "only the mouse sends menuPress";
}

TEST_F(ButtonPadTest, EnteringPadModeRepairsADoubleSelection)
{
    mouse.MoveTo(PixelX(0.0f), PixelY(5.0f));
    Frame();
    ASSERT_EQ(Selected(), play);
    options->SetSelected(true);
    pad->SetStick(1.0f, 0.0f);
    Frame();
    ASSERT_FALSE(IsMouseMode()) << "a stick push switches at once";
    EXPECT_TRUE(play->IsSelected());
    EXPECT_FALSE(options->IsSelected());
    int warnings = 0;
    for (const std::string& message : mTraces)
        warnings += message.find("Multiple buttons claim to be selected") != std::string::npos;
    EXPECT_EQ(warnings, 1);

    // Hiding the selected button leaves none; the framework picks the first
    // active one again.
    pad->SetStick(0.0f, 0.0f);
    play->SetActive(false);
    Frame();
    EXPECT_EQ(Selected(), credits);

    // Without a pad the buttons follow the mouse, whatever the mode says.
    pad->Unplug();
    Input::Update();
    ControllerModeFlag = true;
    mouse.MoveTo(PixelX(-8.0f), PixelY(0.0f));
    window->GetWindow().Update();
    for (const std::shared_ptr<Button>& button : buttons)
        button->Update();
    EXPECT_EQ(Selected(), options);
}

} // namespace
