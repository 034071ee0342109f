#include "GameEventLog.h"
#include "core/Transform.h"
#include "game/AISpawnerGlobals.h"
#include "level/BuiltLevelWorld.h"
#include "physics/AdvancedBody.h"
#include "render/KillClock.h"
#include "render/Sprite.h"

#include <algorithm>

namespace {

using fb::cmp::AdvancedBody;

class AlienTest : public BuiltLevelTest {
protected:
    // A floor from x = -5 to 5 with its top at y = -2, and a wall standing on
    // its right end from x = 4 to 5, two tiles high.
    void BuildFloorWithWall()
    {
        TestMap map;
        map.rows = {"................",
                    "................",
                    "................",
                    "................",
                    "............#...",
                    "............#...",
                    "...##########...",
                    "................"};
        BuildMap(map);
        Frame();
        events = GameEventLog::Attach();
    }

    void BuildSmallLevel()
    {
        TestMap map;
        map.rows = {"n.G.g...", "........", "########"};
        BuildMap(map);
        Frame();
        events = GameEventLog::Attach();
    }

    SpawnerRecord& SpawnerOf(const std::string& type)
    {
        return *std::find_if(gSpawners.begin(), gSpawners.end(),
                             [&](const SpawnerRecord& spawner) { return spawner.type == type; });
    }

    // One match frame for the aliens: their behaviour steps, then the bodies move.
    static void Step()
    {
        for (std::vector<AIType>* list : {&gNormalAliens, &gGoldenAliens, &gGiantAliens}) {
            for (AIType& alien : *list)
                AISpawner::UpdateAlien(alien, kFrame);
        }
        Frame();
    }

    static std::shared_ptr<AdvancedBody> BodyOf(const AIType& alien)
    {
        return alien.entity->GetComponent<AdvancedBody>();
    }

    static glm::vec2 PositionOf(const std::shared_ptr<fb::Entity>& entity)
    {
        return entity->GetComponent<fb::cmp::Transform>()->GetPosition();
    }

    static std::vector<std::shared_ptr<fb::Entity>> ChildrenOf(const std::shared_ptr<fb::Entity>& parent,
                                                               const std::string& name)
    {
        std::vector<std::shared_ptr<fb::Entity>> found;
        for (const auto& entity : EntitiesNamed(name)) {
            if (entity->GetParent() == parent)
                found.push_back(entity);
        }
        return found;
    }

    // Where one alien went over `seconds`, and how often it turned.
    struct Walk {
        float minX = 1e9f;
        float maxX = -1e9f;
        float minY = 1e9f;
        float maxY = -1e9f;
        int turns = 0;
    };

    static Walk Follow(const AIType& alien, float seconds)
    {
        Walk walk;
        float lastDirection = BodyOf(alien)->GetVelocity().x;
        for (int frame = 0; frame < static_cast<int>(seconds / kFrame); ++frame) {
            Step();
            const glm::vec2 position = PositionOf(alien.entity);
            walk.minX = std::min(walk.minX, position.x);
            walk.maxX = std::max(walk.maxX, position.x);
            walk.minY = std::min(walk.minY, position.y);
            walk.maxY = std::max(walk.maxY, position.y);
            const float direction = BodyOf(alien)->GetVelocity().x;
            if (direction * lastDirection < 0.0f)
                ++walk.turns;
            if (direction != 0.0f)
                lastDirection = direction;
        }
        return walk;
    }

