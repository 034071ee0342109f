#pragma once

#include "physics/ColliderPool.h"
#include "physics/CollisionQuery.h"

#include <cstring>
#include <gtest/gtest.h>
#include <vector>

// Whether the broad-phase query gives exactly what the walk over every
// collider gives: the same hits, in the same order, the same push-out to
// the bit.
inline ::testing::AssertionResult SameAsScan(fb::BoxCollider* query)
{
    const fb::CollisionResult fast = RunBoxCollision(query);
    const fb::CollisionResult scan = RunBoxCollisionScan(query);
    const bool same = fast.collision == scan.collision && fast.numCollisions == scan.numCollisions &&
                      fast.colliders == scan.colliders &&
                      std::memcmp(&fast.totalMTV, &scan.totalMTV, sizeof fast.totalMTV) == 0 &&
                      std::memcmp(&fast.updatedPosition, &scan.updatedPosition, sizeof fast.updatedPosition) == 0;
    if (same)
        return ::testing::AssertionSuccess();
    auto ids = [](const fb::CollisionResult& result) {
        std::string text;
        for (const fb::BoxCollider* hit : result.colliders)
            text += hit ? std::to_string(hit->GetID()) + " " : "- ";
        return text;
    };
    return ::testing::AssertionFailure() << "query " << query->GetID() << ": grid " << fast.numCollisions
                                         << " hits [" << ids(fast) << "] push (" << fast.totalMTV.x << ", "
                                         << fast.totalMTV.y << "), scan " << scan.numCollisions << " hits ["
                                         << ids(scan) << "] push (" << scan.totalMTV.x << ", " << scan.totalMTV.y
                                         << ")";
}

// Every active collider asked as a query; returns how many disagreed.
inline int CountQueriesUnlikeScan()
{
    const std::vector<fb::BoxCollider*> active(GetActiveBoxColliders().begin(), GetActiveBoxColliders().end());
    int unlike = 0;
    for (fb::BoxCollider* query : active) {
        const ::testing::AssertionResult same = SameAsScan(query);
        if (!same) {
            ADD_FAILURE() << same.message();
            ++unlike;
        }
    }
    return unlike;
}
