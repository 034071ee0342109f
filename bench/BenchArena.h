#pragma once

#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/Random.h"
#include "core/Transform.h"
#include "physics/AdvancedBody.h"
#include "physics/StaticBody.h"

#include <memory>
#include <vector>

// The arena the benchmarks play in: a 64 by 36 level with a floor, two walls
// and twelve ledges of fourteen tiles, every tile its own static box (300),
// and the bodies that run about in it.
namespace bench {

inline int BuildArena()
{
    int boxes = 0;
    auto tile = [&boxes](float x, float y) {
        auto entity = std::make_shared<fb::Entity>("Collider");
        entity->AddComponent(std::make_shared<fb::cmp::Transform>(glm::vec2(x, y), glm::vec2(1, 1), 0.0f));
        entity->AddComponent(std::make_shared<fb::cmp::StaticBody>());
        EntityManager::Add(entity);
        ++boxes;
    };
    for (int x = 0; x < 64; ++x)
        tile(static_cast<float>(x) - 31.5f, -17.5f);
    for (int y = 0; y < 34; ++y) {
        tile(-32.5f, static_cast<float>(y) - 16.5f);
        tile(32.5f, static_cast<float>(y) - 16.5f);
    }
    for (int ledge = 0; ledge < 12; ++ledge) {
        const float left = static_cast<float>((ledge % 3) * 20 - 27);
        const float height = static_cast<float>((ledge / 3) * 8 - 12) + static_cast<float>(ledge % 2) * 3.0f;
        for (int x = 0; x < 14; ++x)
            tile(left + static_cast<float>(x), height);
    }
    return boxes;
}

// A player or an alien walking the arena.
struct Mover {
    std::shared_ptr<fb::Entity> entity;
    std::shared_ptr<fb::cmp::AdvancedBody> body;
    float direction;
    bool player;
};

constexpr float kGravity = -30.0f;
constexpr float kWalkSpeed = 4.0f;

// Players with the detector sets the round update asks, aliens with the one
// they walk by, at random places, in the entity manager.
inline std::vector<Mover> SpawnMovers(int players, int aliens)
{
    std::vector<Mover> movers;
    for (int i = 0; i < players + aliens; ++i) {
        const bool player = i < players;
        auto entity = std::make_shared<fb::Entity>(player ? "Player" : "aliendude");
        entity->AddComponent(std::make_shared<fb::cmp::Transform>(
            glm::vec2(Random::Float(-30, 30), Random::Float(-15, 17)),
            player ? glm::vec2(1.5f, 1.5f) : glm::vec2(1, 1), 0.0f));
        auto body = std::make_shared<fb::cmp::AdvancedBody>(player ? fb::CollisionLayer(4, 2)
                                                                   : fb::CollisionLayer(32, 130));
        entity->AddComponent(body);
        if (player) {
            for (int key : {2, 32, 64, 128, 8})
                body->CreateDetectorSet(key);
        } else {
            body->CreateDetectorSet(2);
        }
        body->SetAcceleration({0, kGravity});
        const float direction = i % 2 == 0 ? 1.0f : -1.0f;
        body->SetVelocity({direction * kWalkSpeed, 0});
        EntityManager::Add(entity);
        movers.push_back({entity, body, direction, player});
    }
    return movers;
}

// What game code asks of the bodies each frame: the round update's queries
// for players, ground and the wall ahead for aliens, who turn at walls.
// Returns the number of queries.
inline int RunDetectors(std::vector<Mover>& movers)
{
    using fb::cmp::AdvancedBody;
    int queries = 0;
    for (Mover& mover : movers) {
        AdvancedBody& body = *mover.body;
        if (mover.player) {
            body.RunDetection(8, AdvancedBody::Body);
            body.RunDetection(2, AdvancedBody::Top);
            body.RunDetection(2, AdvancedBody::Left);
            body.RunDetection(2, AdvancedBody::Right);
            body.RunDetection(32, AdvancedBody::Bottom);
            body.RunDetection(2, AdvancedBody::Bottom);
            body.RunDetection(128, AdvancedBody::Bottom);
            queries += 7;
        } else {
            body.RunDetection(2, AdvancedBody::Bottom);
            queries += 1;
        }
        const int ahead = mover.direction > 0 ? AdvancedBody::Right : AdvancedBody::Left;
        ++queries;
        if (body.CollisionDetected(2, ahead))
            mover.direction = -mover.direction;
        body.SetVelocity({mover.direction * kWalkSpeed, body.GetVelocity().y});
    }
    return queries;
}

} // namespace bench
