#pragma once

#include "core/Entity.h"

#include <glm/glm.hpp>
#include <memory>
#include <string>

// The effect makers: each spawns a particle effect entity (a Transform, a
// ParticleSystem and usually an emitter and a KillClock) at a world
// position, with its particle size, start speed and emitter grown by `size`.
// A mirrored effect is flipped left to right.
//
// The named effects are read from "assets/json/particles/" + name + ".json"
// (see ParticleFile.h) on their first use and kept (see KeptFiles.h). An effect that cannot be made, because
// its file is missing, does not parse or has no usable particle count, is
// traced and nothing is spawned: a missing effect never ends a match.

// A self-destroying effect: it removes itself once its last particle can
// have died. An endless effect (a count of 0) gets no timer and stays.
void MakeParticle(const std::string& name, float size, glm::vec2 position, bool mirror);
// As above, with the emitter sized per axis instead of by `size`.
void MakeParticle(const std::string& name, float size, const glm::vec2& emitterScale, glm::vec2 position,
                  bool mirror);
// The same effect without a timer, not added to the entity manager: the
// caller keeps it, times it and adds it. Empty when it cannot be made.
std::shared_ptr<fb::Entity> MakeParticleEntity(const std::string& name, float size, glm::vec2 position, bool mirror);

// The fixed effects of the characters and slimes; each removes itself.
void MakeDoubleJumpParticle(float size, glm::vec2 position, bool mirror);
void MakePunchParticle(float size, glm::vec2 position);
void MakeLandingParticle(float size, glm::vec2 position, bool mirror);
void MakeSquishParticle(float size, glm::vec2 position);
// Jump dust, built in: fifteen slime drops thrown out along the ground,
// gone after 0.53 s.
void MakeJumpParticle(float size, glm::vec2 position);

// The named effect drawn as a line from start to end over `duration`
// seconds of unscaled time, jittered by `size`; it removes itself after
// twice the duration, of real time when it runs on real time and of scaled
// time otherwise.
void MakeStreak(const std::string& name, float size, glm::vec2 start, bool mirror, glm::vec2 end, float duration,
                bool useUnscaledTime);
