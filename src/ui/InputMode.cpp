#include "ui/InputMode.h"

#include "core/Controller.h"
#include "core/Input.h"
#include "core/Mouse.h"
#include "core/Time.h"
#include "core/Window.h"
#include "render/TextRenderer.h"

#include <SDL.h>
#include <glm/vec2.hpp>

bool ControllerModeFlag = false;
std::int32_t MenuNavDirection = Direction::None;
bool MenuNavDirectionChanged = false;

namespace {

constexpr float kNoteSeconds = 2.0f;
const glm::vec3 kNoteColour{1.0f, 0.2f, 0.0f};
// A, then the d-pad left, right, up and down.
constexpr int kPadModeButtons[] = {0, 4, 5, 6, 7};

bool gPreviousMode = false;
float gNoteTimer = 0.0f;
glm::vec2 gLastMousePoint{0.0f, 0.0f};

// The mouse in the window with its centre at (0, 0), right and up positive,
// the edges at 1.
glm::vec2 NormalisedMousePoint(int x, int y)
{
    const auto [width, height] = GetWindowSize();
    if (width <= 0 || height <= 0)
        return {0.0f, 0.0f};
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    return {2.0f * (static_cast<float>(x) - w * 0.5f) / w, -2.0f * (static_cast<float>(y) - h * 0.5f) / h};
}

bool PadAsksForPadMode(const Controller& pad)
{
    for (int button : kPadModeButtons) {
        if (pad.JustReleased(button))
            return true;
    }
    return pad.GetStickDirection() != Direction::None;
}

// Shows the switch note for this frame while its time lasts.
void ShowNote(const char* text)
{
    if (gNoteTimer <= 0.0f)
        return;
    TextRenderer::AddTextRaw(text, 5.0f, 10.0f, 0.5f, kNoteColour, false);
    gNoteTimer -= Time::GetDt();
}

} // namespace

void ResetInputMode()
{
    ControllerModeFlag = false;
    MenuNavDirection = Direction::None;
    MenuNavDirectionChanged = false;
    gPreviousMode = false;
    gNoteTimer = 0.0f;
    gLastMousePoint = glm::vec2(0.0f, 0.0f);
}

void UpdateInputMode()
{
    const Mouse::State mouse = Mouse::Read();
    const Controller* pad = Input::FirstConnected();
    const glm::vec2 point = NormalisedMousePoint(mouse.x, mouse.y);

    if (point == gLastMousePoint && !mouse.leftDown && pad) {
        if (PadAsksForPadMode(*pad))
            ControllerModeFlag = true;
    } else {
        ControllerModeFlag = false;
        gLastMousePoint = point;
    }

    if (ControllerModeFlag != gPreviousMode) {
        gNoteTimer = kNoteSeconds;
        gPreviousMode = ControllerModeFlag;
    }

    if (ControllerModeFlag) {
        SDL_ShowCursor(SDL_DISABLE);
        ShowNote("Controller Mode On");
        const int direction = pad->GetStickDirection();
        if (direction == MenuNavDirection) {
            MenuNavDirectionChanged = false;
        } else {
            MenuNavDirectionChanged = true;
            MenuNavDirection = direction;
        }
    } else {
        SDL_ShowCursor(SDL_ENABLE);
        ShowNote("Mouse Mode On");
    }
}

bool IsMouseMode()
{
    return !ControllerModeFlag;
}
