#include "core/Input.h"

#include "platform/GamePad.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kStartButton = 15;

std::vector<Controller> gControllers;

// SDL's key-state array, indexed by scancode, and the key presses of this
// frame and of the last one.
const Uint8* gKeyState = nullptr;
int gKeyCount = 0;
std::vector<Uint8> gKeysThisFrame;
std::vector<Uint8> gKeysLastFrame;

bool Held(SDL_Scancode key)
{
    return key < gKeyCount && gKeyState[key] != 0;
}

} // namespace

namespace Input {

void Init()
{
    gKeyState = SDL_GetKeyboardState(&gKeyCount);
    gKeysThisFrame.assign(gKeyCount, 0);
    gKeysLastFrame.assign(gKeyCount, 0);

    GamePad::Init();
    gControllers.clear();
    for (unsigned pad = 0; pad < GamePad::kSlots; ++pad)
        gControllers.emplace_back(pad);
}

void Update()
{
    for (Controller& controller : gControllers)
        controller.Update();
}

void Shutdown()
{
    gControllers.clear();
    gKeyState = nullptr;
    gKeyCount = 0;
    gKeysThisFrame.clear();
    gKeysLastFrame.clear();
    GamePad::Shutdown();
}

void EndFrame()
{
    if (gKeysThisFrame.empty())
        return;
    gKeysLastFrame = gKeysThisFrame;
    std::fill(gKeysThisFrame.begin(), gKeysThisFrame.end(), 0);
}

void OnKeyDown(const SDL_Event& event)
{
    if (event.type != SDL_KEYDOWN)
        return;
    const int key = event.key.keysym.scancode;
    if (key < 0 || key >= static_cast<int>(gKeysThisFrame.size()))
        return;
    gKeysThisFrame[key] = 1;
}

Controller* GetController(unsigned i)
{
    return i < gControllers.size() ? &gControllers[i] : nullptr;
}

Controller* FirstConnected()
{
    for (Controller& controller : gControllers) {
        if (controller.IsConnected())
            return &controller;
    }
    return nullptr;
}

int CountConnected()
{
    int count = 0;
    for (const Controller& controller : gControllers) {
        if (controller.IsConnected())
            ++count;
    }
    return count;
}

bool AnyJustPressed()
{
    for (const Controller& controller : gControllers) {
        if (controller.JustPressed(kStartButton))
            return true;
    }
    return false;
}

void PollConnections()
{
    for (Controller& controller : gControllers)
        controller.CheckConnection();
}

KeyboardCommand ReadKeyboard()
{
    KeyboardCommand command;
    if (!gKeyState)
        return command;
    gKeyState = SDL_GetKeyboardState(&gKeyCount);
    if (Held(SDL_SCANCODE_UP) || Held(SDL_SCANCODE_W))
        command.direction = Direction::Up;
    else if (Held(SDL_SCANCODE_DOWN) || Held(SDL_SCANCODE_S))
        command.direction = Direction::Down;
    else if (Held(SDL_SCANCODE_LEFT) || Held(SDL_SCANCODE_A))
        command.direction = Direction::Left;
    else if (Held(SDL_SCANCODE_RIGHT) || Held(SDL_SCANCODE_D))
        command.direction = Direction::Right;
    command.jump = Held(SDL_SCANCODE_SPACE);
    command.punch = Held(SDL_SCANCODE_Z);
    return command;
}

} // namespace Input
