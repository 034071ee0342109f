#pragma once

#include "physics/ColliderPool.h"

#include <bitset>
#include <string>

// The pool colliders one script has taken with "GetBoxCollider", up to its
// share of the pool. A script may give back only those, each once, so a
// double free or a stray ID can never take a record from its next owner.
// Whatever the script still holds when it ends goes back to the pool then.
class ColliderLeases {
public:
    // How many pool colliders one script may hold at a time.
    static constexpr unsigned int kShare = 100;

    bool IsFull() const { return mHeld.count() >= kShare; }
    void Lease(const fb::BoxCollider& collider);
    // False when the script does not hold collider `id`.
    bool End(unsigned int id);
    // Frees every collider still held, with a trace naming `scriptPath`.
    void ReturnAll(const std::string& scriptPath);

private:
    std::bitset<kBoxColliderCount> mHeld;
};