    std::shared_ptr<GameEventLog> events;
};

TEST_F(AlienTest, EachSpawnerKeepsAtMostItsKindsMaximumAliveButLaunchedAliensIgnoreIt)
{
    BuildSmallLevel();
    const std::vector<std::pair<std::string, int>> kinds = {{"normal", 5}, {"golden", 2}, {"giant", 1}};
    int tries = 0;
    for (const auto& [type, maxAlive] : kinds) {
        SpawnerRecord& spawner = SpawnerOf(type);
        for (int i = 0; i < 7; ++i, ++tries)
            AISpawner::SpawnAlien(spawner, spawner.position, {0.0f, 0.0f}, "");
        EXPECT_EQ(spawner.alive, maxAlive) << type;
        AISpawner::SpawnAlien(spawner, spawner.position, {4.0f, 2.0f}, "");
        ++tries;
        EXPECT_EQ(spawner.alive, maxAlive + 1) << type;
    }
    EXPECT_EQ(gNormalAliens.size(), 6u);
    EXPECT_EQ(gGoldenAliens.size(), 3u);
    EXPECT_EQ(gGiantAliens.size(), 2u);
    EXPECT_EQ(gAliveAliens, 11);
    // Every try is announced, the refused ones too.
    EXPECT_EQ(events->Count("normalSpawn"), tries);
    // Giants from a spawner are announced on screen.
    EXPECT_EQ(EntitiesNamed("Popup Text: Giant Slime Appeared!").size(), 2u);
}

TEST_F(AlienTest, NoMoreThanFortyAliensLiveAtOnceAndAtTheCapNothingIsAnnounced)
{
    BuildSmallLevel();
    for (int i = 0; i < 45; ++i)
        AISpawner::SpawnAlienAt(AlienKind::Normal, {0.0f, 0.0f}, {0.0f, 0.0f}, "");
    EXPECT_EQ(gAliveAliens, 40);
    EXPECT_EQ(gNormalAliens.size(), 40u);
    EXPECT_EQ(events->Count("normalSpawn"), 40);

    SpawnerRecord& launcher = SpawnerOf("normal");
    AISpawner::SpawnAlien(launcher, launcher.position, {5.0f, 5.0f}, "Steam");
    AISpawner::SpawnAlienRandomOffset({0.0f, 0.0f}, AlienKind::Golden, "Steam");
    AISpawner::SpawnAlienAt(AlienKind::Giant, {0.0f, 0.0f}, {0.0f, 0.0f}, "");
    EXPECT_EQ(gAliveAliens, 40);
    EXPECT_TRUE(gGoldenAliens.empty() && gGiantAliens.empty());
    EXPECT_EQ(events->Count("normalSpawn"), 40);
    EXPECT_EQ(launcher.alive, 0);
}

TEST_F(AlienTest, TheKindsTakeTheirValuesLayersAndLooksFromTheFile)
{
    BuildSmallLevel();
    for (int kind : {AlienKind::Normal, AlienKind::Giant, AlienKind::Golden})
        AISpawner::SpawnAlienAt(kind, {1.0f, 0.5f}, {0.0f, 0.0f}, "");
    ASSERT_EQ(gNormalAliens.size(), 1u);
    ASSERT_EQ(gGiantAliens.size(), 1u);
    ASSERT_EQ(gGoldenAliens.size(), 1u);

    struct Expected {
        const AIType& alien;
        const char* type;
        int kind;
        const char* archetype;
        float weight;
        float moveSpeed;
        int layer;
    };
    // A normal or golden alien's weight is its slime value, a giant's its hit points.
    for (const Expected& expected : {Expected{gNormalAliens[0], "normal", 0, "aliendude", 1.0f, 10.0f, 32},
                                     Expected{gGiantAliens[0], "giant", 1, "aliengiant", 10.0f, 5.0f, 64},
                                     Expected{gGoldenAliens[0], "golden", 2, "aliengolden", 5.0f, 16.0f, 32}}) {
        const AIType& alien = expected.alien;
        EXPECT_EQ(alien.type, expected.type);
        EXPECT_EQ(alien.kind, expected.kind);
        EXPECT_EQ(alien.entity->GetName(), expected.archetype);
        EXPECT_FLOAT_EQ(alien.weight, expected.weight);
        EXPECT_FLOAT_EQ(alien.moveSpeed, expected.moveSpeed);
        EXPECT_EQ(alien.spawner, nullptr);
        EXPECT_FLOAT_EQ(alien.countdown, 0.0f);
        EXPECT_EQ(BodyOf(alien)->GetLayer().layer, expected.layer);
        EXPECT_EQ(BodyOf(alien)->GetLayer().mask, 130);
        EXPECT_EQ(BodyOf(alien)->GetAcceleration(), glm::vec2(0.0f, -15.0f));
        // Made here, an alien starts at the full moveSpeed.
        EXPECT_EQ(BodyOf(alien)->GetVelocity(), glm::vec2(expected.moveSpeed, 0.0f));
        EXPECT_EQ(PositionOf(alien.entity), glm::vec2(1.0f, 0.5f));
        EXPECT_TRUE(alien.entity->GetComponent<Sprite>()->IsFlipped());
        // The body and its two detector sets.
        EXPECT_NE(BodyOf(alien)->GetBodyCollider(), nullptr);
        EXPECT_EQ(std::count(EntityManager::GetEntities().begin(), EntityManager::GetEntities().end(), alien.entity),
                  1);
    }
    EXPECT_EQ(gAliveAliens, 3);
    // Only the golden one sparkles.
    EXPECT_EQ(ChildrenOf(gGoldenAliens[0].entity, "SparkleParticles").size(), 1u);
    EXPECT_EQ(EntitiesNamed("SparkleParticles").size(), 1u);
}

TEST_F(AlienTest, ASpawnersAlienWalksAtAFifthOfItsSpeedWithATrailForThreeSeconds)
{
    BuildSmallLevel();
    SpawnerRecord& golden = SpawnerOf("golden");
    AISpawner::SpawnAlien(golden, golden.position, {0.0f, 0.0f}, "Steam");
    ASSERT_EQ(gGoldenAliens.size(), 1u);
    const AIType& alien = gGoldenAliens[0];
    EXPECT_EQ(alien.spawner, &golden);
    EXPECT_FLOAT_EQ(alien.weight, 5.0f);
    EXPECT_FLOAT_EQ(alien.jumpRate, 0.35f);
    EXPECT_TRUE(alien.canJump);
    EXPECT_EQ(BodyOf(alien)->GetVelocity(), glm::vec2(16.0f / 5.0f, 0.0f));
    EXPECT_EQ(PositionOf(alien.entity), golden.position);
    EXPECT_TRUE(alien.entity->GetComponent<Sprite>()->IsFlipped());
    // A golden alien from a spawner does not sparkle.
    EXPECT_TRUE(EntitiesNamed("SparkleParticles").empty());
    const auto trails = ChildrenOf(alien.entity, "SteamParticles");
    ASSERT_EQ(trails.size(), 1u);
    ASSERT_NE(trails[0]->GetComponent<KillClock>(), nullptr);
    EXPECT_FLOAT_EQ(trails[0]->GetComponent<KillClock>()->GetTimeLeft(), 3.0f);
    EXPECT_EQ(golden.alive, 1);
}

TEST_F(AlienTest, AThrownOutAlienIsLaunchedAndCannotBeTakenForHalfASecond)
{
    BuildFloorWithWall();
    Random::Seed(77);
    const int x = Random::Int(-30, 30);
    const int y = Random::Int(0, 30);
    ASSERT_NE(x, 0);
    Random::Seed(77);
    AISpawner::SpawnAlienRandomOffset({0.0f, 1.0f}, AlienKind::Normal, "");
    ASSERT_EQ(gNormalAliens.size(), 1u);
    const AIType& alien = gNormalAliens[0];
    EXPECT_EQ(PositionOf(alien.entity), glm::vec2(0.0f, 1.0f));
    EXPECT_EQ(BodyOf(alien)->GetVelocity(), glm::vec2(x, y));
    EXPECT_FLOAT_EQ(alien.countdown, 0.5f);

    Step();
    EXPECT_EQ(BodyOf(alien)->GetLayer().layer, 1);
    EXPECT_EQ(BodyOf(alien)->GetLayer().mask, 130);
    EXPECT_TRUE(alien.launchLayerSet);
    for (int frame = 0; frame < 28; ++frame)
        Step();
    EXPECT_EQ(BodyOf(alien)->GetLayer().layer, 1);
    for (int frame = 0; frame < 3; ++frame)
        Step();
    EXPECT_EQ(BodyOf(alien)->GetLayer().layer, 32);
    EXPECT_EQ(BodyOf(alien)->GetLayer().mask, 130);
    EXPECT_FALSE(alien.launchLayerSet);
    EXPECT_FLOAT_EQ(alien.countdown, 0.0f);
}

TEST_F(AlienTest, AnAlienWithoutALaunchHasNoLaunchPhase)
{
    BuildFloorWithWall();
    AISpawner::SpawnAlienAt(AlienKind::Golden, {0.0f, -1.3f}, {0.0f, 7.0f}, "");
    EXPECT_FLOAT_EQ(gGoldenAliens[0].countdown, 0.0f);
    Step();
    EXPECT_EQ(BodyOf(gGoldenAliens[0])->GetLayer().layer, 32);
}

TEST_F(AlienTest, AnAlienWalksTurnsAtTheWallAndAtTheLedgeAndNeverFallsOff)
{
    BuildFloorWithWall();
    SpawnerRecord spawner;
    spawner.type = "normal";
    spawner.moveSpeed = 10.0f;
    spawner.maxAlive = 1;
    gSpawners.push_back(spawner);
    AISpawner::SpawnAlien(gSpawners.back(), {0.0f, -1.3f}, {0.0f, 0.0f}, "");
    AIType& alien = gNormalAliens[0];
    EXPECT_EQ(BodyOf(alien)->GetVelocity(), glm::vec2(2.0f, 0.0f));

    // Right, to the wall at x = 4 (the alien is 1.2 wide).
    Walk walk = Follow(alien, 1.5f);
    EXPECT_EQ(walk.turns, 0);
    EXPECT_GT(PositionOf(alien.entity).x, 2.5f);
    walk = Follow(alien, 1.0f);
    EXPECT_EQ(walk.turns, 1);
    EXPECT_EQ(BodyOf(alien)->GetVelocity().x, -2.0f);
    EXPECT_FALSE(alien.entity->GetComponent<Sprite>()->IsFlipped());
    // Its wobble may shrink it by a tenth.
    EXPECT_LE(walk.maxX, 4.0f - 0.6f * 0.9f);
    EXPECT_GT(walk.maxX, 3.3f);

    // Left to the floor's end at x = -5, where it turns back before its feet leave the floor.
    walk = Follow(alien, 20.0f);
    EXPECT_GT(walk.minX, -5.0f);
    EXPECT_LT(walk.minX, -4.0f);
    EXPECT_GE(walk.turns, 4);
    // Standing on the floor (top y = -2, the alien 1.2 high, give or take
    // its wobble) all the while, neither sinking nor falling.
    EXPECT_GT(walk.minY, -1.4f - 0.07f);
    EXPECT_LT(walk.maxY, -1.3f);
}

TEST_F(AlienTest, AnAlienMadeAnywhereWalksAtFullSpeedUntilItsFirstTurn)
{
    BuildFloorWithWall();
    AISpawner::SpawnAlienAt(AlienKind::Normal, {0.0f, -1.3f}, {0.0f, 0.0f}, "");
    AIType& alien = gNormalAliens[0];
    alien.canJump = false;
    EXPECT_EQ(BodyOf(alien)->GetVelocity().x, 10.0f);
    Follow(alien, 1.0f);
    EXPECT_EQ(BodyOf(alien)->GetVelocity().x, -2.0f);
}

TEST_F(AlienTest, AnAlienOnAJumpThroughPlatformTurnsAtItsEnds)
{
    TestMap map;
    map.rows = {"..........",
                "..........",
                "...====...",
                "..........",
                "##########"};
    BuildMap(map);
    Frame();
    AISpawner::SpawnAlienAt(AlienKind::Normal, {0.0f, 1.0f}, {0.0f, 0.0f}, "");
    AIType& alien = gNormalAliens[0];
    alien.canJump = false;
    // The platform's strip tops out at y = 0.09, from x = -2 to 2; the floor
    // below is at y = -2.
    const Walk walk = Follow(alien, 12.0f);
    EXPECT_GE(walk.turns, 3);
    EXPECT_GT(walk.minX, -2.0f);
    EXPECT_LT(walk.maxX, 2.0f);
    EXPECT_GT(walk.minY, 0.09f + 0.6f - 0.07f);
}

TEST_F(AlienTest, JumpRateDecidesWhetherAJumperLeavesTheGround)
{
    BuildFloorWithWall();
    AISpawner::SpawnAlienAt(AlienKind::Normal, {-2.0f, -1.3f}, {0.0f, 0.0f}, "");
    AISpawner::SpawnAlienAt(AlienKind::Normal, {2.0f, -1.3f}, {0.0f, 0.0f}, "");
    gNormalAliens[0].jumpRate = 0.0f;
    gNormalAliens[1].jumpRate = 1.0f;
    ASSERT_TRUE(gNormalAliens[0].canJump && gNormalAliens[1].canJump);

    float highest[2] = {-1e9f, -1e9f};
    for (int frame = 0; frame < 300; ++frame) {
        Step();
        for (int i = 0; i < 2; ++i)
            highest[i] = std::max(highest[i], PositionOf(gNormalAliens[i].entity).y);
    }
    EXPECT_LT(highest[0], -1.3f);
    // One frame of 500 upward gives 8 units a second; gravity 15 stops it
    // over 2 units up.
    EXPECT_GT(highest[1], -1.4f + 1.5f);
}

TEST_F(AlienTest, AliensStayInsideARealLevel)
{
    Build("assets/levels/tutorial.json");
    GoalZones::Init();
    const std::pair<int, int> size = GetLevelSize();
    for (int frame = 0; frame < 60 * 30; ++frame) {
        GoalZones::Update(kFrame);
        Frame();
    }
    ASSERT_GT(gAliveAliens, 3);
    for (std::vector<AIType>* list : {&gNormalAliens, &gGoldenAliens, &gGiantAliens}) {
        for (const AIType& alien : *list) {
            const glm::vec2 position = PositionOf(alien.entity);
            EXPECT_LT(std::abs(position.x), size.first / 2.0f) << alien.type;
            EXPECT_LT(std::abs(position.y), size.second / 2.0f) << alien.type;
        }
    }
}

TEST_F(AlienTest, AKindTheFileLacksIsTracedAndNotMade)
{
    AISpawner::LoadFile("tests/data/game/ai_no_golden.json");
    events = GameEventLog::Attach();
    AISpawner::SpawnAlienAt(AlienKind::Golden, {0.0f, 0.0f}, {0.0f, 0.0f}, "");
    AISpawner::SpawnAlienAt(7, {0.0f, 0.0f}, {0.0f, 0.0f}, "");
    EXPECT_TRUE(gGoldenAliens.empty());
    EXPECT_EQ(gAliveAliens, 0);
    EXPECT_TRUE(Traced("the AI spawner file has no entry of that type"));
    EXPECT_TRUE(Traced("There is no alien kind 7"));
    EXPECT_EQ(events->Count("normalSpawn"), 2);
}

} // namespace
