#pragma once

#include "core/Timer.h"

#include <string>

// A line a window shows for a while after something happened in it: what a
// save came to, or why a typed value was refused.
class StatusLine {
public:
    // Shows the text from now on for the given seconds.
    void Show(std::string text, float seconds = 3.0f);
    // Inside the window, once a frame: the text while it lasts, an empty
    // line of the same room before and after.
    void Draw();

private:
    std::string mText;
    Timer mTimer;
};
