#include "PhysicsTestWorld.h"
#include "support/SameAsScan.h"

#include <cmath>
#include <limits>

namespace {

// A fixed sequence of numbers, so that every run plays the same world.
class Sequence {
public:
    float Next()
    {
        mState = mState * 1664525u + 1013904223u;
        return static_cast<float>(mState >> 8) / static_cast<float>(1u << 24);
    }
    float Between(float low, float high) { return low + (high - low) * Next(); }
    int Below(int bound) { return static_cast<int>(Next() * static_cast<float>(bound)) % bound; }

private:
    std::uint32_t mState = 2024u;
};

using BroadPhaseTest = PhysicsTest;

// A crowded, changing world: loose and bound boxes of every size, turned,
// mirrored and flat, some far away or infinitely large, some on child
// entities, some under parents that have no Transform until they are given
// one; every round moves, resizes, relayers, re-parents, kills, frees
// and takes colliders, and then every collider is asked as a query both
// ways.
TEST_F(BroadPhaseTest, EveryQueryFindsWhatTheFullScanFindsWhileTheWorldChanges)
{
    Sequence random;
    std::vector<std::shared_ptr<fb::Entity>> entities;
    std::vector<fb::BoxCollider*> colliders;
    auto layer = [&random] {
        const std::int32_t bits[] = {1, 2, 4, 32, 64, 128};
        return fb::CollisionLayer(bits[random.Below(6)], random.Below(4) == 0 ? 1 : random.Below(256) & ~1);
    };
    auto spawn = [&] {
        const glm::vec2 scale(random.Between(-2.0f, 3.0f), random.Between(0.0f, 3.0f));
        auto entity = Spawn("box", {random.Between(-12, 12), random.Between(-8, 8)}, scale,
                            random.Below(3) == 0 ? random.Between(0, 6.3f) : 0.0f);
        if (!entities.empty() && random.Below(6) == 0)
            entity->SetParent(entities[static_cast<std::size_t>(random.Below(static_cast<int>(entities.size())))]);
        entities.push_back(entity);
    };
    auto take = [&] {
        fb::BoxCollider* collider = nullptr;
        if (random.Below(4) == 0) {
            collider = TakeLoose({random.Between(-12, 12), random.Between(-8, 8)},
                                 {random.Between(0, 4), random.Between(0, 4)}, layer());
        } else {
            collider = Take(entities[static_cast<std::size_t>(random.Below(static_cast<int>(entities.size())))],
                            layer());
            collider->SetBound(random.Below(2) == 0);
            collider->SetCenter({random.Between(-1, 1), random.Between(-1, 1)});
            collider->SetSize({random.Between(0.2f, 2), random.Between(0.2f, 2)});
        }
        colliders.push_back(collider);
    };
    for (int i = 0; i < 60; ++i)
        spawn();
    for (int i = 0; i < 6; ++i) {
        auto bare = std::make_shared<fb::Entity>("bare");
        EntityManager::Add(bare);
        entities[static_cast<std::size_t>(random.Below(60))]->SetParent(bare);
        entities.push_back(bare);
    }
    for (int i = 0; i < 150; ++i)
        take();
    TakeLoose({500.0f, 0.0f}, {2000.0f, 3.0f}, {2, 0});
    TakeLoose({std::numeric_limits<float>::infinity(), 0.0f}, {1.0f, 1.0f}, {2, 0});

    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        for (int change = 0; change < 30; ++change) {
            auto& entity = entities[static_cast<std::size_t>(random.Below(static_cast<int>(entities.size())))];
            fb::BoxCollider* collider =
                colliders[static_cast<std::size_t>(random.Below(static_cast<int>(colliders.size())))];
            auto transform = entity->GetComponent<fb::cmp::Transform>();
            const int what = random.Below(10);
            if (!transform && what < 5)
                continue;
            switch (what) {
            case 0:
            case 1:
            case 2:
                transform->SetPosition(transform->GetLocalPosition() +
                                       glm::vec2(random.Between(-1.5f, 1.5f), random.Between(-1.5f, 1.5f)));
                break;
            case 3:
                transform->SetScale(random.Between(-2, 3), random.Between(0, 3));
                break;
            case 4:
                transform->SetRotation(random.Between(0, 6.3f));
                break;
            case 5:
                collider->SetLayer(layer());
                collider->SetCenter({random.Between(-1, 1), random.Between(-1, 1)});
                break;
            case 6:
                collider->SetParent(entities[static_cast<std::size_t>(random.Below(static_cast<int>(entities.size())))]);
                break;
            case 7:
                // Dies, or hangs under another entity.
                if (random.Below(2) == 0) {
                    EntityManager::Remove(entity);
                    entity = Spawn("box", {random.Between(-12, 12), random.Between(-8, 8)}, {1, 1});
                } else {
                    entity->SetParent(entities[static_cast<std::size_t>(random.Below(static_cast<int>(entities.size())))]);
                }
                break;
            case 8:
                FreeBoxCollider(collider->GetID());
                std::erase(colliders, collider);
                take();
                break;
            default:
                entity->AddComponent(std::make_shared<fb::cmp::Transform>(
                    glm::vec2(random.Between(-12, 12), random.Between(-8, 8)), glm::vec2(1, 1), 0.0f));
                break;
            }
        }
        StepFrames(1);
        ASSERT_EQ(CountQueriesUnlikeScan(), 0);
    }
}

