#include "core/Time.h"

#include <cerrno>
#include <cstdint>
#include <ctime>

namespace {

constexpr float kMinFrameTime = 1.0f / 60.0f;
// The first whole nanosecond at which kMinFrameTime has passed.
constexpr std::int64_t kMinFrameNanoseconds = static_cast<std::int64_t>(static_cast<double>(kMinFrameTime) * 1e9) + 1;
// The frame cap sleeps until this long before the end of the frame and spins
// through the rest, which covers the scheduler's lateness in waking us up
// while keeping the core idle for nearly the whole wait.
constexpr std::int64_t kSpinNanoseconds = 200'000;

// The monotonic clock in nanoseconds.
std::int64_t Now()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// Sleeps until the monotonic clock reads `deadline`.
void SleepUntil(std::int64_t deadline)
{
    timespec wake{};
    wake.tv_sec = static_cast<std::time_t>(deadline / 1'000'000'000);
    wake.tv_nsec = static_cast<long>(deadline % 1'000'000'000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &wake, nullptr) == EINTR) {
    }
}

float gFrameTime = 0.0001f;
float gFixedStep = 0.0f;
float gTimeScale = 1.0f;
std::int64_t gLastTime = Now();

} // namespace

namespace Time {

void Init()
{
    gLastTime = Now();
    gFrameTime = 0.0001f;
    gTimeScale = 1.0f;
    gFixedStep = 0.0f;
}

void Update()
{
    if (gFixedStep > 0.0f) {
        gFrameTime = gFixedStep;
        gLastTime = Now();
        return;
    }
    const std::int64_t frameEnd = gLastTime + kMinFrameNanoseconds;
    std::int64_t now = Now();
    if (frameEnd - now > kSpinNanoseconds) {
        SleepUntil(frameEnd - kSpinNanoseconds);
        now = Now();
    }
    float elapsed = static_cast<float>(now - gLastTime) / 1e9f;
    while (elapsed < kMinFrameTime) {
        now = Now();
        elapsed = static_cast<float>(now - gLastTime) / 1e9f;
    }
    gFrameTime = elapsed;
    gLastTime = now;
}

float GetDt()
{
    return gFrameTime;
}

float GetScaledDt()
{
    return gFrameTime * gTimeScale;
}

float GetTimeScale()
{
    return gTimeScale;
}

void SetTimeScale(float scale)
{
    gTimeScale = scale;
}

void SetDt(float seconds)
{
    gFrameTime = seconds;
}

void SetFixedStep(float seconds)
{
    gFixedStep = seconds;
}

} // namespace Time
