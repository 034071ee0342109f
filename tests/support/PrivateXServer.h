#pragma once

#include <SDL.h>
#include <string>
#include <sys/types.h>

// A private X server (Xvfb) for tests that press keys or move the mouse. It
// points DISPLAY at itself, so make it before SDL video starts and let it go
// after SDL has quit; DISPLAY then points where it did before. Being private, it keeps faked input away from the
// windows of every other test running at the same time.
class PrivateXServer {
public:
    // One screen of that size.
    explicit PrivateXServer(int width = 320, int height = 240);
    ~PrivateXServer();
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    bool IsRunning() const { return mServer > 0; }

    // The Xlib connection and X window of an SDL window on this server, and
    // gives the window the input focus; false when it is not one.
    bool Connect(SDL_Window* sdlWindow, void*& display, unsigned long& xWindow) const;

private:
    pid_t mServer = -1;
    // A connection of its own: the server ends itself when its last client
    // leaves, and a test may run short-lived clients (xdotool) before the
    // program under test has connected.
    void* mKeeper = nullptr;
    std::string mOldDisplay;
    bool mHadDisplay = false;
};

// Looks up an Xlib or XTest function at run time: SDL loads Xlib itself, and
// the test programs do not link X. Null when it is not there.
void* FindXFunction(const char* library, const char* name);
