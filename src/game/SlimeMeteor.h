#pragma once

#include "core/Component.h"
#include "core/Transform.h"

#include <glm/glm.hpp>
#include <memory>

// A slime meteor: its entity flies in a straight line for its fall time,
// spinning, with the camera watching where it goes. 1.5 s before the end it
// sends "meteorBoom"; in its last frames it shakes the camera and rumbles
// the pads. When its KillClock removes the entity, the meteor bursts into
// aliens, steam and a splash, with a big shake, a rumble and a camera tilt.
class SlimeMeteor : public fb::cmp::Component {
public:
    SlimeMeteor(glm::vec2 velocity, unsigned alienCount, float fallTime);
    // Bursts, when it was attached to an entity with a Transform and that
    // entity is not going with all others (the entity list being cleared).
    ~SlimeMeteor() override;

    // Takes the owner's Transform and gives the owner a KillClock with the
    // time left.
    void Init() override;
    // A Transform added later becomes the meteor's.
    void OnComponentAdded(std::weak_ptr<fb::cmp::Component> added) override;
    // Moves, spins and counts down on the scaled frame time; nothing
    // without a Transform.
    void Update() override;
    // A meteor of the same flight, without a Transform until its Init.
    SlimeMeteor* Clone() override;

    glm::vec2 GetVelocity() const { return mVelocity; }
    float GetTimeLeft() const { return mTimeLeft; }
    bool IsAnnounced() const { return mAnnounced; }

private:
    void Impact();

    glm::vec2 mVelocity;
    unsigned mAlienCount;
    float mTimeLeft;
    std::shared_ptr<fb::cmp::Transform> mTransform;
    bool mAnnounced = false;
};

// A meteor entity, in the entity manager, flying from start to target in
// fallTime seconds (more than 0) and releasing alienCount aliens there.
void SpawnSlimeMeteor(const glm::vec2& start, const glm::vec2& target, float fallTime, int alienCount);
