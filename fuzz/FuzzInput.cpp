#include "FuzzInput.h"

#include "core/KeptFiles.h"
#include "core/Trace.h"
#include "core/Window.h"
#include "render/GLSupport.h"

#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

const std::string& ScratchPath()
{
    static const std::string path = [] {
        std::filesystem::create_directories("build-fuzz/scratch");
        return "build-fuzz/scratch/" + std::to_string(getpid()) + ".json";
    }();
    return path;
}

} // namespace

std::string WriteInput(const std::uint8_t* data, std::size_t size)
{
    // The loaders trace every fault they meet; the fuzzer only wants crashes.
    static const bool quiet = (SetTraceSink([](const std::string&, int) {}), true);
    (void)quiet;
    std::ofstream file(ScratchPath(), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    // Every input is a new file under the same name: what was kept of the
    // last one must not stand in for it.
    KeptFiles::ForgetAll();
    return ScratchPath();
}

std::string InputFrom(int depth)
{
    std::string up;
    for (int i = 0; i < depth; ++i)
        up += "../";
    return up + ScratchPath();
}

void OpenGLOnce()
{
    // Kept for the whole run and never destroyed: its context ends with the
    // process, after the texture cache it would otherwise empty.
    static Window* window = nullptr;
    if (window)
        return;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "SDL video did not start: %s\n", SDL_GetError());
        std::abort();
    }
    window = new Window("Vendrabolt fuzz", 64, 64, 0, 0);
    if (!window->IsValid()) {
        std::fprintf(stderr, "No window: %s\n", SDL_GetError());
        std::abort();
    }
    StartGlew("Fuzz window");
}
