#pragma once

#include <functional>
#include <string>

// The ranges that keep every particle effect finite, whether it is read from
// a particle file or tuned in the particle editor. Values go by the key they
// have in a particle file: at most kMaxParticleCount particles, lifetimes
// ("particleLifetime", "particleLifeVary") from 0 to 10 s, delays
// ("emitDelay", "emitDelayVary") from 0 to 5 s and at least 1 ms for an
// endless effect's "emitDelay", "drag" from 0 to 30. Any other number may be
// anything up to a million either way.

inline constexpr int kMaxParticleCount = 10000;

// Told, in words, what was changed and why.
using ParticleComplaint = std::function<void(const std::string& what)>;

// The value kept within its key's range: a value that is not finite or is
// beyond any sensible size becomes 0 first, one outside the range its nearer
// end. `endless` is whether the effect's count is 0. complain, unless empty,
// hears of every change.
float KeepParticleValue(const char* key, double value, bool endless, const ParticleComplaint& complain);

// A "particleCount": a whole number from 0 up, also when written as 12.0,
// lowered to kMaxParticleCount when above it. False, with count untouched and
// a complaint, for anything else.
bool KeepParticleCount(double value, int& count, const ParticleComplaint& complain);
