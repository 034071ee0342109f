#include "VirtualKeyboard.h"

// Before Xlib, whose macros (None, Bool) clash with gtest's names.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {

using KeysymToKeycode = KeyCode (*)(Display*, KeySym);
using Sync = int (*)(Display*, Bool);
using FakeKeyEvent = int (*)(Display*, unsigned int, Bool, unsigned long);

struct XCalls {
    KeysymToKeycode keysymToKeycode = nullptr;
    Sync sync = nullptr;
    FakeKeyEvent fakeKeyEvent = nullptr;
    bool ok() const { return keysymToKeycode && sync && fakeKeyEvent; }
};

const XCalls& X()
{
    static const XCalls calls{
        reinterpret_cast<KeysymToKeycode>(FindXFunction("libX11.so.6", "XKeysymToKeycode")),
        reinterpret_cast<Sync>(FindXFunction("libX11.so.6", "XSync")),
        reinterpret_cast<FakeKeyEvent>(FindXFunction("libXtst.so.6", "XTestFakeKeyEvent"))};
    return calls;
}

// Printable keys share their codes with X's key symbols; the rest are named.
KeySym KeySymOf(SDL_Scancode key)
{
    switch (key) {
    case SDL_SCANCODE_UP: return XK_Up;
    case SDL_SCANCODE_DOWN: return XK_Down;
    case SDL_SCANCODE_LEFT: return XK_Left;
    case SDL_SCANCODE_RIGHT: return XK_Right;
    case SDL_SCANCODE_ESCAPE: return XK_Escape;
    case SDL_SCANCODE_RETURN: return XK_Return;
    case SDL_SCANCODE_LSHIFT: return XK_Shift_L;
    case SDL_SCANCODE_F11: return XK_F11;
    default: break;
    }
    const SDL_Keycode code = SDL_GetKeyFromScancode(key);
    return code >= 0x20 && code <= 0x7e ? static_cast<KeySym>(code) : NoSymbol;
}

} // namespace

VirtualKeyboard::VirtualKeyboard(int width, int height)
    : mServer(width, height)
{
}

VirtualKeyboard::~VirtualKeyboard() = default;

bool VirtualKeyboard::Attach(SDL_Window* window)
{
    mDisplay = nullptr;
    unsigned long xWindow = 0;
    void* display = nullptr;
    if (!X().ok() || !mServer.Connect(window, display, xWindow))
        return false;
    mDisplay = display;
    return true;
}

void VirtualKeyboard::Press(SDL_Scancode key)
{
    Send(key, true);
}

void VirtualKeyboard::Release(SDL_Scancode key)
{
    Send(key, false);
}

void VirtualKeyboard::Send(SDL_Scancode key, bool down)
{
    if (!mDisplay) {
        ADD_FAILURE() << "the keyboard is not attached to a window";
        return;
    }
    auto* display = static_cast<Display*>(mDisplay);
    const KeyCode code = X().keysymToKeycode(display, KeySymOf(key));
    if (code == 0) {
        ADD_FAILURE() << "no X key for " << SDL_GetScancodeName(key);
        return;
    }
    X().fakeKeyEvent(display, code, down ? True : False, 0);
    // On SDL's own connection: once the server has answered, the key event
    // is queued for SDL's next pump.
    X().sync(display, False);
}
