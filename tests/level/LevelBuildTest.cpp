#include "BuiltLevelWorld.h"
#include "core/Transform.h"
#include "game/AISpawnerGlobals.h"
#include "level/JumpThruPlat.h"
#include "level/Portal.h"
#include "physics/StaticBody.h"
#include "render/Sprite.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <filesystem>
#include <fstream>
#include <map>
#include <rapidjson/document.h>
#include <rapidjson/istreamwrapper.h>
#include <set>
#include <stdexcept>

namespace {

namespace fs = std::filesystem;

glm::vec2 PositionOf(const std::shared_ptr<fb::Entity>& entity)
{
    return entity->GetComponent<fb::cmp::Transform>()->GetPosition();
}

glm::vec2 ScaleOf(const std::shared_ptr<fb::Entity>& entity)
{
    return entity->GetComponent<fb::cmp::Transform>()->GetScale();
}

// What a map file holds, read straight from its JSON and the tile set's
// flags (tile ids 0-19 solid, 20-23 platforms, 24-26 spawners).
struct MapFacts {
    int width = 0;
    int height = 0;
    std::vector<std::vector<char>> cells; // 's' solid, 'p' platform, 'n'/'G'/'g' spawners
    int solidTiles = 0;
    int platformRuns = 0;
    std::map<std::string, int> spawners;
    int zones = 0;
    int eventAreas = 0;
    int spawnPoints = 0;
    int portalPairs = 0;
    std::vector<std::string> zoneNames;
};

char CellOf(int gid)
{
    const int id = gid - 1;
    if (gid == 0 || id > 26)
        return '.';
    if (id >= 24)
        return "nGg"[id - 24];
    if (id >= 20)
        return 'p';
    return 's';
}

MapFacts ReadFacts(const std::string& path)
{
    std::ifstream file(path);
    rapidjson::IStreamWrapper stream(file);
    rapidjson::Document map;
    map.ParseStream(stream);
    MapFacts facts;
    facts.width = map["width"].GetInt();
    facts.height = map["height"].GetInt();
    facts.cells.assign(facts.height, std::vector<char>(facts.width, '.'));
    std::map<std::string, int> portalNames;
    for (const auto& layer : map["layers"].GetArray()) {
        const std::string name = layer["name"].GetString();
        if (name == "Foreground") {
            const auto& data = layer["data"];
            for (int i = 0; i < facts.width * facts.height; ++i)
                facts.cells[i / facts.width][i % facts.width] = CellOf(data[i].GetInt());
        }
        if (!layer.HasMember("objects"))
            continue;
        for (const auto& object : layer["objects"].GetArray()) {
            const std::string type = object["type"].GetString();
            if (type == "RandomEvent")
                ++facts.eventAreas;
            else if (type == "SpawnPoint")
                ++facts.spawnPoints;
            else if (type == "Portal")
                ++portalNames[object["name"].GetString()];
            else {
                ++facts.zones;
                facts.zoneNames.push_back(object["name"].GetString());
            }
        }
    }
    for (const auto& [name, count] : portalNames)
        facts.portalPairs += count / 2;
    for (int row = 0; row < facts.height; ++row) {
        for (int col = 0; col < facts.width; ++col) {
            const char cell = facts.cells[row][col];
            facts.solidTiles += cell == 's';
            if (cell == 'p' && (col == 0 || facts.cells[row][col - 1] != 'p'))
                ++facts.platformRuns;
            if (cell == 'n')
                ++facts.spawners["normal"];
            if (cell == 'G')
                ++facts.spawners["giant"];
            if (cell == 'g')
                ++facts.spawners["golden"];
        }
    }
    return facts;
}

// The rectangles that merging the solid cells gives: from each free solid
// cell, as wide as the free solid run to its right, then as deep as whole
// free rows of that width go.
int MergedRectangles(std::vector<std::vector<char>> cells)
{
    const int height = static_cast<int>(cells.size());
    const int width = height ? static_cast<int>(cells[0].size()) : 0;
    int rectangles = 0;
    for (int row = 0; row < height; ++row) {
        for (int col = 0; col < width; ++col) {
            if (cells[row][col] != 's')
                continue;
            int right = col;
            while (right < width && cells[row][right] == 's')
                ++right;
            int bottom = row + 1;
            auto rowIsSolid = [&](int r) {
                for (int c = col; c < right; ++c) {
                    if (cells[r][c] != 's')
                        return false;
                }
                return true;
            };
            while (bottom < height && rowIsSolid(bottom))
                ++bottom;
            for (int r = row; r < bottom; ++r) {
                for (int c = col; c < right; ++c)
                    cells[r][c] = 'u';
            }
            ++rectangles;
        }
    }
    return rectangles;
}

// A collider rectangle in cells: its left column, top row, width, height.
struct CellRect {
    int col;
    int row;
    int width;
    int height;
};

CellRect ToCells(const std::shared_ptr<fb::Entity>& collider, int mapWidth, int mapHeight)
{
    const glm::vec2 position = PositionOf(collider);
    const glm::vec2 scale = ScaleOf(collider);
    return {static_cast<int>(std::lround(position.x - scale.x * 0.5f + mapWidth / 2)),
            static_cast<int>(std::lround(mapHeight / 2 - position.y - scale.y * 0.5f)),
            static_cast<int>(std::lround(scale.x)), static_cast<int>(std::lround(scale.y))};
}

std::vector<std::string> GameMaps()
{
    std::vector<std::string> maps;
    for (const auto& entry : fs::directory_iterator("assets/levels")) {
        if (entry.path().extension() != ".json")
            continue;
        std::ifstream file(entry.path());
        rapidjson::IStreamWrapper stream(file);
        rapidjson::Document document;
        document.ParseStream(stream);
        if (document.IsObject() && document.HasMember("type") && document["type"] == "map")
            maps.push_back(entry.path().string());
    }
    std::sort(maps.begin(), maps.end());
    return maps;
}

// What the maker of the maps says they hold: solid tiles, platform runs,
// normal, giant and golden spawners, zones, event areas, spawn points and
// portal pairs.
struct KnownCounts {
    int solid, platforms, normal, giant, golden, zones, events, spawnPoints, portals;
};
const std::map<std::string, KnownCounts> kKnownMaps = {
    {"tutorial", {668, 8, 2, 1, 2, 3, 3, 4, 1}},
    {"mossy_hollow", {660, 8, 4, 1, 2, 6, 4, 4, 2}},
    {"crystal_caverns", {688, 9, 4, 1, 2, 6, 4, 4, 2}},
    {"red_mesa", {784, 9, 4, 1, 2, 6, 4, 4, 2}},
    {"frost_spires", {680, 13, 4, 1, 2, 6, 4, 4, 2}},
};

class GameMapBuild : public BuiltLevelTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(GameMapBuild, BuildsWhatTheMapHolds)
{
    const std::string path = "assets/levels/" + GetParam() + ".json";
    const MapFacts facts = ReadFacts(path);
    const KnownCounts& known = kKnownMaps.at(GetParam());
    ASSERT_EQ(facts.solidTiles, known.solid);
    ASSERT_EQ(facts.platformRuns, known.platforms);

