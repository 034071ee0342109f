#include "DeveloperWindows.h"

#include "support/DrawnGlyphs.h"

#include <imgui.h>
#include <imgui_internal.h>
#include <map>

namespace developer_windows {
namespace {

using screen_layout::Box;
using screen_layout::Describe;

Box BoxOf(const ImRect& rect)
{
    return {rect.Min.x, rect.Min.y, rect.Max.x, rect.Max.y};
}

bool Overlap(const Box& a, const Box& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Within(const Box& inner, const Box& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The buttons drawn into one window's draw list.
void ReadButtons(const ImDrawList& list, std::size_t window, std::vector<Button>& buttons)
{
    const ImU32 colours[] = {ImGui::GetColorU32(ImGuiCol_Button), ImGui::GetColorU32(ImGuiCol_ButtonHovered),
                             ImGui::GetColorU32(ImGuiCol_ButtonActive)};
    const auto isButton = [&colours](ImU32 colour) {
        return colour == colours[0] || colour == colours[1] || colour == colours[2];
    };
    const DrawnGlyphs glyphs(*ImGui::GetFont());
    const ImVector<ImDrawVert>& vertices = list.VtxBuffer;
    for (int i = 0; i < vertices.Size;) {
        if (!isButton(vertices[i].col)) {
            ++i;
            continue;
        }
        Button button{"", window, {vertices[i].pos.x, vertices[i].pos.y, vertices[i].pos.x, vertices[i].pos.y}};
        for (; i < vertices.Size && isButton(vertices[i].col); ++i) {
            button.at.left = std::min(button.at.left, vertices[i].pos.x);
            button.at.top = std::min(button.at.top, vertices[i].pos.y);
            button.at.right = std::max(button.at.right, vertices[i].pos.x);
            button.at.bottom = std::max(button.at.bottom, vertices[i].pos.y);
        }
        // Its label follows it, drawn inside it.
        for (; i < vertices.Size && !isButton(vertices[i].col); ++i) {
            const ImFontGlyph* glyph = glyphs.At(vertices, i);
            if (!glyph)
                continue;
            const ImVec2& corner = vertices[i].pos;
            if (corner.x < button.at.left || corner.x > button.at.right || corner.y < button.at.top ||
                corner.y > button.at.bottom)
                break;
            button.label += static_cast<char>(glyph->Codepoint);
            i += 3;
        }
        buttons.push_back(button);
    }
}

} // namespace

Shown LastFrame()
{
    Shown shown;
    const ImGuiContext& context = *ImGui::GetCurrentContext();
    std::map<const ImGuiWindow*, std::size_t> index;
    for (const ImGuiWindow* window : context.Windows) {
        if (!window->Active || window->Hidden || (window->Flags & ImGuiWindowFlags_ChildWindow))
            continue;
        index[window] = shown.windows.size();
        const bool showsAll = !window->Collapsed && window->ScrollMax.x <= 0.0f && window->ScrollMax.y <= 0.0f;
        shown.windows.push_back({window->Name, BoxOf(window->Rect()), showsAll});
    }
    for (const ImGuiWindow* window : context.Windows) {
        const auto root = index.find(window->RootWindow);
        if (window->Active && !window->Hidden && root != index.end())
            ReadButtons(*window->DrawList, root->second, shown.buttons);
    }
    return shown;
}

std::vector<std::string> Faults(const Shown& shown, int width, int height)
{
    std::vector<std::string> faults;
    const Box game{0.0f, 0.0f, float(width), float(height)};
    for (const Window& window : shown.windows) {
        if (!Within(window.at, game))
            faults.push_back("window \"" + window.name + "\" leaves the game window: " + Describe(window.at));
        if (!window.showsAll)
            faults.push_back("window \"" + window.name + "\" " + Describe(window.at) + " does not show all it holds");
    }
    for (const Button& button : shown.buttons) {
        const Window& own = shown.windows[button.window];
        const std::string name = "button \"" + button.label + "\" of \"" + own.name + "\" " + Describe(button.at);
        if (!Within(button.at, game))
            faults.push_back(name + " leaves the game window");
        if (!Within(button.at, own.at))
            faults.push_back(name + " is cut by the edge of its window " + Describe(own.at));
        for (std::size_t front = button.window + 1; front < shown.windows.size(); ++front) {
            if (Overlap(button.at, shown.windows[front].at))
                faults.push_back(name + " lies under \"" + shown.windows[front].name + "\" " +
                                 Describe(shown.windows[front].at));
        }
    }
    return faults;
}

} // namespace developer_windows
