#pragma once

#include <functional>
#include <imgui.h>
#include <imgui_internal.h>
#include <string>

// Works the developer windows as a person would: a pointer position, the
// left button, Ctrl+A and typed text go into Dear ImGui's IO at the start
// of each of its frames, and the text the windows draw is read back at the
// end of each frame. Widgets are found by their window and label; each step runs game
// frames through the given function.
class ImGuiInput {
public:
    explicit ImGuiInput(std::function<void()> frame);
    // Hooks into the current ImGui context; again after a new context.
    void Install();

    // Whether the window was drawn in the last frame.
    static bool Shown(const char* window);
    // Whether the text appeared anywhere in the last frame's windows (spaces
    // aside, which draw nothing).
    bool ShowsText(const std::string& text) const;
    // All of it, window by window, for failure messages.
    const std::string& ShownText() const { return mShownText; }

    // Sizes the window to what it holds, as a person would drag its corner.
    void Fit(const char* window);
    // Moves to a widget of the window, presses and releases the button.
    // False when the widget was not drawn.
    bool Click(const char* window, const char* label);
    // The entry of a list box: its index and the text it shows.
    bool ClickEntry(const char* window, const char* list, int index, const std::string& text);
    // Clicks into a text field, selects what it holds and types over it.
    bool TypeInto(const char* window, const char* label, const std::string& text);
    // Ctrl+clicks a slider, which makes it a text field, and types over it.
    bool TypeIntoSlider(const char* window, const char* label, const std::string& text);

private:
    static void Apply(ImGuiContext* context, ImGuiContextHook* hook);
    static void Capture(ImGuiContext* context, ImGuiContextHook* hook);
    bool ClickItem(ImGuiWindow* window, ImGuiID id);
    // Selects all the active text field holds and types over it.
    bool TypeOver(const std::string& text);
    void Fit(ImGuiWindow* window);

    std::function<void()> mFrame;
    ImVec2 mMouse{-1000.0f, -1000.0f};
    bool mButton = false;
    bool mSelectAll = false;
    bool mCtrl = false;
    std::string mTyped;
    std::string mShownText;
};
