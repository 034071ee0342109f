#include "core/Time.h"

#include <chrono>
#include <cstdint>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

constexpr float kMinFrameTime = 1.0f / 60.0f;
// Waits longer than this are slept through, the rest is spun, so that the
// frame cap does not keep a core busy.
constexpr std::int64_t kSpinNanoseconds = 2'000'000;

std::int64_t Now()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

float gFrameTime = 0.0001f;
float gTimeScale = 1.0f;
std::int64_t gLastTime = Now();

} // namespace

namespace Time {

void Init()
{
    gLastTime = Now();
    gFrameTime = 0.0001f;
    gTimeScale = 1.0f;
}

void Update()
{
    const std::int64_t target = static_cast<std::int64_t>(static_cast<double>(kMinFrameTime) * 1e9);
    std::int64_t now = Now();
    float elapsed = static_cast<float>(now - gLastTime) / 1e9f;
    while (elapsed < kMinFrameTime) {
        const std::int64_t remaining = target - (now - gLastTime);
        if (remaining > kSpinNanoseconds)
            std::this_thread::sleep_for(std::chrono::nanoseconds(remaining - kSpinNanoseconds));
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

} // namespace Time
