#include "XWindowResize.h"

#include <SDL_syswm.h>
#include <dlfcn.h>

namespace {

// Xlib is looked up at run time: SDL loads it itself, and the test
// programs do not link X.
using ResizeWindow = int (*)(Display*, Window, unsigned, unsigned);
using Sync = int (*)(Display*, Bool);

} // namespace

bool ResizeXWindow(SDL_Window* window, int width, int height)
{
    static void* const xlib = dlopen("libX11.so.6", RTLD_NOW);
    if (!xlib || !window)
        return false;
    const auto resize = reinterpret_cast<ResizeWindow>(dlsym(xlib, "XResizeWindow"));
    const auto sync = reinterpret_cast<Sync>(dlsym(xlib, "XSync"));
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!resize || !sync || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    resize(info.info.x11.display, info.info.x11.window, static_cast<unsigned>(width), static_cast<unsigned>(height));
    sync(info.info.x11.display, False);
    return true;
}
