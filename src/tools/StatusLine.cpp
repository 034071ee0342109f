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
    if (mText.empty() || mTimer.IsDone())
        return;
    ImGui::TextWrapped("%s", mText.c_str());
    mTimer.Update(Time::GetDt());
}
