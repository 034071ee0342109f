#include "VirtualMouse.h"

// Before Xlib, whose macros (None, Bool) clash with gtest's names.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

namespace {

using WarpPointer = int (*)(Display*, Window, Window, int, int, unsigned, unsigned, int, int);
using Sync = int (*)(Display*, Bool);
using FakeButtonEvent = int (*)(Display*, unsigned int, Bool, unsigned long);
using QueryPointer = Bool (*)(Display*, Window, Window*, Window*, int*, int*, int*, int*, unsigned*);

struct XCalls {
    WarpPointer warpPointer = nullptr;
    Sync sync = nullptr;
    FakeButtonEvent fakeButtonEvent = nullptr;
    QueryPointer queryPointer = nullptr;
    bool ok() const { return warpPointer && sync && fakeButtonEvent && queryPointer; }
};

const XCalls& X()
{
    static const XCalls calls{reinterpret_cast<WarpPointer>(FindXFunction("libX11.so.6", "XWarpPointer")),
                              reinterpret_cast<Sync>(FindXFunction("libX11.so.6", "XSync")),
                              reinterpret_cast<FakeButtonEvent>(FindXFunction("libXtst.so.6", "XTestFakeButtonEvent")),
                              reinterpret_cast<QueryPointer>(FindXFunction("libX11.so.6", "XQueryPointer"))};
    return calls;
}

constexpr unsigned kLeftButton = 1;

} // namespace

bool VirtualMouse::Attach(SDL_Window* window)
{
    mDisplay = nullptr;
    void* display = nullptr;
    unsigned long xWindow = 0;
    if (!X().ok() || !mServer.Connect(window, display, xWindow))
        return false;
    mDisplay = display;
    mWindow = xWindow;
    // The pointer stays on the screen: the whole window must be there too.
    SDL_SetWindowPosition(window, 0, 0);
    // SDL drops a click that comes within 10 ms of the window taking focus,
    // as the click that gave it; the window takes focus whenever its events
    // come round, so a test's first click would count or not by the clock.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    return true;
}

void VirtualMouse::MoveTo(int x, int y)
{
    if (!mDisplay) {
        ADD_FAILURE() << "the mouse is not attached to a window";
        return;
    }
    auto* display = static_cast<Display*>(mDisplay);
    X().warpPointer(display, 0, mWindow, 0, 0, 0, 0, x, y);
    // On SDL's own connection: once the server has answered, the motion is
    // queued for SDL's next pump.
    X().sync(display, False);
}

void VirtualMouse::PressLeft()
{
    SendButton(true);
}

void VirtualMouse::ReleaseLeft()
{
    SendButton(false);
}

void VirtualMouse::SendButton(bool down)
{
    if (!mDisplay) {
        ADD_FAILURE() << "the mouse is not attached to a window";
        return;
    }
    auto* display = static_cast<Display*>(mDisplay);
    X().fakeButtonEvent(display, kLeftButton, down ? True : False, 0);
    // The server takes faked input from a queue of its own: ask it until the
    // button has changed, by then SDL's connection has the event.
    bool changed = false;
    for (int polls = 0; polls < 5000 && !changed; ++polls) {
        Window root = 0;
        Window child = 0;
        int rootX = 0;
        int rootY = 0;
        int x = 0;
        int y = 0;
        unsigned mask = 0;
        X().queryPointer(display, mWindow, &root, &child, &rootX, &rootY, &x, &y, &mask);
        changed = ((mask & Button1Mask) != 0) == down;
        if (!changed)
            SDL_Delay(1);
    }
    if (!changed)
        ADD_FAILURE() << "the X server never showed the left button " << (down ? "pressed" : "released");
    X().sync(display, False);
}
