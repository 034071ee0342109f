#pragma once

#include "core/Transform.h"
#include "render/ParticleEmitter.h"

#include <memory>

// Particles start on a circle and are pulled toward the entity's position
// (pushed away for a negative pull) with a constant strength.
class AbsorbEmitter : public ParticleEmitter {
public:
    AbsorbEmitter(float radius, float pull);

    void Init() override;
    void OnComponentAdded(std::weak_ptr<fb::cmp::Component> added) override;
    glm::vec2 GetSpawnOffset(const Particle& particle) override;
    // No force without a Transform, or on the target point itself.
    glm::vec2 GetForce(const Particle& particle) override;
    // Radius and pull.
    void Scale(float factor) override;
    AbsorbEmitter* Clone() override;

    float GetRadius() const { return mRadius; }
    float GetPull() const { return mPull; }

private:
    float mRadius;
    float mPull;
    // The owner's Transform, the point the particles fly to.
    std::weak_ptr<fb::cmp::Transform> mTarget;
};
