// Milliseconds for the MP3 frame finder to refuse a file named .mp3 whose
// first 2 KiB are frame headers (MPEG-2.5 layer II, 2,880-byte frames) with
// zero bytes after them to the end, printed beside the same file with one
// byte not zero just past the frames those headers name, as the ratio of the
// two. The finder's
// time should not grow with the zero bytes: a ratio near 1 at every size.
// The best of a few runs counts.
//
// Run from the repository root: build/bench/mpeg_frame_finder_bench

#include "audio/MpegFrames.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRuns = 5;
constexpr std::size_t kHeaderBytes = 2048;
constexpr std::size_t kFrameBytes = 2880;

std::string HeadersThenZeros(std::size_t bytes)
{
    std::string file(bytes, '\0');
    for (std::size_t at = 0; at + 3 <= kHeaderBytes; at += 3)
        file.replace(at, 3, "\xff\xe4\xe8");
    return file;
}

double BestMilliseconds(const std::string& bytes)
{
    double best = 1e30;
    for (int run = 0; run < kRuns; ++run) {
        const Clock::time_point start = Clock::now();
        const std::size_t found = fb::FindFirstMpegFrame(bytes);
        best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        if (found != std::string::npos) {
            std::fprintf(stderr, "the finder took a file of headers and zeros\n");
            std::exit(1);
        }
    }
    return best;
}

} // namespace

int main()
{
    for (const std::size_t mebibytes : {1, 8, 32, 64}) {
        const std::string zeros = HeadersThenZeros(mebibytes << 20);
        std::string control = zeros;
        control[kHeaderBytes + kFrameBytes + 4] = 1;
        const double crafted = BestMilliseconds(zeros);
        const double baseline = BestMilliseconds(control);
        std::printf("%2zu MiB   headers then zeros %8.3f ms   one byte not zero %8.3f ms   ratio %6.2f\n", mebibytes,
                    crafted, baseline, crafted / baseline);
    }
    return 0;
}
