#pragma once

#include "core/Controller.h"

#include <SDL.h>

// Game pads and the keyboard: four controllers, pad i for player i, and the
// keyboard, which drives the first player.
namespace Input {

constexpr int kKeyboardPlayer = 0;

// What the keys held now ask of the keyboard player.
struct KeyboardCommand {
    // Up arrow or W, else down arrow or S, else left arrow or A, else right
    // arrow or D.
    int direction = Direction::None;
    bool jump = false;  // Space
    bool punch = false; // Z
};

// Makes the shared actions, starts the pads with A bound to the jump and B,
// X and the shoulders to the punch, and takes SDL's key-state array, which
// SDL video keeps up to date as the window pumps events.
void Init();
// Once a frame, after the entity update: reads the four pads, then, while
// player control is on, applies each pad's action to its player. Stunned
// players are skipped. With no pad connected, or an idle first pad, the
// keyboard drives the first player.
void Update();
// The keyboard's actions on the first player: a jump while Space is held
// (the jump is released in every frame it is up), then a punch while Z is
// held, else a move.
void UpdateKeyboard();
void Shutdown();

// Called by the window before it pumps events: this frame's key presses
// become the last frame's.
void EndFrame();
// Called by the window for each key press. Presses that come before Init, or
// after Shutdown, are dropped.
void OnKeyDown(const SDL_Event& event);

// Controller 0 to 3, else null (also before Init).
Controller* GetController(unsigned i);
// The first connected controller in pad order, or null.
Controller* FirstConnected();
int CountConnected();
// How many players the pads ask for: one for every slot up to the last
// connected pad, so that a pad behind an empty slot (one pulled out) has its
// player too, whose number is its slot; at least one, the keyboard's.
int CountPlayerSlots();
// Whether some pad pressed start in this frame.
bool AnyJustPressed();
// Reads every pad again to see whether it is connected.
void PollConnections();

// The keyboard as it is held now; nothing is held before Init.
KeyboardCommand ReadKeyboard();

} // namespace Input