    Build(path);
    Frame();

    // The solid rectangles cover every solid tile exactly once and nothing else.
    const auto colliders = EntitiesNamed("Collider");
    EXPECT_EQ(static_cast<int>(colliders.size()), MergedRectangles(facts.cells));
    std::vector<std::vector<int>> cover(facts.height, std::vector<int>(facts.width, 0));
    for (const auto& collider : colliders) {
        ASSERT_NE(collider->GetComponent<fb::cmp::StaticBody>(), nullptr);
        EXPECT_NE(collider->GetComponent<fb::cmp::StaticBody>()->GetCollider(), nullptr);
        const CellRect rect = ToCells(collider, facts.width, facts.height);
        for (int r = rect.row; r < rect.row + rect.height; ++r) {
            for (int c = rect.col; c < rect.col + rect.width; ++c) {
                ASSERT_TRUE(r >= 0 && r < facts.height && c >= 0 && c < facts.width);
                EXPECT_EQ(facts.cells[r][c], 's') << "row " << r << " col " << c;
                ++cover[r][c];
            }
        }
    }
    for (int r = 0; r < facts.height; ++r) {
        for (int c = 0; c < facts.width; ++c)
            EXPECT_EQ(cover[r][c], facts.cells[r][c] == 's' ? 1 : 0) << "row " << r << " col " << c;
    }

