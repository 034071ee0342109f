#include "core/Random.h"

#include "core/Trace.h"

#include <cstdint>
#include <ctime>

namespace {

std::uint32_t gState = 1;

} // namespace

namespace Random {

unsigned Seed(unsigned seed)
{
    if (seed == 0)
        seed = static_cast<unsigned>(std::time(nullptr));
    gState = seed;
    return seed;
}

int Next()
{
    gState = gState * 214013u + 2531011u;
    return static_cast<int>((gState >> 16) & 0x7FFFu);
}

float Float(float min, float max)
{
    return static_cast<float>(Next()) / 32767.0f * (max - min) + min;
}

int Int(int min, int max)
{
    if (max < min) {
        Trace("Random::Int called with max below min", 3);
        return min;
    }
    const long long span = static_cast<long long>(max) - min + 1;
    return static_cast<int>(Next() % span + min);
}

} // namespace Random
