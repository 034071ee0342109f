#pragma once

#include "ScreenLayout.h"

#include <string>
#include <vector>

// The developer windows (Dear ImGui) as the last frame showed them, read
// from ImGui itself: its windows in the order they are drawn, back to
// front, and the buttons as drawn into them. A button is found by its
// frame, the quad in one of the three button colours of the window's draw
// list, and named by the letters drawn inside that frame.
namespace developer_windows {

struct Window {
    std::string name;
    screen_layout::Box at;
    // Nothing it holds lies outside it (it has nothing to scroll to).
    bool showsAll;
};

struct Button {
    std::string label;
    // Index into the windows: the window it lies in.
    std::size_t window;
    screen_layout::Box at;
};

struct Shown {
    std::vector<Window> windows;
    std::vector<Button> buttons;
};

// Between the end of a game frame and the start of the next.
Shown LastFrame();

// One line each: a window or button leaving the game window, a window that
// does not show all it holds, a button cut by its own window's edge or lying
// under a window drawn in front of its own.
std::vector<std::string> Faults(const Shown& shown, int width, int height);

} // namespace developer_windows
