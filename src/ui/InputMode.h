#pragma once

#include <cstdint>

// The menus follow either the mouse or a game pad. UpdateInputMode switches
// between the two once a frame, before the state update: any touch of the
// first connected pad while the mouse rests selects pad mode; a mouse move or
// click, or having no pad, selects mouse mode. Each switch shows a note in
// the bottom left corner for 2 s. Pad mode hides the system cursor; mouse
// mode shows it.

// True in pad mode, false in mouse mode (the start).
extern bool ControllerModeFlag;
// The first pad's left-stick direction code (Direction:: in
// core/Controller.h), latched in pad mode.
extern std::int32_t MenuNavDirection;
// Set in the frame in which MenuNavDirection took a new value; a button that
// moves the focus on it clears it, so one flick of the stick moves once.
extern bool MenuNavDirectionChanged;

// Back to the start of a run: mouse mode, no note showing.
void ResetInputMode();
void UpdateInputMode();
bool IsMouseMode();
