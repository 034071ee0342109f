// The time a level takes to load with a very large tile set: a 64 by 36 map
// whose tile set has 50,000 tiles, each its own image name (missing files,
// so each becomes the placeholder texture), then one lookup of every gid.
// The figures (processor time of the whole process, and wall time, which a
// busy machine stretches) are printed beside their baseline, one second, as
// ratios.
//
// Run from the repository root with a display, e.g.
//   xvfb-run -a -s "-screen 0 1280x720x24" build/bench/tileset_bench

#include "core/Trace.h"
#include "core/Window.h"
#include "level/Level.h"
#include "render/GLSupport.h"

#include <SDL.h>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

constexpr int kTiles = 50000;
constexpr int kWidth = 64;
constexpr int kHeight = 36;
constexpr double kBaselineSeconds = 1.0;

double ProcessSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Writes the map and its tile set; returns the map's path.
std::string WriteLevel(const std::filesystem::path& folder)
{
    std::filesystem::create_directories(folder);
    std::ofstream tiles(folder / "tiles.json");
    tiles << R"({"type": "tileset", "name": "large", "tiles": {)";
    for (int id = 0; id < kTiles; ++id) {
        tiles << (id ? "," : "") << '"' << id << R"(": {"image": "bench/missing_)" << id
              << R"(.png", "imagewidth": 64, "imageheight": 64})";
    }
    tiles << R"(}, "tileproperties": {"0": {"Collides": true}}})";

    std::ofstream map(folder / "map.json");
    map << R"({"type": "map", "width": )" << kWidth << R"(, "height": )" << kHeight
        << R"(, "tilewidth": 64, "tileheight": 64, "tilesets": [{"firstgid": 1, "source": ")"
        << std::filesystem::relative(folder / "tiles.json", "assets/levels").generic_string()
        << R"("}], "layers": [{"name": "Foreground", "width": )" << kWidth << R"(, "height": )" << kHeight
        << R"(, "data": [)";
    for (int cell = 0; cell < kWidth * kHeight; ++cell)
        map << (cell ? "," : "") << 1 + (cell * 7919) % kTiles;
    map << "]}]}";
    return (folder / "map.json").string();
}

} // namespace

int main()
{
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "SDL video did not start: %s\n", SDL_GetError());
        return 1;
    }
    {
        // Every missing image is traced; only the time is wanted here.
        SetTraceSink([](const std::string&, int) {});
        Window window("Vendrabolt tile-set bench", 64, 64, 0, 0);
        StartGlew("Tile-set bench");
        const auto folder = std::filesystem::temp_directory_path() / ("vendrabolt-bench-" + std::to_string(getpid()));
        const std::string path = WriteLevel(folder);

        using Clock = std::chrono::steady_clock;
        const Clock::time_point start = Clock::now();
        const double startCpu = ProcessSeconds();
        LoadLevel(path);
        unsigned found = 0;
        for (int gid : CurrentLevel().foreground)
            found += GetTileImage(gid, "background").id != 0;
        const double cpu = ProcessSeconds() - startCpu;
        const double wall = std::chrono::duration<double>(Clock::now() - start).count();
        std::filesystem::remove_all(folder);

        std::printf("%d tiles, %d cells (%u drawn)\n", kTiles, kWidth * kHeight, found);
        std::printf("load CPU  %.3f s, baseline %.3f s, ratio %.2f\n", cpu, kBaselineSeconds, cpu / kBaselineSeconds);
        std::printf("load wall %.3f s, baseline %.3f s, ratio %.2f\n", wall, kBaselineSeconds, wall / kBaselineSeconds);
    }
    SDL_Quit();
    return 0;
}