    const auto platforms = EntitiesNamed("Passthrough Platform");
    EXPECT_EQ(static_cast<int>(platforms.size()), known.platforms);
    for (const auto& platform : platforms)
        EXPECT_NE(platform->GetComponent<JumpThruPlat>(), nullptr);

    std::map<std::string, int> spawners;
    for (const SpawnerRecord& spawner : gSpawners)
        ++spawners[spawner.type];
    EXPECT_EQ(spawners, facts.spawners);
    EXPECT_EQ(spawners["normal"], known.normal);
    EXPECT_EQ(spawners["giant"], known.giant);
    EXPECT_EQ(spawners["golden"], known.golden);

    ASSERT_EQ(static_cast<int>(gZones.size()), known.zones);
    ASSERT_EQ(facts.zones, known.zones);
    for (std::size_t i = 0; i < gZones.size(); ++i) {
        EXPECT_EQ(gZones[i].entity->GetName(), facts.zoneNames[i]);
        EXPECT_FALSE(gZones[i].active);
        EXPECT_NE(gZones[i].collider, nullptr);
    }
    EXPECT_EQ(static_cast<int>(GetRandomEventPoints().size()), known.events);
    EXPECT_EQ(facts.eventAreas, known.events);
    EXPECT_EQ(static_cast<int>(GetSpawnPoints().size()), known.spawnPoints);
    EXPECT_EQ(facts.spawnPoints, known.spawnPoints);

