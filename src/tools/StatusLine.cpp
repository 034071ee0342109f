#include "tools/StatusLine.h"

#include "core/Time.h"

#include <imgui.h>
#include <utility>

void StatusLine::Show(std::string text, float seconds)
{
    mText = std::move(text);
    mTimer.SetDuration(seconds);
    mTimer.Reset();
}

void StatusLine::Draw()
{
    // The line holds its room while it is empty: a window takes its size
    // from what it held in the frame before, so a line that came only with
    // its text would first be drawn half below the window's bottom edge.
    const bool showing = !mText.empty() && !mTimer.IsDone();
    ImGui::TextWrapped("%s", showing ? mText.c_str() : "");
    if (showing)
        mTimer.Update(Time::GetDt());
}
