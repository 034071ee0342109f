#pragma once

#include <string>

// Asks a window on an X server to close, as the close button of a window
// manager does: a WM_DELETE_WINDOW message, which SDL turns into its quit
// event. False when the display cannot be opened or the message not sent.
bool AskXWindowToClose(const std::string& display, unsigned long window);
