#include "core/Input.h"
#include "core/Window.h"
#include "support/VirtualKeyboard.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>

namespace {

// The game's window on a private X server, typed into for real.
class InputKeyboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(keys.IsRunning());
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        window = std::make_unique<Window>("Vendrabolt", 1000, 600, 0, 0);
        ASSERT_TRUE(window->IsValid());
        ASSERT_TRUE(keys.Attach(window->GetSDLWindow()));
        window->Update();
    }
    void TearDown() override
    {
        Input::Shutdown();
        window.reset();
        SDL_Quit();
    }

    // Holds the keys through one window update, reads the keyboard, then
    // lets them go again.
    Input::KeyboardCommand Holding(std::initializer_list<SDL_Scancode> held)
    {
        for (SDL_Scancode key : held)
            keys.Press(key);
        window->Update();
        const Input::KeyboardCommand command = Input::ReadKeyboard();
        for (SDL_Scancode key : held)
            keys.Release(key);
        window->Update();
        return command;
    }

    static void PushKeyDown(int scancode)
    {
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.keysym.scancode = static_cast<SDL_Scancode>(scancode);
        SDL_PushEvent(&event);
    }

    VirtualKeyboard keys; // first: it must be up before SDL video starts
    std::unique_ptr<Window> window;
};

TEST_F(InputKeyboardTest, KeysPressedDuringStartUpAreIgnored)
{
    // The window pumps events before the input exists.
    keys.Press(SDL_SCANCODE_SPACE);
    PushKeyDown(SDL_SCANCODE_Z);
    window->Update();
    window->Update();
    EXPECT_FALSE(Input::ReadKeyboard().jump);

    Input::Init();
    window->Update();
    EXPECT_TRUE(Input::ReadKeyboard().jump);
    keys.Release(SDL_SCANCODE_SPACE);
    window->Update();
    EXPECT_FALSE(Input::ReadKeyboard().jump);
}

TEST_F(InputKeyboardTest, KeyEventsOutsideTheKeyArrayAreDropped)
{
    Input::Init();
    // SDL's scancodes stop short of SDL_NUM_SCANCODES; the enum still holds
    // values up to 1023.
    for (int scancode : {int{SDL_NUM_SCANCODES}, 1023}) {
        PushKeyDown(scancode);
        window->Update();
    }
    Input::Shutdown();
    keys.Press(SDL_SCANCODE_Z);
    PushKeyDown(SDL_SCANCODE_SPACE);
    window->Update();
    EXPECT_FALSE(Input::ReadKeyboard().punch);
}

TEST_F(InputKeyboardTest, ArrowsAndLettersSteerWithUpFirst)
{
    Input::Init();
    const struct {
        std::initializer_list<SDL_Scancode> held;
        int direction;
    } cases[] = {
        {{}, Direction::None},
        {{SDL_SCANCODE_UP}, Direction::Up},
        {{SDL_SCANCODE_W}, Direction::Up},
        {{SDL_SCANCODE_DOWN}, Direction::Down},
        {{SDL_SCANCODE_S}, Direction::Down},
        {{SDL_SCANCODE_LEFT}, Direction::Left},
        {{SDL_SCANCODE_A}, Direction::Left},
        {{SDL_SCANCODE_RIGHT}, Direction::Right},
        {{SDL_SCANCODE_D}, Direction::Right},
        {{SDL_SCANCODE_RIGHT, SDL_SCANCODE_UP}, Direction::Up},
        {{SDL_SCANCODE_D, SDL_SCANCODE_S}, Direction::Down},
        {{SDL_SCANCODE_LEFT, SDL_SCANCODE_RIGHT}, Direction::Left},
        {{SDL_SCANCODE_DOWN, SDL_SCANCODE_W}, Direction::Up},
    };
    for (const auto& c : cases) {
        const Input::KeyboardCommand command = Holding(c.held);
        EXPECT_EQ(command.direction, c.direction) << "case " << (&c - cases);
        EXPECT_FALSE(command.jump);
        EXPECT_FALSE(command.punch);
    }
}

TEST_F(InputKeyboardTest, JumpPunchAndSteerTogether)
{
    Input::Init();
    const Input::KeyboardCommand all = Holding({SDL_SCANCODE_RIGHT, SDL_SCANCODE_SPACE, SDL_SCANCODE_Z});
    EXPECT_EQ(all.direction, Direction::Right);
    EXPECT_TRUE(all.jump);
    EXPECT_TRUE(all.punch);

    const Input::KeyboardCommand after = Input::ReadKeyboard();
    EXPECT_EQ(after.direction, Direction::None);
    EXPECT_FALSE(after.jump);
    EXPECT_FALSE(after.punch);
}

} // namespace
