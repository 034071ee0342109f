// CPU cost of one frame of physics in a busy match: the bodies of 4 players
// and 56 aliens stepping against a level's 300 static boxes, and the
// detector queries that the round update and the aliens run every frame;
// then every query the bodies and detectors can make, through the broad
// phase beside the full scan over every collider.

#include "BenchArena.h"
#include "core/Time.h"
#include "physics/ColliderPool.h"
#include "physics/CollisionQuery.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int kWarmUpFrames = 120;
constexpr int kMeasuredFrames = 1200;
constexpr int kQueryRounds = 200;

double ThreadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

// Runs every query once through `query`; CPU milliseconds for all of them.
template <typename Query>
double TimeQueries(const std::vector<fb::BoxCollider*>& queries, Query query)
{
    int hits = 0;
    const double start = ThreadMilliseconds();
    for (int round = 0; round < kQueryRounds; ++round) {
        for (fb::BoxCollider* collider : queries)
            hits += query(collider).numCollisions;
    }
    const double spent = ThreadMilliseconds() - start;
    if (hits < 0)
        std::printf("impossible\n");
    return spent / kQueryRounds;
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
    std::vector<bench::Mover> movers = bench::SpawnMovers(4, 56);
    for (int frame = 0; frame < kWarmUpFrames; ++frame) {
        EntityManager::Update();
        bench::RunDetectors(movers);
    }

    double update = 0.0;
    double detectors = 0.0;
    int detectorQueries = 0;
    for (int frame = 0; frame < kMeasuredFrames; ++frame) {
        const double start = ThreadMilliseconds();
        EntityManager::Update();
        const double stepped = ThreadMilliseconds();
        detectorQueries += bench::RunDetectors(movers);
        detectors += ThreadMilliseconds() - stepped;
        update += stepped - start;
    }

    // The queries a frame can make: every collider whose mask finds something.
    std::vector<fb::BoxCollider*> queries;
    for (fb::BoxCollider* collider : GetActiveBoxColliders()) {
        if (collider->GetLayer().mask != 0 && (collider->GetLayer().mask & 1) == 0)
            queries.push_back(collider);
    }
    const double broad = TimeQueries(queries, RunBoxCollision);
    const double scan = TimeQueries(queries, RunBoxCollisionScan);

    const double frames = kMeasuredFrames;
    std::printf("physics: %d static boxes, %zu bodies (4 players, 56 aliens), %zu pool colliders in use; "
                "CPU time of this thread\n",
                boxes, movers.size(), GetActiveBoxColliders().size());
    std::printf("  entity update (body steps and static bodies)  %8.3f ms/frame\n", update / frames);
    std::printf("  detector queries (%5.1f a frame)              %8.3f ms/frame\n", detectorQueries / frames,
                detectors / frames);
    std::printf("  physics total                                 %8.3f ms/frame\n", (update + detectors) / frames);
    std::printf("every query of the bodies and detectors (%zu), once each:\n", queries.size());
    std::printf("  broad phase %8.3f ms, full scan %8.3f ms: %6.1fx faster\n", broad, scan, scan / broad);
    return 0;
}
