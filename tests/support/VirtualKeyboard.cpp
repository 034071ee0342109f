#include "VirtualKeyboard.h"

// Before Xlib, whose macros (None, Bool) clash with gtest's names.
#include <gtest/gtest.h>

#include <SDL_syswm.h>
#include <X11/keysym.h>
#include <cstdlib>
#include <dlfcn.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// The X calls are looked up at run time: SDL loads Xlib itself, and the
// test programs do not link X.
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
    static const XCalls calls = [] {
        XCalls found;
        void* xlib = dlopen("libX11.so.6", RTLD_NOW);
        void* xtest = dlopen("libXtst.so.6", RTLD_NOW);
        if (xlib) {
            found.keysymToKeycode = reinterpret_cast<KeysymToKeycode>(dlsym(xlib, "XKeysymToKeycode"));
            found.sync = reinterpret_cast<Sync>(dlsym(xlib, "XSync"));
        }
        if (xtest)
            found.fakeKeyEvent = reinterpret_cast<FakeKeyEvent>(dlsym(xtest, "XTestFakeKeyEvent"));
        return found;
    }();
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
{
    int ready[2];
    if (pipe(ready) != 0) {
        ADD_FAILURE() << "no pipe for the X server";
        return;
    }
    // The server writes its display number to this pipe once it takes
    // connections, and ends itself when its last client leaves.
    const std::string readyFd = std::to_string(ready[1]);
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    const char* argv[] = {"Xvfb", "-displayfd", readyFd.c_str(), "-screen", "0", screen.c_str(),
                          "-nolisten", "tcp", "-terminate", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, ready[0]);
    pid_t server = -1;
    const int spawned = posix_spawnp(&server, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(ready[1]);

    std::string display;
    char c;
    while (spawned == 0 && read(ready[0], &c, 1) == 1 && c != '\n')
        display += c;
    close(ready[0]);
    if (spawned != 0 || display.empty()) {
        ADD_FAILURE() << "the private X server did not start";
        if (spawned == 0) {
            kill(server, SIGTERM);
            waitpid(server, nullptr, 0);
        }
        return;
    }
    mServer = server;
    setenv("DISPLAY", (":" + display).c_str(), 1);
}

VirtualKeyboard::~VirtualKeyboard()
{
    if (mServer <= 0)
        return;
    kill(mServer, SIGTERM);
    waitpid(mServer, nullptr, 0);
}

bool VirtualKeyboard::Attach(SDL_Window* window)
{
    mDisplay = nullptr;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!IsRunning() || !window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    if (!X().ok())
        return false;
    mDisplay = info.info.x11.display;
    SDL_SetWindowInputFocus(window);
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
