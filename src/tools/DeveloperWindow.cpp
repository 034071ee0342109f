#include "tools/DeveloperWindow.h"

#include <imgui.h>
#include <imgui_internal.h>
#include <map>

namespace {

constexpr float kBaseWidth = 1000.0f;
constexpr float kBaseHeight = 600.0f;
constexpr float kMargin = 4.0f;
constexpr const char* kDebugWindow = "Debug##Default";

ImVec2 PlaceFor(const WindowPlace& place, const ImVec2& display)
{
    return ImVec2(place.x * display.x / kBaseWidth, place.y * display.y / kBaseHeight);
}

// Whether the window is yet to be placed for the game window's present
// size: it is new, or the game window has changed size since.
bool NeedsPlacing(const char* name, const ImVec2& display)
{
    static std::map<ImGuiID, ImVec2> placedFor;
    ImVec2& placed = placedFor[ImHashStr(name)];
    const bool needed = !ImGui::FindWindowByName(name) || placed.x != display.x || placed.y != display.y;
    placed = display;
    return needed;
}

// The largest the window may grow from where it is, inside the game window.
ImVec2 RoomFrom(const ImVec2& position, const ImVec2& display)
{
    return ImVec2(ImMax(display.x - position.x - kMargin, 1.0f), ImMax(display.y - position.y - kMargin, 1.0f));
}

} // namespace

void BeginDeveloperWindow(const char* name, WindowPlace place)
{
    const ImVec2 display = ImGui::GetIO().DisplaySize;
    const ImVec2 position = PlaceFor(place, display);
    ImGuiWindow* window = ImGui::FindWindowByName(name);
    const bool placing = NeedsPlacing(name, display);
    if (placing)
        ImGui::SetNextWindowPos(position, ImGuiCond_Always);
    const ImVec2 room = RoomFrom(placing || !window ? position : window->Pos, display);
    // Never smaller than what it held in the last frame; a new window fits
    // what it holds by itself.
    const ImVec2 fit = window ? ImGui::CalcWindowNextAutoFitSize(window) : ImVec2(0.0f, 0.0f);
    const ImVec2 least(ImMax(place.width, fit.x), fit.y);
    ImGui::SetNextWindowSizeConstraints(ImMin(least, room), room);
    ImGui::Begin(name);
}

void PlaceDebugWindow(WindowPlace place)
{
    const ImVec2 display = ImGui::GetIO().DisplaySize;
    if (NeedsPlacing(kDebugWindow, display))
        ImGui::SetWindowPos(kDebugWindow, PlaceFor(place, display), ImGuiCond_Always);
    // Dear ImGui gives it a fixed size of its own; it fits what it holds instead.
    ImGui::SetWindowSize(kDebugWindow, ImVec2(0.0f, 0.0f), ImGuiCond_Always);
}
