// Two figures of the frame loop. The CPU share of a core that the frame cap
// costs while the game has nothing to do, holding 60 frames a second, beside
// a cap that busy-waits through the whole frame; and the time from the start
// of the game to its first presented frame, beside the second it may take.
// CPU times come from the kernel's counts for this process and this thread,
// so that other programs on the machine matter little.
//
// Run from the repository root with a display and SDL's dummy sound, e.g.
//   SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 640x400x24" build/bench/frame_clock_bench

#include "core/Game.h"
#include "core/Time.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <stdexcept>

namespace {

constexpr int kIdleFrames = 300;
constexpr double kMinFrameTime = 1.0 / 60.0;
constexpr double kStartBudgetSeconds = 1.0;

double Seconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

struct Idle {
    double processShare;
    double threadShare;
    double framesPerSecond;
    double shortestFrame;
};

// Runs `frames` frames of nothing but the cap.
template <typename Cap>
Idle MeasureIdle(int frames, Cap cap)
{
    const double wall = Seconds(CLOCK_MONOTONIC);
    const double process = Seconds(CLOCK_PROCESS_CPUTIME_ID);
    const double thread = Seconds(CLOCK_THREAD_CPUTIME_ID);
    double shortest = 1.0;
    for (int i = 0; i < frames; ++i)
        shortest = std::min(shortest, cap());
    const double elapsed = Seconds(CLOCK_MONOTONIC) - wall;
    return {(Seconds(CLOCK_PROCESS_CPUTIME_ID) - process) / elapsed,
            (Seconds(CLOCK_THREAD_CPUTIME_ID) - thread) / elapsed, frames / elapsed, shortest};
}

// The cap as a plain busy-wait through the whole frame.
double BusyWait()
{
    static double last = Seconds(CLOCK_MONOTONIC);
    double now = Seconds(CLOCK_MONOTONIC);
    while (now - last < kMinFrameTime)
        now = Seconds(CLOCK_MONOTONIC);
    const double frame = now - last;
    last = now;
    return frame;
}

void PrintIdle(const char* what, const Idle& idle)
{
    std::printf("  %-28s process %6.2f%%  main thread %6.2f%% of a core, %5.1f frames/s, shortest frame %.4f s\n",
                what, idle.processShare * 100.0, idle.threadShare * 100.0, idle.framesPerSecond, idle.shortestFrame);
}

} // namespace

int main()
{
    std::printf("frame cap while idle, %d frames:\n", kIdleFrames);
    Time::Init();
    const Idle capped = MeasureIdle(kIdleFrames, [] {
        Time::Update();
        return static_cast<double>(Time::GetDt());
    });
    BusyWait();
    const Idle busy = MeasureIdle(kIdleFrames / 3, BusyWait);
    PrintIdle("the game's frame cap", capped);
    PrintIdle("busy-wait baseline", busy);
    std::printf("  the cap costs %.1fx less CPU than the busy-wait\n", busy.threadShare / capped.threadShare);

    const double start = Seconds(CLOCK_MONOTONIC);
    const double startCpu = Seconds(CLOCK_PROCESS_CPUTIME_ID);
    try {
        Game::Init();
        Game::Frame();
    } catch (const std::runtime_error& error) {
        std::printf("the game did not start: %s\n", error.what());
        return 1;
    }
    const double firstFrame = Seconds(CLOCK_MONOTONIC) - start;
    const double firstFrameCpu = Seconds(CLOCK_PROCESS_CPUTIME_ID) - startCpu;
    Game::Shutdown();
    std::printf("start to the first presented frame: %.3f s (process CPU %.3f s), %.2f of the %.0f s budget\n",
                firstFrame, firstFrameCpu, firstFrame / kStartBudgetSeconds, kStartBudgetSeconds);
    return 0;
}
