#include "GameEventLog.h"
#include "core/Transform.h"
#include "game/AISpawnerGlobals.h"
#include "game/SlimeUI.h"
#include "level/BuiltLevelWorld.h"
#include "render/Sprite.h"
#include "support/TakeEveryCollider.h"

#include <algorithm>

namespace {

// Exact in binary, so that 60 steps make 15 s to the bit.
constexpr float kStep = 0.25f;

class GoalZonesTest : public BuiltLevelTest {
protected:
    void StartMatch(const std::string& path)
    {
        Build(path);
        GoalZones::Init();
        events = GameEventLog::Attach();
    }

    // `seconds` of match time in steps of kStep.
    static void Play(float seconds)
    {
        for (float t = 0.0f; t < seconds; t += kStep)
            GoalZones::Update(kStep);
    }

    static std::string ZoneImage(int zone)
    {
        return gZones[zone].entity->GetComponent<Sprite>()->GetTexture().name;
    }

    static glm::vec2 PositionOf(const std::shared_ptr<fb::Entity>& entity)
    {
        return entity->GetComponent<fb::cmp::Transform>()->GetPosition();
    }

    // The bursts of this test so far, by where they went off.
    static std::vector<glm::vec2> Bursts()
    {
        std::vector<glm::vec2> found;
        for (const auto& entity : EntitiesNamed("SlimeBoomParticles"))
            found.push_back(PositionOf(entity));
        return found;
    }

    void ExpectActive(int zone)
    {
        EXPECT_EQ(GoalZones::GetZoneIndices().first, zone);
        for (int i = 0; i < static_cast<int>(gZones.size()); ++i) {
            EXPECT_EQ(gZones[i].active, i == zone) << "zone " << i;
            EXPECT_EQ(ZoneImage(i), i == zone ? "./assets/img/ActiveZone.png" : "./assets/img/DeactiveZone.png")
                << "zone " << i;
        }
        ASSERT_NE(gTargetMarker, nullptr);
        EXPECT_EQ(PositionOf(gTargetMarker), PositionOf(gZones[zone].entity));
    }

    TestMap ZonesMap(int zones)
    {
        TestMap map;
        map.rows = {"........", "........", "........", "########"};
        for (int i = 0; i < zones; ++i)
            map.objects.push_back(MapObjectJson("Zone " + std::to_string(i), "Zone", 64.0f * 2 * i, 0, 64, 64, i + 1));
        return map;
    }