    int portals = 0;
    for (const auto& entity : EntityManager::GetEntities())
        portals += entity->GetComponent<Portal>() != nullptr;
    EXPECT_EQ(portals, 2 * known.portals);
    EXPECT_EQ(facts.portalPairs, known.portals);
}

INSTANTIATE_TEST_SUITE_P(EveryMap, GameMapBuild,
                         ::testing::Values("tutorial", "mossy_hollow", "crystal_caverns", "red_mesa", "frost_spires"));

TEST(GameMaps, TheKnownMapsAreAllTheMapsThereAre)
{
    std::set<std::string> known;
    for (const auto& [name, counts] : kKnownMaps)
        known.insert("assets/levels/" + name + ".json");
    const std::vector<std::string> maps = GameMaps();
    EXPECT_EQ(std::set<std::string>(maps.begin(), maps.end()), known);
}

using LevelBuild = BuiltLevelTest;

struct Rect {
    glm::vec2 position;
    glm::vec2 scale;
    bool operator<(const Rect& other) const
    {
        return std::tie(position.x, position.y, scale.x, scale.y) <
               std::tie(other.position.x, other.position.y, other.scale.x, other.scale.y);
    }
    bool operator==(const Rect&) const = default;
};

// Rounded to thousandths, so that sums like 1 - 0 - 1.01 compare as written.
std::set<Rect> RectsNamed(const std::vector<std::shared_ptr<fb::Entity>>& entities)
{
    auto round = [](glm::vec2 v) { return glm::vec2(std::round(v.x * 1000.0f), std::round(v.y * 1000.0f)) / 1000.0f; };
    std::set<Rect> rects;
    for (const auto& entity : entities)
        rects.insert({round(PositionOf(entity)), round(ScaleOf(entity))});
    return rects;
}

TEST_F(LevelBuild, SolidTilesMergeIntoRectanglesGrownRightThenDown)
{
    // 6 by 4: a 3 x 2 block, an L of three, an inverted L of three.
    TestMap map;
    map.rows = {"###.##",
                "###.#.",
                "#.....",
                "##...."};
    BuildMap(map);
    // Halves are W div 2 = 3 and H div 2 = 2.
    EXPECT_EQ(RectsNamed(EntitiesNamed("Collider")),
              (std::set<Rect>{{{-1.5f, 1.0f}, {3, 2}},    // the block
                              {{2.0f, 1.5f}, {2, 1}},     // the L's top row
                              {{1.5f, 0.5f}, {1, 1}},     // the tile below its left end
                              {{-2.5f, -1.0f}, {1, 2}},   // one tile with two below it
                              {{-1.5f, -1.5f}, {1, 1}}})); // the wider bottom row's rest
}

TEST_F(LevelBuild, ARunEndsAtTheRightEdgeOfTheMap)
{
    TestMap map;
    map.rows = {"...##",
                "##..."};
    BuildMap(map);
    EXPECT_EQ(RectsNamed(EntitiesNamed("Collider")),
              (std::set<Rect>{{{2.0f, 0.5f}, {2, 1}}, {{-1.0f, -0.5f}, {2, 1}}}));
}

TEST_F(LevelBuild, JumpThroughRunsBecomePlatformsThatEndWithTheirRow)
{
    TestMap map;
    map.rows = {"..====",
                "==#==.",
                "......"};
    BuildMap(map);
    // y = H div 2 - row - 1.01 with H div 2 = 1; x = n/2 + col - 3.
    EXPECT_EQ(RectsNamed(EntitiesNamed("Passthrough Platform")),
              (std::set<Rect>{{{1.0f, -0.01f}, {4, 2}}, {{-2.0f, -1.01f}, {2, 2}}, {{1.0f, -1.01f}, {2, 2}}}));
    // Platform tiles never join a solid rectangle.
    EXPECT_EQ(RectsNamed(EntitiesNamed("Collider")), (std::set<Rect>{{{-0.5f, -0.5f}, {1, 1}}}));
}

TEST_F(LevelBuild, SpawnerTilesMakeSpawnersOfTheirKindAtTheTilesTopLeftCorner)
{
    TestMap map;
    map.rows = {".....",
                ".G..n",
                "g....",
                "#####"};
    BuildMap(map);
    ASSERT_EQ(gSpawners.size(), 3u);
    // Row-major order; W div 2 = 2, H div 2 = 2.
    EXPECT_EQ(gSpawners[0].type, "giant");
    EXPECT_EQ(gSpawners[0].position, glm::vec2(-1.0f, 1.0f));
    EXPECT_EQ(gSpawners[1].type, "normal");
    EXPECT_EQ(gSpawners[1].position, glm::vec2(2.0f, 1.0f));
    EXPECT_EQ(gSpawners[2].type, "golden");
    EXPECT_EQ(gSpawners[2].position, glm::vec2(-2.0f, 0.0f));
    // The walking values come from the kind's entry in the AI spawner file.
    EXPECT_EQ(gSpawners[0].maxAlive, 1);
    EXPECT_FLOAT_EQ(gSpawners[0].weight, 10.0f);
    EXPECT_FLOAT_EQ(gSpawners[1].spawnRate, 1.5f);
    EXPECT_FLOAT_EQ(gSpawners[2].moveSpeed, 16.0f);
    EXPECT_EQ(gSpawners[2].alive, 0);
}

TEST_F(LevelBuild, ObjectsUseHalfTheMapSizeUnroundedAndBecomeAreasZonesAndPortals)
{
    // Five tiles wide: a tile in column 0 is centred at -1.5, an object of
    // one tile's width at x = 0 at -2.0.
    TestMap map;
    map.rows = {"#....", ".....", ".....", "....."};
    map.objects = {MapObjectJson("Left", "Zone", 0, 0, 64, 128, 1),
                   MapObjectJson("Odd", "Whatever", 128, 64, 128, 64, 2),
                   MapObjectJson("P0", "SpawnPoint", 64, 192, 64, 64, 3),
                   MapObjectJson("Sky", "RandomEvent", 0, 0, 320, 128, 4)};
    map.portals = {PortalJson("Pipe", "Left", 0, 0, 5), PortalJson("Pipe", "Right", 256, 0, 6)};
    BuildMap(map);

    EXPECT_EQ(RectsNamed(EntitiesNamed("Collider")), (std::set<Rect>{{{-1.5f, 1.5f}, {1, 1}}}));
    ASSERT_EQ(gZones.size(), 2u);
    EXPECT_EQ(gZones[0].entity->GetName(), "Left");
    EXPECT_EQ(PositionOf(gZones[0].entity), glm::vec2(-2.0f, 1.0f));
    EXPECT_EQ(ScaleOf(gZones[0].entity), glm::vec2(1.0f, 2.0f));
    EXPECT_EQ(gZones[0].size, glm::vec2(1.0f, 2.0f));
    EXPECT_EQ(gZones[1].entity->GetName(), "Odd");
    EXPECT_EQ(PositionOf(gZones[1].entity), glm::vec2(0.5f, 0.5f));
    EXPECT_EQ(gZones[0].collider->GetLayer().layer, 8);
    EXPECT_EQ(gZones[0].collider->GetLayer().mask, 4);
    EXPECT_TRUE(gZones[0].collider->IsBound());
    EXPECT_EQ(gZones[0].collider->GetParent().lock(), gZones[0].entity);
    EXPECT_EQ(gZones[0].entity->GetComponent<Sprite>()->GetTexture().name, "./assets/img/DeactiveZone.png");
    EXPECT_EQ(gZones[0].entity->GetComponent<Sprite>()->GetLayer(), 1);

    const std::vector<LevelArea> spawnPoints = GetSpawnPoints();
    ASSERT_EQ(spawnPoints.size(), 1u);
    EXPECT_EQ(glm::vec2(spawnPoints[0].x, spawnPoints[0].y), glm::vec2(-1.0f, -1.5f));
    const std::vector<LevelArea> events = GetRandomEventPoints();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(glm::vec4(events[0].x, events[0].y, events[0].width, events[0].height), glm::vec4(0.0f, 1.0f, 5.0f, 2.0f));

    const Level& level = CurrentLevel();
    ASSERT_EQ(level.portals.size(), 2u);
    EXPECT_EQ(level.portals[0].name, "Pipe");
    EXPECT_EQ(level.portals[0].Direction, "Left");
    EXPECT_EQ(glm::vec2(level.portals[0].x, level.portals[0].y), glm::vec2(-2.0f, 1.0f));
    int portals = 0;
    for (const auto& entity : EntityManager::GetEntities())
        portals += entity->GetComponent<Portal>() != nullptr;
    EXPECT_EQ(portals, 2);
}

TEST_F(LevelBuild, ObjectsThatLackWhatTheirTypeNeedsAreTracedAndSkipped)
{
    TestMap map;
    map.rows = {"....", "....", "....", "####"};
    // A portal outside the "Portals" layer has no Direction; a zone of no area
    // can never be stood in.
    map.objects = {MapObjectJson("Stray", "Portal", 0, 0, 64, 128, 1), MapObjectJson("Flat", "Zone", 0, 0, 128, 0, 2),
                   MapObjectJson("Good", "Zone", 0, 0, 128, 64, 3)};
    BuildMap(map);
    EXPECT_TRUE(CurrentLevel().portals.empty());
    EXPECT_TRUE(Traced("\"Stray\" is a portal without a \"Direction\""));
    ASSERT_EQ(gZones.size(), 1u);
    EXPECT_EQ(gZones[0].entity->GetName(), "Good");
    EXPECT_TRUE(Traced("\"Flat\" is a goal zone without an area"));
    EXPECT_TRUE(EntitiesNamed("Flat").empty());
}

TEST_F(LevelBuild, AZeroTileSizeIsRefusedLikeAZeroMapSize)
{
    for (const std::string size : {R"("tilewidth": 0)", R"("tileheight": 0)"}) {
        TestMap map;
        map.rows = {"##", "##"};
        std::string text = map.Json();
        const std::string key = size.substr(1, size.find('"', 1) - 1);
        const std::size_t at = text.find("\"" + key + "\": 64");
        ASSERT_NE(at, std::string::npos);
        text.replace(at, key.size() + 6, size);
        fs::create_directories(scratch);
        const std::string path = (scratch / "flat.json").string();
        std::ofstream(path) << text;
        try {
            LoadLevel(path);
            ADD_FAILURE() << size << " was accepted";
        } catch (const std::runtime_error& error) {
            EXPECT_NE(std::string(error.what()).find("Level Dimension: 0 Error"), std::string::npos) << error.what();
        }
        UnloadLevel();
        UnloadTileset();
    }
    // Nothing is built from what was refused.
    BuildLevel();
    EXPECT_TRUE(EntityManager::GetEntities().empty());
}

TEST_F(LevelBuild, WithoutTheAIFileSpawnerTilesMakeNoSpawners)
{
    TestMap map;
    map.rows = {"n.G.g", "#####"};
    LoadLevel(map.Write(scratch));
    BuildLevel();
    EXPECT_TRUE(gSpawners.empty());
    EXPECT_EQ(EntitiesNamed("Collider").size(), 1u);
}

} // namespace
