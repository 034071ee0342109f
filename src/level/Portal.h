#pragma once

#include "core/Component.h"
#include "core/Entity.h"
#include "level/Level.h"
#include "physics/BoxCollider.h"

#include <cstdint>
#include <functional>
#include <glm/glm.hpp>
#include <memory>
#include <vector>

// One end of a portal pair. Whatever touches it on the "team1" or "misc"
// layer (players and aliens) is put beside its partner, with a puff of
// particles at both ends and a "portal" character event, and cannot use any
// portal again for a second of real time. "Omni" portals, the ones that
// random events open, stand for 20 seconds and show a "void" effect.
class Portal : public fb::cmp::Component {
public:
    // The exit offsets by the portal's own Direction; "Omni" has none.
    enum Direction : std::int32_t { Up, Down, Left, Right, Omni };

    // A traveller is put at exitPoint, moved on in `direction` by 1.1 times
    // its own size so that it clears the partner.
    Portal(glm::vec2 exitPoint, Direction direction);
    Portal(const Portal&) = delete;
    Portal& operator=(const Portal&) = delete;
    ~Portal() override;

    // Takes a collider covering the entity's quad; without one (the pool
    // is exhausted) the portal does nothing.
    void Init() override;
    // Nothing while paused.
    void Update() override;
    // Returns the collider to the pool.
    void Exit() override;
    // The same exit for the same owner; it takes its own collider in Init.
    Portal* Clone() override;

    const fb::BoxCollider* GetCollider() const { return mCollider; }
    glm::vec2 GetExitPoint() const { return mExitPoint; }
    bool IsOmni() const { return mOmni; }
    // An omni portal's "void" effect, once it is made.
    std::shared_ptr<fb::Entity> GetEffect() const { return mEffect; }

private:
    void MakeVoidEffect(fb::Entity& owner);
    void Teleport(const std::shared_ptr<fb::Entity>& traveller, fb::cmp::Transform& transform);

    fb::BoxCollider* mCollider = nullptr;
    glm::vec2 mExitPoint;
    Direction mDirection;
    bool mOmni;
    std::shared_ptr<fb::Entity> mEffect;
    bool mEffectTried = false;
};

// Pairs every two records of the same name (three of one name make three
// pairs) and restarts the pair effects at "ProtoPortal0". A pair with an
// unknown Direction is traced and left out.
void CreateLevelPortals(const std::vector<PortalInfo>& records);
// Makes the two portals of records with the same name (nothing otherwise):
// each exits two partner sizes beside its partner in its own Direction
// ("Up", "Down", "Left", "Right"), or on the partner's centre for "Omni".
// Throws std::runtime_error "Unknown Portal Type" (and the culprit) before
// making anything when a Direction is none of these.
void CreatePortalPair(const PortalInfo& a, const PortalInfo& b);

// The milliseconds the portals' cool-down counts in; an empty function
// restores the system's steady clock. Tests step it by hand.
void SetPortalClock(std::function<std::int64_t()> milliseconds);
