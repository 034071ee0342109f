#include "render/ParticleLimits.h"

#include "core/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// No setting of a particle effect means anything beyond this size.
constexpr double kMaxMagnitude = 1.0e6;
constexpr float kMaxLifetime = 10.0f;
constexpr float kMaxEmitDelay = 5.0f;
constexpr float kMinEndlessDelay = 0.001f;
// Above this, one frame's drag would turn a particle around.
constexpr float kMaxDrag = 30.0f;

struct Range {
    float low;
    float high;
};

Range RangeOf(const char* key, bool endless)
{
    const auto is = [key](const char* name) { return std::strcmp(key, name) == 0; };
    if (is("emitDelay"))
        return {endless ? kMinEndlessDelay : 0.0f, kMaxEmitDelay};
    if (is("emitDelayVary"))
        return {0.0f, kMaxEmitDelay};
    if (is("particleLifetime") || is("particleLifeVary"))
        return {0.0f, kMaxLifetime};
    if (is("drag"))
        return {0.0f, kMaxDrag};
    return {static_cast<float>(-kMaxMagnitude), static_cast<float>(kMaxMagnitude)};
}

void Tell(const ParticleComplaint& complain, const std::string& what)
{
    if (complain)
        complain(what);
}

} // namespace

float KeepParticleValue(const char* key, double value, bool endless, const ParticleComplaint& complain)
{
    const std::string name = std::string("\"") + key + "\"";
    if (!(std::fabs(value) <= kMaxMagnitude)) {
        Tell(complain, name + " is " + NumberText(value) + ", beyond any sensible size; 0 is used");
        value = 0.0;
    }
    const Range range = RangeOf(key, endless);
    const float read = static_cast<float>(value);
    const float kept = std::clamp(read, range.low, range.high);
    if (kept != read) {
        Tell(complain, name + " " + NumberText(read) + " is outside " + NumberText(range.low) + " to " +
                           NumberText(range.high) + "; " + NumberText(kept) + " is used");
    }
    return kept;
}

bool KeepParticleCount(double value, int& count, const ParticleComplaint& complain)
{
    if (!(value >= 0.0 && value <= std::numeric_limits<int>::max() && std::floor(value) == value)) {
        Tell(complain, "\"particleCount\" is missing or not a whole number from 0 up; no effect is made");
        return false;
    }
    count = static_cast<int>(value);
    if (count > kMaxParticleCount) {
        Tell(complain, "\"particleCount\" " + std::to_string(count) + " is above " +
                           std::to_string(kMaxParticleCount) + "; " + std::to_string(kMaxParticleCount) +
                           " is used");
        count = kMaxParticleCount;
    }
    return true;
}
