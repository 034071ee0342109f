#include "ImGuiInput.h"

#include "DrawnGlyphs.h"

#include <algorithm>
#include <cstdio>
#include <utility>

ImGuiInput::ImGuiInput(std::function<void()> frame)
    : mFrame(std::move(frame))
{
}

void ImGuiInput::Install()
{
    ImGuiContext* context = ImGui::GetCurrentContext();
    ImGuiContextHook apply;
    apply.Type = ImGuiContextHookType_NewFramePre;
    apply.Callback = Apply;
    apply.UserData = this;
    ImGui::AddContextHook(context, &apply);
    ImGuiContextHook capture;
    capture.Type = ImGuiContextHookType_EndFramePre;
    capture.Callback = Capture;
    capture.UserData = this;
    ImGui::AddContextHook(context, &capture);
}

void ImGuiInput::Apply(ImGuiContext* context, ImGuiContextHook* hook)
{
    auto* self = static_cast<ImGuiInput*>(hook->UserData);
    ImGuiIO& io = context->IO;
    io.MousePos = self->mMouse;
    io.MouseDown[0] = self->mButton;
    io.KeyCtrl = self->mSelectAll || self->mCtrl;
    io.KeysDown[io.KeyMap[ImGuiKey_A]] = self->mSelectAll;
    if (!self->mTyped.empty()) {
        io.AddInputCharactersUTF8(self->mTyped.c_str());
        self->mTyped.clear();
    }
}

// Reads the text back out of the frame's draw lists.
void ImGuiInput::Capture(ImGuiContext* context, ImGuiContextHook* hook)
{
    auto* self = static_cast<ImGuiInput*>(hook->UserData);
    const DrawnGlyphs glyphs(*context->IO.Fonts->Fonts[0]);
    self->mShownText.clear();
    for (const ImGuiWindow* window : context->Windows) {
        if (!window->Active)
            continue;
        const ImVector<ImDrawVert>& vertices = window->DrawList->VtxBuffer;
        for (int i = 0; i < vertices.Size; ++i) {
            if (const ImFontGlyph* glyph = glyphs.At(vertices, i))
                self->mShownText += static_cast<char>(glyph->Codepoint);
        }
        self->mShownText += '\n';
    }
}

bool ImGuiInput::Shown(const char* window)
{
    const ImGuiWindow* found = ImGui::FindWindowByName(window);
    return found && found->Active;
}

bool ImGuiInput::ShowsText(const std::string& text) const
{
    std::string letters = text;
    letters.erase(std::remove(letters.begin(), letters.end(), ' '), letters.end());
    return mShownText.find(letters) != std::string::npos;
}

void ImGuiInput::Fit(ImGuiWindow* window)
{
    ImGui::SetWindowSize(window, ImVec2(0.0f, 0.0f), ImGuiCond_Always);
    mFrame();
    mFrame();
}

void ImGuiInput::Fit(const char* window)
{
    if (ImGuiWindow* found = ImGui::FindWindowByName(window))
        Fit(found);
}

bool ImGuiInput::ClickItem(ImGuiWindow* window, ImGuiID id)
{
    // The window comes to the front, above the others, grown to show all it
    // holds, as a person would drag it; then giving the widget the
    // navigation focus for a frame makes ImGui note where it is.
    ImGui::FocusWindow(window);
    ImGui::SetWindowSize(window->RootWindow, ImVec2(0.0f, 0.0f), ImGuiCond_Always);
    mFrame();
    ImGui::SetFocusID(id, window);
    mFrame();
    const ImGuiContext& g = *ImGui::GetCurrentContext();
    if (g.NavId != id || !g.NavIdIsAlive)
        return false;
    // Kept relative to where the window's contents start.
    const ImRect& place = window->NavRectRel[0];
    const ImVec2 origin = window->DC.CursorStartPos;
    mMouse = ImVec2(origin.x + (place.Min.x + place.Max.x) * 0.5f, origin.y + (place.Min.y + place.Max.y) * 0.5f);
    mFrame();
    mButton = true;
    mFrame();
    mButton = false;
    mFrame();
    // What the click brought into the window comes into view.
    Fit(window->RootWindow);
    return true;
}

bool ImGuiInput::Click(const char* window, const char* label)
{
    ImGuiWindow* found = ImGui::FindWindowByName(window);
    return found && ClickItem(found, found->GetIDNoKeepAlive(label));
}

bool ImGuiInput::ClickEntry(const char* window, const char* list, int index, const std::string& text)
{
    ImGuiWindow* parent = ImGui::FindWindowByName(window);
    if (!parent)
        return false;
    // A list box is a child window named after its parent and its ID; each
    // entry is a selectable under the entry's index.
    char name[256];
    std::snprintf(name, sizeof name, "%s/%08X", parent->Name, parent->GetIDNoKeepAlive(list));
    // A list that has just come into a window is drawn once the window has
    // grown to show it.
    Fit(parent);
    ImGuiWindow* box = ImGui::FindWindowByName(name);
    if (!box)
        return false;
    // Only the entries in view are drawn: scroll the entry to the top.
    const ImGuiContext& g = *ImGui::GetCurrentContext();
    ImGui::SetScrollY(box, static_cast<float>(index) * (g.FontSize + g.Style.ItemSpacing.y));
    const ImGuiID entry = ImHashStr(text.c_str(), 0, ImHashData(&index, sizeof index, box->ID));
    return ClickItem(box, entry);
}

bool ImGuiInput::TypeIntoSlider(const char* window, const char* label, const std::string& text)
{
    mCtrl = true;
    const bool clicked = Click(window, label);
    mCtrl = false;
    return clicked && TypeOver(text);
}

bool ImGuiInput::TypeInto(const char* window, const char* label, const std::string& text)
{
    return Click(window, label) && TypeOver(text);
}

bool ImGuiInput::TypeOver(const std::string& text)
{
    mSelectAll = true;
    mFrame();
    mSelectAll = false;
    mTyped = text;
    mFrame();
    mFrame();
    return true;
}