// An unbound query pushed out of its first hit lands on boxes far from
// where it started; they come later in the walk and must still be found.
TEST_F(BroadPhaseTest, AQueryPushedAwayFindsTheBoxesWhereItLands)
{
    fb::BoxCollider* query = TakeLoose({0.0f, 1.4f}, {1.0f, 1.0f}, {1, 2});
    TakeLoose({0.0f, 0.9f}, {3.0f, 1.0f}, {2, 0});
    fb::BoxCollider* above = TakeLoose({0.0f, 2.6f}, {1.0f, 1.0f}, {2, 0});
    const fb::CollisionResult result = RunBoxCollision(query);
    EXPECT_EQ(result.numCollisions, 2);
    EXPECT_EQ(result.colliders[1], above);
    EXPECT_TRUE(SameAsScan(query));
}

// A box on a child whose parent has no Transform stays where the child's
// own Transform puts it; once the parent is given one, the box moves with
// the parent, and the grid must know it.
TEST_F(BroadPhaseTest, AParentThatIsGivenATransformMovesItsChildrensBoxes)
{
    auto parent = std::make_shared<fb::Entity>("parent");
    EntityManager::Add(parent);
    auto child = Spawn("child", {0.0f, 0.0f}, {1.0f, 1.0f});
    child->SetParent(parent);
    Take(child, {2, 0});
    fb::BoxCollider* probe = TakeLoose({20.0f, 0.0f}, {1.0f, 1.0f}, {1, 2});
    EXPECT_FALSE(RunBoxCollision(probe).collision);

    parent->AddComponent(std::make_shared<fb::cmp::Transform>(glm::vec2(20.0f, 0.0f), glm::vec2(1, 1), 0.0f));
    EXPECT_TRUE(RunBoxCollision(probe).collision);
    EXPECT_TRUE(SameAsScan(probe));
}

// A collider moved and returned before the next query, then taken again
// after it, is found where it is now.
TEST_F(BroadPhaseTest, AColliderReturnedWhileItWaitedToBePlacedIsPlacedWhenTakenAgain)
{
    fb::BoxCollider* probe = TakeLoose({0.0f, 0.0f}, {1.0f, 1.0f}, {1, 2});
    fb::BoxCollider* box = TakeLoose({5.0f, 0.0f}, {1.0f, 1.0f}, {2, 0});
    EXPECT_FALSE(RunBoxCollision(probe).collision);
    box->SetCenter({0.2f, 0.0f});
    FreeBoxCollider(box->GetID());
    EXPECT_FALSE(RunBoxCollision(probe).collision);
    ASSERT_EQ(GetBoxCollider(), box);
    EXPECT_TRUE(RunBoxCollision(probe).collision);
    EXPECT_TRUE(SameAsScan(probe));
}

} // namespace
