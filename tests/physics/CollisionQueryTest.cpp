#include "PhysicsTestWorld.h"
#include "physics/CollisionQuery.h"

#include <map>
#include <set>

namespace {

using CollisionQuery = PhysicsTest;

TEST(CollisionLayer, DefaultsToBaseWithNoMaskAndTakesLayerThenMask)
{
    fb::CollisionLayer standard;
    EXPECT_EQ(standard.layer, 1);
    EXPECT_EQ(standard.mask, 0);
    fb::CollisionLayer alien(32, 130);
    EXPECT_EQ(alien.layer, 32);
    EXPECT_EQ(alien.mask, 130);
}

TEST(CollisionLayer, CollidesLooksOnlyAtTheOthersLayerAndItsOwnMask)
{
    const fb::CollisionLayer tile(2, 1);
    const fb::CollisionLayer player(4, 2);
    EXPECT_TRUE(player.Collides(tile));
    EXPECT_FALSE(tile.Collides(player));
    // The other's mask and this layer's own bits play no part.
    EXPECT_TRUE(fb::CollisionLayer(0, 2).Collides(fb::CollisionLayer(2, 0)));
    EXPECT_FALSE(fb::CollisionLayer(2, 0).Collides(fb::CollisionLayer(2, 2)));
}

// Every pairing of the game's colliders, all stacked on one spot: who finds whom.
TEST_F(CollisionQuery, TheGamesLayerTableDecidesWhoFindsWhom)
{
    const std::map<std::string, fb::CollisionLayer> table = {
        {"tile", {2, 1}},   {"platform", {128, 0}}, {"portal", {0, 36}}, {"player", {4, 2}},
        {"alien", {32, 130}}, {"giant", {64, 130}}, {"zone", {8, 4}},     {"punch", {1, 68}},
        {"detector2", {1, 2}}, {"detector128", {1, 128}},
    };
    std::map<std::string, fb::BoxCollider*> colliders;
    std::map<const fb::BoxCollider*, std::string> names;
    for (const auto& [name, layer] : table) {
        colliders[name] = TakeLoose({0, 0}, {1, 1}, layer);
        names[colliders[name]] = name;
    }
    const std::map<std::string, std::set<std::string>> expected = {
        {"tile", {}},
        {"platform", {}},
        {"portal", {"player", "alien"}},
        {"player", {"tile"}},
        {"alien", {"tile", "platform"}},
        {"giant", {"tile", "platform"}},
        {"zone", {"player"}},
        {"punch", {"player", "giant"}},
        {"detector2", {"tile"}},
        {"detector128", {"platform"}},
    };
    for (const auto& [name, hits] : expected) {
        const fb::CollisionResult result = RunBoxCollision(colliders[name]);
        std::set<std::string> found;
        for (int i = 0; i < std::min(result.numCollisions, fb::CollisionResult::kStoredHits); ++i)
            found.insert(names[result.colliders[static_cast<std::size_t>(i)]]);
        EXPECT_EQ(found, hits) << "query from " << name;
        EXPECT_EQ(result.collision, !hits.empty()) << "query from " << name;
    }
}

TEST_F(CollisionQuery, AMaskHoldingTheBaseBitFindsNothing)
{
    TakeLoose({0, 0}, {1, 1}, {2, 1});
    TakeLoose({0, 0}, {1, 1}, {4, 0});
    for (int mask : {1, 3, 7, 255}) {
        fb::BoxCollider* query = TakeLoose({0, 0}, {1, 1}, {0, mask});
        const fb::CollisionResult result = RunBoxCollision(query);
        EXPECT_FALSE(result.collision) << "mask " << mask;
        EXPECT_EQ(result.numCollisions, 0) << "mask " << mask;
        EXPECT_EQ(result.totalMTV, glm::vec2(0, 0));
    }
}

TEST_F(CollisionQuery, ACollidersOwnLayerNeverFindsItself)
{
    fb::BoxCollider* lonely = TakeLoose({0, 0}, {1, 1}, {4, 4});
    EXPECT_FALSE(RunBoxCollision(lonely).collision);
    TakeLoose({0.5f, 0}, {1, 1}, {4, 4});
    EXPECT_EQ(RunBoxCollision(lonely).numCollisions, 1);
}

TEST_F(CollisionQuery, CountsEveryHitAndKeepsTheFirstTenInTakeOrder)
{
    std::vector<fb::BoxCollider*> walls;
    for (int i = 0; i < 12; ++i)
        walls.push_back(TakeLoose({0.01f * static_cast<float>(i), 0}, {1, 1}, {2, 0}));
    auto body = Spawn("body", {0, 0}, {1, 1});
    fb::BoxCollider* query = Take(body, {4, 2});

    const fb::CollisionResult result = RunBoxCollision(query);
    EXPECT_TRUE(result.collision);
    EXPECT_EQ(result.numCollisions, 12);
    for (int i = 0; i < fb::CollisionResult::kStoredHits; ++i)
        EXPECT_EQ(result.colliders[static_cast<std::size_t>(i)], walls[static_cast<std::size_t>(i)]);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(result.GetBoxCollision(i), walls[static_cast<std::size_t>(i)]);
    EXPECT_EQ(result.GetBoxCollision(5), nullptr);
    EXPECT_EQ(result.GetBoxCollision(9), nullptr);
    EXPECT_EQ(result.GetBoxCollision(-1), nullptr);
}

TEST_F(CollisionQuery, TheMTVPointsFromTheTestedColliderTowardsTheQuery)
{
    TakeLoose({0, 0}, {1, 1}, {2, 1});
    fb::BoxCollider* query = TakeLoose({0.8f, 0}, {1, 1}, {4, 2});
    const fb::CollisionResult result = RunBoxCollision(query);
    EXPECT_NEAR(result.totalMTV.x, 0.2f, 1e-5f);
    EXPECT_NEAR(result.totalMTV.y, 0.0f, 1e-5f);
    EXPECT_NEAR(result.updatedPosition.x, 1.0f, 1e-5f);
}

TEST_F(CollisionQuery, AnUnboundQueryIsTestedWhereThePreviousHitPushedIt)
{
    TakeLoose({0.8f, 0}, {1, 1}, {2, 0});
    TakeLoose({-1.1f, 0}, {1, 1}, {2, 0});
    fb::BoxCollider* query = TakeLoose({0, 0}, {1, 1}, {0, 2});

    const fb::CollisionResult result = RunBoxCollision(query);
    EXPECT_EQ(result.numCollisions, 2);
    EXPECT_NEAR(result.totalMTV.x, -0.1f, 1e-5f);
    EXPECT_NEAR(result.updatedPosition.x, -0.1f, 1e-5f);
    // The query itself has not moved.
    EXPECT_EQ(query->GetCenter(), glm::vec2(0, 0));
}

TEST_F(CollisionQuery, ABoundQueryAddsUpEverySeparatePushOut)
{
    auto floor = Spawn("floor", {0, -0.9f}, {4, 1});
    auto wall = Spawn("wall", {0.9f, 0}, {1, 4});
    Take(floor, {2, 1});
    Take(wall, {2, 1});
    auto body = Spawn("body", {0, 0}, {1, 1});
    fb::BoxCollider* query = Take(body, {4, 2});
    query->SetCenter({7, 7});

    const fb::CollisionResult result = RunBoxCollision(query);
    EXPECT_EQ(result.numCollisions, 2);
    EXPECT_NEAR(result.totalMTV.x, -0.1f, 1e-5f);
    EXPECT_NEAR(result.totalMTV.y, 0.1f, 1e-5f);
    EXPECT_NEAR(result.updatedPosition.x, 6.9f, 1e-5f);
    EXPECT_NEAR(result.updatedPosition.y, 7.1f, 1e-5f);
}

TEST_F(CollisionQuery, CollidersOfDeadEntitiesAreSkippedButWorldBoxesAreNot)
{
    auto doomed = std::make_shared<fb::Entity>("doomed");
    doomed->AddComponent(std::make_shared<fb::cmp::Transform>(glm::vec2(0, 0), glm::vec2(1, 1), 0.0f));
    Take(doomed, {2, 1});
    doomed.reset();
    fb::BoxCollider* query = TakeLoose({0, 0}, {1, 1}, {4, 2});
    EXPECT_FALSE(RunBoxCollision(query).collision);

    fb::BoxCollider* worldBox = TakeLoose({0.5f, 0}, {1, 1}, {2, 1});
    const fb::CollisionResult result = RunBoxCollision(query);
    EXPECT_EQ(result.numCollisions, 1);
    EXPECT_EQ(result.GetBoxCollision(0), worldBox);
}

TEST_F(CollisionQuery, FreedCollidersDropOutOfQueries)
{
    fb::BoxCollider* tile = TakeLoose({0, 0}, {1, 1}, {2, 1});
    fb::BoxCollider* query = TakeLoose({0, 0}, {1, 1}, {4, 2});
    EXPECT_TRUE(RunBoxCollision(query).collision);
    FreeBoxCollider(tile->GetID());
    EXPECT_FALSE(RunBoxCollision(query).collision);
}

TEST_F(CollisionQuery, ANullQueryFindsNothing)
{
    TakeLoose({0, 0}, {1, 1}, {2, 1});
    EXPECT_FALSE(RunBoxCollision(nullptr).collision);
    EXPECT_FALSE(RunBoxCollisionLua(nullptr).collision);
}

} // namespace
