// Milliseconds to decode each shipped music track through the game's
// decoder (libmpg123 and libsndfile, bounded block by block), printed beside
// the mixer's own loader over the same bytes (Mix_LoadWAV_RW), as the ratio
// of the two. The best of a few runs counts.
//
// Run from the repository root: build/bench/sound_decode_bench

#include "audio/SoundFile.h"
#include "core/RegularFile.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRuns = 5;
constexpr std::size_t kBudget = std::size_t{256} << 20;

// Best milliseconds of decode over the runs; fails loudly if it decodes nothing.
double BestMilliseconds(const std::function<Mix_Chunk*()>& decode)
{
    double best = 1e30;
    for (int run = 0; run < kRuns; ++run) {
        const Clock::time_point start = Clock::now();
        Mix_Chunk* chunk = decode();
        best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        if (!chunk) {
            std::fprintf(stderr, "a track did not decode\n");
            std::exit(1);
        }
        Mix_FreeChunk(chunk);
    }
    return best;
}

} // namespace

int main()
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0 || Mix_Init(MIX_INIT_MP3 | MIX_INIT_OGG) == 0 ||
        Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        std::fprintf(stderr, "no mixer: %s\n", Mix_GetError());
        return 1;
    }
    std::set<std::string> tracks;
    for (const auto& entry : std::filesystem::directory_iterator("assets/sound")) {
        if (entry.path().extension() == ".mp3")
            tracks.insert(entry.path().string());
    }
    double newTotal = 0.0, oldTotal = 0.0;
    for (const std::string& track : tracks) {
        std::string bytes;
        if (fb::ReadRegularFile(track, fb::kMaxSoundFileBytes, bytes) != fb::RegularFileStatus::Read) {
            std::fprintf(stderr, "%s could not be read\n", track.c_str());
            return 1;
        }
        const double decoder = BestMilliseconds([&bytes] {
            std::string failure;
            return fb::DecodeSoundBytes(bytes, kBudget, failure);
        });
        const double mixer = BestMilliseconds([&bytes] {
            return Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
        });
        newTotal += decoder;
        oldTotal += mixer;
        std::printf("%-40s decoder %8.2f ms   Mix_LoadWAV_RW %8.2f ms   ratio %5.3f\n",
                    std::filesystem::path(track).filename().c_str(), decoder, mixer, decoder / mixer);
    }
    std::printf("%-40s decoder %8.2f ms   Mix_LoadWAV_RW %8.2f ms   ratio %5.3f\n", "all tracks", newTotal, oldTotal,
                newTotal / oldTotal);
    Mix_CloseAudio();
    Mix_Quit();
    SDL_Quit();
    return 0;
}
