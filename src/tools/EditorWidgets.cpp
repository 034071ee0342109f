#include "tools/EditorWidgets.h"

#include "tools/StatusLine.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <imgui.h>

bool ReadFiniteNumber(const char* text, float& value)
{
    const float read = static_cast<float>(std::strtod(text, nullptr));
    if (!std::isfinite(read))
        return false;
    value = read;
    return true;
}

void PushFieldWidthBeside(const char* longestLabel)
{
    ImGui::PushItemWidth(-(ImGui::CalcTextSize(longestLabel).x + ImGui::GetStyle().ItemInnerSpacing.x));
}

void FiniteSlider(const char* label, float& value, float min, float max, StatusLine& status)
{
    float edited = value;
    if (!ImGui::SliderFloat(label, &edited, min, max, "%.3f"))
        return;
    if (std::isfinite(edited)) {
        value = edited;
        return;
    }
    char kept[32];
    std::snprintf(kept, sizeof kept, "%.3f", value);
    status.Show(std::string(label) + " takes only finite numbers; it stays " + kept);
}
