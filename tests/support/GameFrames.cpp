#include "GameFrames.h"

#include "core/Game.h"
#include "core/StateManager.h"
#include "core/Time.h"

void StartGameOnFrameClock()
{
    Game::Init();
    Time::SetFixedStep(1.0f / 60.0f);
}

void RunGameFrames(int count)
{
    for (int i = 0; i < count && StateManager::IsRunning(); ++i)
        Game::Frame();
}

void TapPad(VirtualPad& pad, SDL_GameControllerButton button, int times)
{
    // The pad is read after the menus in a frame: a press reaches a button
    // in the next frame, and the screen acts on it in the one after.
    for (int i = 0; i < times; ++i) {
        pad.Press(button);
        RunGameFrames(2);
        pad.Release(button);
        RunGameFrames(2);
    }
}
