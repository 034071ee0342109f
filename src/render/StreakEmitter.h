#pragma once

#include "render/ParticleEmitter.h"

// A line of particles drawn from the entity's position to an end point over
// a duration of unscaled time: each frame the spawn point sweeps over the
// stretch that frame covers, with some jitter, and once the sweep is done
// every particle starts exactly at the end.
class StreakEmitter : public ParticleEmitter {
public:
    StreakEmitter(const glm::vec2& start, const glm::vec2& end, float jitter, float t0, float t1, float duration);

    // The start becomes the entity's world position (it stays as given
    // without a Transform).
    void Init() override;
    // Moves the frame's stretch on by the unscaled frame time.
    void Update() override;
    glm::vec2 GetSpawnOffset(const Particle& particle) override;
    glm::vec2 GetForce(const Particle& particle) override;
    StreakEmitter* Clone() override;

    glm::vec2 GetStart() const { return mStart; }
    float GetT0() const { return mT0; }
    float GetT1() const { return mT1; }

private:
    glm::vec2 mStart;
    glm::vec2 mEnd;
    float mJitter;
    float mT0;
    float mT1;
    float mDuration;
};
