#include "PrivateXServer.h"

// Before Xlib, whose macros (None, Bool) clash with gtest's names.
#include <gtest/gtest.h>

#include <SDL_syswm.h>
#include <cstdlib>
#include <dlfcn.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using OpenDisplay = void* (*)(const char*);
using CloseDisplay = int (*)(void*);

} // namespace

PrivateXServer::PrivateXServer(int width, int height)
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
    if (const char* old = std::getenv("DISPLAY")) {
        mOldDisplay = old;
        mHadDisplay = true;
    }
    setenv("DISPLAY", (":" + display).c_str(), 1);
    if (auto open = reinterpret_cast<OpenDisplay>(FindXFunction("libX11.so.6", "XOpenDisplay")))
        mKeeper = open(nullptr);
    if (!mKeeper)
        ADD_FAILURE() << "no connection to the private X server";
}

PrivateXServer::~PrivateXServer()
{
    if (mServer <= 0)
        return;
    if (auto close = reinterpret_cast<CloseDisplay>(FindXFunction("libX11.so.6", "XCloseDisplay")); close && mKeeper)
        close(mKeeper);
    kill(mServer, SIGTERM);
    waitpid(mServer, nullptr, 0);
    if (mHadDisplay)
        setenv("DISPLAY", mOldDisplay.c_str(), 1);
    else
        unsetenv("DISPLAY");
}

bool PrivateXServer::Connect(SDL_Window* sdlWindow, void*& display, unsigned long& xWindow) const
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!IsRunning() || !sdlWindow || !SDL_GetWindowWMInfo(sdlWindow, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    display = info.info.x11.display;
    xWindow = info.info.x11.window;
    SDL_SetWindowInputFocus(sdlWindow);
    return true;
}

void* FindXFunction(const char* library, const char* name)
{
    void* handle = dlopen(library, RTLD_NOW);
    return handle ? dlsym(handle, name) : nullptr;
}
