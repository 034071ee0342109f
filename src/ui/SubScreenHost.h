#pragma once

#include "ui/SubScreen.h"

#include <memory>

// The owner's side of a sub-screen: at most one open screen, made fresh for
// every opening, run once a frame until it reports done, then closed (Exit,
// Unload, destroyed). The owner hides its own buttons while a screen is open
// and puts its buttons and camera back when Run reports Closed.
class SubScreenHost {
public:
    enum class Screen { Options, Controls, Credits };
    enum class Step {
        Idle,    // no screen is open
        Running, // the open screen ran this frame and is not done
        Closed,  // the open screen finished this frame and has been closed
    };

    SubScreenHost() = default;
    ~SubScreenHost();
    SubScreenHost(const SubScreenHost&) = delete;
    SubScreenHost& operator=(const SubScreenHost&) = delete;

    // Makes the screen and runs its Load and Init; the how-to-play pages
    // opened in a match offer no way to start another one. A screen still
    // open is closed first.
    void Open(Screen screen, bool inMatch = false);
    // One frame of the open screen: its Update, then its done flag.
    Step Run();
    // Closes the open screen at once, if any.
    void Close();

    bool IsOpen() const { return mScreen != nullptr; }
    // The open screen, or null.
    fb::SubScreen* GetOpen() const { return mScreen.get(); }
    // The screen open now, or the one closed last.
    Screen GetScreen() const { return mKind; }

private:
    std::unique_ptr<fb::SubScreen> mScreen;
    Screen mKind = Screen::Options;
};
