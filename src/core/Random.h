#pragma once

// Random numbers from a generator with a 15-bit range (0 to 32767), the
// range that Float's formula divides by.
namespace Random {

constexpr int kMax = 32767;

// Seeds with the given value; 0 seeds from the wall clock. Returns the seed.
unsigned Seed(unsigned seed);
// The next raw value, 0 to kMax.
int Next();
// In [min, max], both ends included.
float Float(float min, float max);
// In [min, max], both ends included; min when max < min.
int Int(int min, int max);

} // namespace Random
