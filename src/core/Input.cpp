#include "core/Input.h"

#include "core/Action.h"
#include "game/Players.h"
#include "platform/GamePad.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr int kStartButton = 15;

std::vector<Controller> gControllers;

// The actions bound to every pad's buttons; their direction is set each
// time one is chosen.
std::unique_ptr<BasicAttack> gBasicAttack;
std::unique_ptr<SpecialAttack> gSpecialAttack;
std::unique_ptr<Jump> gJump;
std::unique_ptr<Block> gBlock;

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
    gBasicAttack = std::make_unique<BasicAttack>(Direction::None);
    gSpecialAttack = std::make_unique<SpecialAttack>(Direction::None);
    gJump = std::make_unique<Jump>(Direction::None);
    gBlock = std::make_unique<Block>();
    gKeyState = SDL_GetKeyboardState(&gKeyCount);
    gKeysThisFrame.assign(gKeyCount, 0);
    gKeysLastFrame.assign(gKeyCount, 0);

    GamePad::Init();
    GamePad::Poll();
    gControllers.clear();
    for (unsigned pad = 0; pad < GamePad::kSlots; ++pad) {
        Controller controller(pad);
        controller.BindKeys(gBasicAttack.get(), gSpecialAttack.get(), gJump.get(), gBlock.get());
        gControllers.push_back(std::move(controller));
    }
}

void Update()
{
    GamePad::Poll();
    for (Controller& controller : gControllers)
        controller.Update();

    if (!IsPlayerControlEnabled() || GetPlayerCount() == 0)
        return;
    if (CountConnected() == 0) {
        UpdateKeyboard();
        return;
    }
    for (int i = 0; i < GetPlayerCount(); ++i) {
        Character* player = GetPlayer(i);
        if (!player->CanAct())
            continue;
        Action* action = gControllers[static_cast<std::size_t>(i)].GetAction();
        const auto* move = dynamic_cast<const Move*>(action);
        if (i == kKeyboardPlayer && move && move->GetParameter() == Direction::None)
            UpdateKeyboard();
        else
            action->Execute(player);
    }
}

void UpdateKeyboard()
{
    Character* player = GetPlayer(kKeyboardPlayer);
    if (!player)
        return;
    const KeyboardCommand command = ReadKeyboard();
    if (command.jump)
        Jump(command.direction).Execute(player);
    else
        ReleaseJump(player);
    if (command.punch)
        BasicAttack(command.direction).Execute(player);
    else
        Move(command.direction).Execute(player);
}

void Shutdown()
{
    gControllers.clear();
    gBasicAttack.reset();
    gSpecialAttack.reset();
    gJump.reset();
    gBlock.reset();
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

int CountPlayerSlots()
{
    int slots = 1;
    for (std::size_t pad = 0; pad < gControllers.size(); ++pad) {
        if (gControllers[pad].IsConnected())
            slots = static_cast<int>(pad) + 1;
    }
    return slots;
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
    GamePad::Poll();
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
