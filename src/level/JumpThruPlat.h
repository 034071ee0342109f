#pragma once

#include "core/Component.h"
#include "physics/BoxCollider.h"

// The thin collider along the top of a run of jump-through tiles, on the
// platform bit 128. Bodies whose mask holds 128 (aliens) are pushed out of it
// like a solid tile; players' bodies pass through and their feet detectors
// decide whether they stand on it. Without a pool collider it does nothing.
class JumpThruPlat : public fb::cmp::Component {
public:
    JumpThruPlat() = default;
    JumpThruPlat(const JumpThruPlat&) = delete;
    JumpThruPlat& operator=(const JumpThruPlat&) = delete;
    ~JumpThruPlat() override;

    // Takes the collider: the upper half of the entity's quad until the first
    // update narrows it.
    void Init() override;
    // From now on a strip 0.1 high on the top edge.
    void Update() override;
    // Returns the collider to the pool.
    void Exit() override;
    // A platform for the same owner; it takes its own collider in Init.
    fb::cmp::Component* Clone() override;

    // Null before Init, after Exit, or when the pool was exhausted.
    const fb::BoxCollider* GetCollider() const { return mCollider; }

private:
    fb::BoxCollider* mCollider = nullptr;
};
