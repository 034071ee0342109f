#include "MenuRig.h"

#include "level/Level.h"

namespace {

using ButtonMouseTest = MenuRig;

TEST_F(ButtonMouseTest, HoverSelectsAndAClickPressesForOneFrame)
{
    auto play = MakeButton({-6.0f, 0.0f}, {4.0f, 2.0f});
    auto quit = MakeButton({6.0f, 0.0f}, {4.0f, 2.0f});
    StartInMouseMode();
    EXPECT_FALSE(play->IsSelected());
    EXPECT_FLOAT_EQ(Opacity(play), 1.0f);

    // The box of Play runs from x -8 to -4: its right edge counts as inside.
    mouse.MoveTo(PixelX(-4.0f), PixelY(0.0f));
    Frame();
    EXPECT_TRUE(play->IsSelected());
    EXPECT_FALSE(quit->IsSelected());
    EXPECT_FLOAT_EQ(Opacity(play), 0.625f) << "the pulse starts at its middle";
    Frame(3);
    EXPECT_NE(Opacity(play), 0.625f) << "and moves on while selected";
    mouse.MoveTo(PixelX(-4.0f) + 1, PixelY(0.0f));
    Frame();
    EXPECT_FALSE(play->IsSelected()) << "one pixel further is outside";
    EXPECT_FLOAT_EQ(Opacity(play), 1.0f);
    EXPECT_TRUE(events->names.empty()) << "hovering with the mouse sends nothing";

    mouse.MoveTo(PixelX(-6.0f), PixelY(0.5f));
    Frame();
    mouse.PressLeft();
    Frame();
    EXPECT_TRUE(play->IsPressed());
    EXPECT_EQ(events->Count("menuPress"), 1);
    Frame(5);
    EXPECT_FALSE(play->IsPressed()) << "pressed lasts one frame";
    EXPECT_EQ(events->Count("menuPress"), 1) << "holding the button does not press again";
    mouse.ReleaseLeft();
    Frame(2);
    EXPECT_TRUE(play->IsSelected());
    mouse.PressLeft();
    Frame();
    EXPECT_TRUE(play->IsPressed()) << "a new click presses again";
    EXPECT_EQ(events->Count("menuPress"), 2);
    mouse.ReleaseLeft();
    Frame();

    mouse.MoveTo(PixelX(6.0f), PixelY(0.0f));
    Frame();
    EXPECT_FALSE(play->IsSelected());
    EXPECT_TRUE(quit->IsSelected());
    mouse.PressLeft();
    Frame();
    EXPECT_TRUE(quit->IsPressed());
    EXPECT_FALSE(play->IsPressed());
    mouse.ReleaseLeft();
    Frame();
    EXPECT_EQ(events->Count("menuPress"), 3);

    // A click whose press and release both come between two frames.
    mouse.PressLeft();
    mouse.ReleaseLeft();
    Frame();
    EXPECT_TRUE(quit->IsPressed()) << "a quick click presses";
    Frame(3);
    EXPECT_EQ(events->Count("menuPress"), 4) << "once";
    EXPECT_EQ(events->Count("menuHover"), 0);
}

TEST_F(ButtonMouseTest, AHiddenButtonTakesNoInputAndShowsNothing)
{
    auto play = MakeButton({0.0f, 0.0f}, {4.0f, 2.0f});
    StartInMouseMode();
    mouse.MoveTo(PixelX(0.0f), PixelY(0.0f));
    Frame();
    mouse.PressLeft();
    Frame();
    ASSERT_TRUE(play->IsSelected());
    ASSERT_TRUE(play->IsPressed());

    play->SetActive(false);
    EXPECT_FALSE(play->IsSelected());
    EXPECT_FALSE(play->IsPressed());
    EXPECT_FLOAT_EQ(Opacity(play), 0.0f);
    mouse.ReleaseLeft();
    Frame();
    mouse.PressLeft();
    Frame();
    EXPECT_FALSE(play->IsSelected());
    EXPECT_FALSE(play->IsPressed());
    EXPECT_FLOAT_EQ(Opacity(play), 0.0f);
    EXPECT_EQ(events->Count("menuPress"), 1);
    mouse.ReleaseLeft();

    play->SetActive(true);
    EXPECT_FLOAT_EQ(Opacity(play), 1.0f);
    Frame(2);
    EXPECT_TRUE(play->IsSelected()) << "shown again, it follows the mouse";
}

TEST_F(ButtonMouseTest, ScreenFixedButtonsAreHitWhereTheyAreDrawn)
{
    // With a level and a following camera, screen-fixed pieces are scaled
    // by the camera height over the level's smaller side: 24 / 36.
    LoadLevel("./assets/levels/red_mesa.json");
    camera->SetFollow(true);
    ASSERT_FLOAT_EQ(Sprite::ScreenTransform()[0][0], 24.0f / 36.0f);
    auto fixed = MakeButton({6.0f, 3.0f}, {3.0f, 3.0f}, 5);
    StartInMouseMode();

    // Drawn from 190 to 210 across and 90 to 110 down, where the world box
    // (4.5 to 7.5 by 1.5 to 4.5) would be 205 to 235 and 75 to 105.
    mouse.MoveTo(192, 100);
    Frame();
    EXPECT_TRUE(fixed->IsSelected());
    mouse.MoveTo(220, 100);
    Frame();
    EXPECT_FALSE(fixed->IsSelected());
    mouse.MoveTo(200, 111);
    Frame();
    EXPECT_FALSE(fixed->IsSelected());
    mouse.MoveTo(200, 109);
    Frame();
    mouse.PressLeft();
    Frame();
    EXPECT_TRUE(fixed->IsPressed());
    mouse.ReleaseLeft();
    Frame();

    camera->SetFollow(false);
    UnloadTileset();
    UnloadLevel();
}

} // namespace
