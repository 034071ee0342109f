// CPU cost of one frame of physics in a busy match: the bodies of 4 players
// and 56 aliens stepping against a level's 300 static boxes, and the
// detector queries that the round update and the aliens run every frame.

#include "BenchArena.h"
#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/Random.h"
#include "core/Time.h"
#include "core/Transform.h"
#include "physics/AdvancedBody.h"
#include "physics/ColliderPool.h"
#include "physics/CollisionQuery.h"
#include "physics/StaticBody.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

using fb::cmp::AdvancedBody;
using Clock = std::chrono::steady_clock;

constexpr int kWarmUpFrames = 120;
constexpr int kMeasuredFrames = 1200;
constexpr int kPlayers = 4;
constexpr int kAliens = 56;
constexpr float kGravity = -30.0f;
constexpr float kWalkSpeed = 4.0f;

struct Mover {
    std::shared_ptr<fb::Entity> entity;
    std::shared_ptr<AdvancedBody> body;
    float direction;
    bool player;
};

std::shared_ptr<fb::Entity> Spawn(const char* name, glm::vec2 position, glm::vec2 scale)
{
    auto entity = std::make_shared<fb::Entity>(name);
    entity->AddComponent(std::make_shared<fb::cmp::Transform>(position, scale, 0.0f));
    EntityManager::Add(entity);
    return entity;
}

std::vector<Mover> SpawnBodies()
{
    std::vector<Mover> movers;
    for (int i = 0; i < kPlayers + kAliens; ++i) {
        const bool player = i < kPlayers;
        auto entity = Spawn(player ? "Player" : "aliendude", {Random::Float(-30, 30), Random::Float(-15, 17)},
                            player ? glm::vec2(1.5f, 1.5f) : glm::vec2(1, 1));
        auto body = std::make_shared<AdvancedBody>(player ? fb::CollisionLayer(4, 2) : fb::CollisionLayer(32, 130));
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
        movers.push_back({entity, body, direction, player});
    }
    return movers;
}

// What game code asks of the bodies each frame: the round update's queries
// for players, ground and the wall ahead for aliens, who turn at walls.
int RunDetectors(std::vector<Mover>& movers)
{
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

double Milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

} // namespace

int main()
{
    InitBoxColliders();
    EntityManager::Init();
    Time::Init();
    Time::SetDt(1.0f / 60.0f);
    Random::Seed(7);

    const int boxes = bench::BuildArena();
    std::vector<Mover> movers = SpawnBodies();
    for (int frame = 0; frame < kWarmUpFrames; ++frame) {
        EntityManager::Update();
        RunDetectors(movers);
    }

    // Each frame is timed in its two parts; the body steps' own queries are
    // then run once more, alone, to give their share of the step.
    Clock::duration update{};
    Clock::duration detectors{};
    Clock::duration bodyQueries{};
    int detectorQueries = 0;
    for (int frame = 0; frame < kMeasuredFrames; ++frame) {
        const Clock::time_point start = Clock::now();
        EntityManager::Update();
        const Clock::time_point stepped = Clock::now();
        detectorQueries += RunDetectors(movers);
        const Clock::time_point detected = Clock::now();
        for (const Mover& mover : movers)
            RunBoxCollision(const_cast<fb::BoxCollider*>(mover.body->GetBodyCollider()));
        bodyQueries += Clock::now() - detected;
        detectors += detected - stepped;
        update += stepped - start;
    }

    const double frames = kMeasuredFrames;
    const double updateMs = Milliseconds(update) / frames;
    const double detectorMs = Milliseconds(detectors) / frames;
    const double bodyQueryMs = Milliseconds(bodyQueries) / frames;
    const double totalMs = updateMs + detectorMs;
    const double queryMs = bodyQueryMs + detectorMs;
    std::printf("physics: %d static boxes, %d bodies (%d players, %d aliens), %zu pool colliders in use\n", boxes,
                kPlayers + kAliens, kPlayers, kAliens, GetActiveBoxColliders().size());
    std::printf("  entity update (body steps and static bodies)  %8.3f ms/frame\n", updateMs);
    std::printf("  detector queries (%5.1f a frame)              %8.3f ms/frame\n",
                detectorQueries / frames, detectorMs);
    std::printf("  physics total                                 %8.3f ms/frame\n", totalMs);
    std::printf("  collision queries (body steps' + detectors')  %8.3f ms/frame, %4.1f%% of the total\n", queryMs,
                100.0 * queryMs / totalMs);
    return 0;
}