    std::shared_ptr<GameEventLog> events;
};

TEST_F(GoalZonesTest, TheZonesTakeTurnsEveryFifteenSecondsInMapOrder)
{
    StartMatch("assets/levels/tutorial.json");
    ASSERT_EQ(gZones.size(), 3u);

    GoalZones::Update(kStep);
    ExpectActive(0);
    Play(15.0f - 2 * kStep);
    ExpectActive(0);
    EXPECT_EQ(events->Count("zoneChange"), 0);
    EXPECT_TRUE(Bursts().empty());

    GoalZones::Update(kStep);
    ExpectActive(1);
    EXPECT_EQ(events->Count("zoneChange"), 1);
    EXPECT_EQ(Bursts(), std::vector<glm::vec2>{PositionOf(gZones[1].entity)});
    EXPECT_EQ(GoalZones::GetZoneIndices().second, 2);

    Play(15.0f);
    ExpectActive(2);
    Play(15.0f);
    ExpectActive(0);
    EXPECT_EQ(events->Count("zoneChange"), 3);
    EXPECT_EQ(Bursts(), (std::vector<glm::vec2>{PositionOf(gZones[1].entity), PositionOf(gZones[2].entity),
                                                PositionOf(gZones[0].entity)}));
}

TEST_F(GoalZonesTest, ASingleZoneStaysActiveAndStillGetsItsBurst)
{
    StartMatch(ZonesMap(1).Write(scratch));
    Play(30.0f);
    ExpectActive(0);
    EXPECT_EQ(events->Count("zoneChange"), 2);
    EXPECT_EQ(Bursts().size(), 2u);
}

TEST_F(GoalZonesTest, ALevelWithoutZonesStillAnnouncesEveryChange)
{
    StartMatch(ZonesMap(0).Write(scratch));
    Play(45.0f);
    EXPECT_EQ(events->Count("zoneChange"), 3);
    EXPECT_TRUE(Bursts().empty());
    EXPECT_EQ(gTargetMarker, nullptr);
}

TEST_F(GoalZonesTest, TheActiveSpawnerMovesOnEveryTenSecondsAndIsMarked)
{
    TestMap map;
    map.rows = {"n..n..n.", "........", "########"};
    StartMatch(map.Write(scratch));
    ASSERT_EQ(gSpawners.size(), 3u);

    GoalZones::Update(kStep);
    EXPECT_EQ(gActiveSpawner, 0);
    ASSERT_NE(gSpawnerMarker, nullptr);
    Play(10.0f - 2 * kStep);
    EXPECT_EQ(gActiveSpawner, 0);
    EXPECT_EQ(PositionOf(gSpawnerMarker), gSpawners[0].position);
    const std::vector<int> expected = {1, 2, 0, 1};
    for (int next : expected) {
        Play(10.0f);
        EXPECT_EQ(gActiveSpawner, next);
        EXPECT_EQ(PositionOf(gSpawnerMarker), gSpawners[next].position);
    }

    // A new match starts on the first spawner, but its cycle and the win
    // count last seen go on: a round won before moves it on at once, and
    // 5 s into the cycle, 5 s more move it again.
    Play(5.0f + kStep);
    const int wonBefore = SlimeUI::GetWinCount() + 1;
    gLastWinCount = wonBefore;
    GoalZones::Init();
    EXPECT_EQ(gActiveSpawner, 0);
    EXPECT_EQ(gSpawnerCycleTimer, 5.0f);
    EXPECT_EQ(gLastWinCount, wonBefore);
    GoalZones::Update(kStep);
    EXPECT_EQ(gActiveSpawner, 1);
    Play(5.0f - 2 * kStep);
    EXPECT_EQ(gActiveSpawner, 1);
    GoalZones::Update(kStep);
    EXPECT_EQ(gActiveSpawner, 2);
}

TEST_F(GoalZonesTest, TheActiveSpawnerSpawnsEverySpawnRateUpToItsMaximum)
{
    TestMap map;
    map.rows = {"...n....", "........", "########"};
    StartMatch(map.Write(scratch));
    // normal: spawnRate 1.5 s, maxAlive 5.
    GoalZones::Update(kStep);
    EXPECT_EQ(gNormalAliens.size(), 1u);
    EXPECT_EQ(events->Count("normalSpawn"), 1);
    Play(1.25f);
    EXPECT_EQ(gNormalAliens.size(), 1u);
    GoalZones::Update(kStep);
    EXPECT_EQ(gNormalAliens.size(), 2u);

    // 9 s more: six more tries, three of them refused by the full spawner,
    // each still announced.
    Play(9.0f);
    EXPECT_EQ(gNormalAliens.size(), 5u);
    EXPECT_EQ(gSpawners[0].alive, 5);
    EXPECT_EQ(gAliveAliens, 5);
    EXPECT_EQ(events->Count("normalSpawn"), 8);
}

TEST_F(GoalZonesTest, ALivingGiantStopsEverySpawnerUntilItIsGone)
{
    TestMap map;
    map.rows = {"...n....", "........", "########"};
    StartMatch(map.Write(scratch));
    AISpawner::SpawnAlienAt(AlienKind::Giant, {0.0f, 0.0f}, {0.0f, 0.0f}, "");
    Play(6.0f);
    EXPECT_TRUE(gNormalAliens.empty());
    EXPECT_LT(gSpawnCountdown, -5.0f);

    GoalZones::SlimeStreak(nullptr);
    GoalZones::Update(kStep);
    EXPECT_EQ(gNormalAliens.size(), 1u);
}

TEST_F(GoalZonesTest, FindZoneKnowsOnlyZoneEntities)
{
    StartMatch("assets/levels/tutorial.json");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(GoalZones::FindZone(gZones[i].entity), i);
    EXPECT_EQ(GoalZones::FindZone(EntitiesNamed("Collider").front()), 13);
    EXPECT_EQ(GoalZones::FindZone(nullptr), 13);
}

TEST_F(GoalZonesTest, SlimeStreakRemovesEveryAlienTowardTheTarget)
{
    StartMatch("assets/levels/tutorial.json");
    SpawnerRecord& normal = *std::find_if(gSpawners.begin(), gSpawners.end(),
                                          [](const SpawnerRecord& spawner) { return spawner.type == "normal"; });
    AISpawner::SpawnAlien(normal, normal.position, {0.0f, 0.0f}, "");
    AISpawner::SpawnAlienAt(AlienKind::Golden, {1.0f, 1.0f}, {0.0f, 0.0f}, "");
    AISpawner::SpawnAlienAt(AlienKind::Giant, {2.0f, 1.0f}, {0.0f, 0.0f}, "");
    std::vector<std::shared_ptr<fb::Entity>> aliens = {gNormalAliens[0].entity, gGoldenAliens[0].entity,
                                                       gGiantAliens[0].entity};
    const glm::vec2 target(5.0f, 5.0f);
    GoalZones::SlimeStreak(&target);
    EXPECT_TRUE(gNormalAliens.empty() && gGoldenAliens.empty() && gGiantAliens.empty());
    EXPECT_EQ(gAliveAliens, 0);
    EXPECT_EQ(normal.alive, 0);
    EXPECT_EQ(EntitiesNamed("SlimeStreakParticles").size(), 3u);
    Frame();
    for (const auto& alien : aliens) {
        for (const auto& entity : EntityManager::GetEntities())
            EXPECT_NE(entity, alien);
    }
}

TEST_F(GoalZonesTest, ShutdownForgetsTheLevelAndReturnsTheZoneColliders)
{
    StartMatch("assets/levels/tutorial.json");
    Frame();
    AISpawner::SpawnAlienAt(AlienKind::Normal, {0.0f, 0.0f}, {0.0f, 0.0f}, "");
    Frame();
    const std::size_t inUse = GetActiveBoxColliders().size();
    GoalZones::Shutdown();
    Frame();
    // The three zones' colliders and the alien's body with its fourteen detectors.
    EXPECT_EQ(GetActiveBoxColliders().size(), inUse - 3 - 15);
    EXPECT_TRUE(gZones.empty() && gSpawners.empty() && gAITypes.empty() && gNormalAliens.empty());
    // Without spawners, zones or kinds the module idles.
    Play(20.0f);
    EXPECT_TRUE(gNormalAliens.empty());
}

TEST_F(GoalZonesTest, AZoneWithoutAFreeColliderIsMadeButCannotBeScoredIn)
{
    TakeEveryCollider();
    MakeDeactiveZone("Starved", {0.0f, 0.0f}, {2.0f, 2.0f});
    ASSERT_EQ(gZones.size(), 1u);
    EXPECT_EQ(gZones[0].collider, nullptr);
    EXPECT_TRUE(Traced("goal zone \"Starved\" cannot be scored in"));
    GoalZones::Update(kStep);
    EXPECT_TRUE(gZones[0].active);
    GoalZones::Shutdown();
    EXPECT_TRUE(gZones.empty());
}

} // namespace
