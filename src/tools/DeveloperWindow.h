#pragma once

// Where a developer window first opens: its top left and the least width it
// takes, in pixels of the 1000 by 600 window the game starts with. In a
// larger game window the place moves out with the window's size.
struct WindowPlace {
    float x;
    float y;
    float width;
};

// ImGui::Begin for a developer window, closed with ImGui::End as usual. It
// opens at its place, at least as large as all it holds (it grows when more
// comes into it, and may be dragged larger), never past the game window's
// right and bottom edges (a scrollbar then shows the rest). Moved by hand it
// stays where it was put until the game window changes size, which puts it
// back at its place for the new size.
void BeginDeveloperWindow(const char* name, WindowPlace place);

// The same for Dear ImGui's implicit "Debug" window, while it is the
// current one (widgets issued outside every window go there).
void PlaceDebugWindow(WindowPlace place);
