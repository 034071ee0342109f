#include "core/Trace.h"
#include "level/Level.h"
#include "support/FileText.h"
#include "support/GLTestWindow.h"

#include <GL/glew.h>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Tile-set sources are read from "./assets/levels/"; this one leads back
// to the test data.
constexpr const char* kTiles = "../../tests/data/level/tiles.json";
constexpr const char* kTilesPath = "./assets/levels/../../tests/data/level/tiles.json";
constexpr const char* kSmall = "tests/data/level/small.json";

// A two by two map; each argument replaces one part of it.
struct MapText {
    std::string size = R"("width": 2, "height": 2, "tilewidth": 32, "tileheight": 32)";
    std::string tilesets = std::string(R"("tilesets": [{"firstgid": 1, "source": ")") + kTiles + R"("}])";
    std::string layers = R"("layers": [{"name": "Background", "width": 2, "height": 2, "data": [0, 0, 0, 8]},
                                      {"name": "Foreground", "width": 2, "height": 2, "data": [1, 1, 0, 0]}])";
    std::string extra;

    std::string Json() const
    {
        std::string text = R"({"type": "map", )" + size;
        for (const std::string* part : {&tilesets, &layers, &extra}) {
            if (!part->empty())
                text += ", " + *part;
        }
        return text + "}";
    }
};

class LevelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UnloadLevel();
        UnloadTileset();
        CurrentLevel().Name.clear();
        fs::create_directories(scratch);
    }

    void TearDown() override { fs::remove_all(scratch); }

    std::string Write(const std::string& name, const std::string& text)
    {
        const std::string path = (scratch / name).string();
        std::ofstream(path) << text;
        return path;
    }

    // The message LoadLevel throws, or "" when it loads.
    static std::string Failure(const std::string& path)
    {
        try {
            LoadLevel(path);
        } catch (const std::runtime_error& error) {
            return error.what();
        }
        return "";
    }

    // Loads the map, keeping what it traces at level 3 and up.
    std::vector<std::string> Warnings(const std::string& path)
    {
        std::vector<std::string> warnings;
        // The test tile set's images do not exist; the texture cache says so.
        SetTraceSink([&warnings](const std::string& message, int level) {
            if (level >= 3 && message.rfind("Could not read image", 0) != 0)
                warnings.push_back(message);
        });
        LoadLevel(path);
        SetTraceSink(nullptr);
        return warnings;
    }

    static bool Contains(const std::vector<std::string>& messages, const std::string& message)
    {
        return std::find(messages.begin(), messages.end(), message) != messages.end();
    }

    static bool EndsWith(const std::string& text, const std::string& end)
    {
        return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
    }

    GLTestWindow window{32, 32};
    fs::path scratch = fs::temp_directory_path() / ("vendrabolt-level-" + std::to_string(getpid()));
};

using LevelFile = LevelTest;

TEST_F(LevelFile, ReadsTheMapsSizesLayersAndProperties)
{
    LoadLevel(kSmall);
    const Level& level = CurrentLevel();
    EXPECT_EQ(level.path, kSmall);
    EXPECT_EQ(GetLevelPath(), kSmall);
    EXPECT_EQ(GetLevelSize(), std::make_pair(4, 3));
    EXPECT_EQ(level.tilewidth, 32);
    EXPECT_EQ(level.tileheight, 32);
    EXPECT_EQ(GetLevelName(), "Small");
    EXPECT_EQ(level.Color, "Green");
    EXPECT_EQ(level.background, (std::vector<int>{0, 8, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(level.foreground, (std::vector<int>{0, 0, 0, 0, 0, 2, 3, 0, 1, 1, 1, 1}))
        << "the unnamed layer is skipped";
}

TEST_F(LevelFile, KeepsTheObjectsOfAllFourLayersInFileOrder)
{
    LoadLevel(kSmall);
    const std::vector<MapObject>& objects = CurrentLevel().objects;
    ASSERT_EQ(objects.size(), 5u);
    std::vector<std::string> types;
    for (const MapObject& object : objects)
        types.push_back(object.type);
    EXPECT_EQ(types, (std::vector<std::string>{"Zone", "RandomEvent", "Portal", "Portal", "SpawnPoint"}));

    const MapObject& zone = objects[0];
    EXPECT_EQ(zone.id, 1);
    EXPECT_EQ(zone.name, "Zone A");
    EXPECT_FLOAT_EQ(zone.x, 0.0f);
    EXPECT_FLOAT_EQ(zone.y, 64.0f);
    EXPECT_FLOAT_EQ(zone.width, 64.0f);
    EXPECT_FLOAT_EQ(zone.height, 32.0f);
    EXPECT_TRUE(zone.visible);
    EXPECT_EQ(zone.Direction, "");
    EXPECT_FALSE(objects[1].visible) << "only JSON true is visible";
    EXPECT_EQ(objects[2].Direction, "Left");
    EXPECT_EQ(objects[3].Direction, "Right");
    EXPECT_FLOAT_EQ(objects[3].rotation, 90.0f);
}

TEST_F(LevelFile, ReadsTheFirstTileSetWithItsFlags)
{
    LoadLevel(kSmall);
    const Level& level = CurrentLevel();
    ASSERT_EQ(level.tilesets.size(), 2u) << "the entry without a source is skipped";
    EXPECT_EQ(level.tilesets[0].firstgid, 1);
    EXPECT_EQ(level.tilesets[0].source, kTilesPath);
    EXPECT_EQ(level.tilesets[1].firstgid, 20);
    EXPECT_EQ(level.tilesetName, "test tiles");

    // "six" is not a tile id.
    ASSERT_EQ(level.tiles.size(), 7u);
    ASSERT_EQ(level.tileTextures.size(), 7u);
    std::vector<int> ids;
    for (const TileInfo& tile : level.tiles)
        ids.push_back(tile.id);
    EXPECT_EQ(ids, (std::vector<int>{0, 1, 2, 3, 4, 5, 7}));
    EXPECT_EQ(level.tiles[5].image, "almost_solid.png");
    EXPECT_FLOAT_EQ(level.tiles[5].imageheight, 32.0f);

    EXPECT_TRUE(level.tiles[0].Collides);
    EXPECT_TRUE(level.tiles[1].Passthrough);
    EXPECT_FALSE(level.tiles[1].Collides);
    EXPECT_EQ(level.tiles[1].SpawnerType, 3) << "no spawner";
    EXPECT_TRUE(level.tiles[2].Spawner);
    EXPECT_EQ(level.tiles[2].SpawnerType, 1);
    EXPECT_EQ(level.tiles[3].SpawnerType, 0) << "7 is no known type";
    EXPECT_TRUE(level.tiles[4].Spawner);
    EXPECT_EQ(level.tiles[4].SpawnerType, 0) << "a spawner without a type is a normal one";
    EXPECT_FALSE(level.tiles[5].Collides) << "the number 1 is not true";
    EXPECT_FALSE(level.tiles[6].Collides || level.tiles[6].Passthrough || level.tiles[6].Spawner);
}

TEST_F(LevelFile, TileImagesComeFromTheColourFolder)
{
    LoadLevel(kSmall);
    EXPECT_EQ(CurrentLevel().tileTextures[0].name, "./assets/img/Green/ground.png");
    EXPECT_NE(CurrentLevel().tileTextures[0].id, 0u) << "loaded at once";
    EXPECT_EQ(GetLevelBackground().name, "./assets/img/Green/background.jpg");

    UnloadLevel();
    UnloadTileset();
    MapText map;
    LoadLevel(Write("plain.json", map.Json()));
    EXPECT_EQ(CurrentLevel().Color, "");
    EXPECT_EQ(CurrentLevel().tileTextures[0].name, "./assets/img/ground.png");
    EXPECT_EQ(GetLevelBackground().name, "./assets/img//background.jpg");
}

TEST_F(LevelFile, GidsFindTheirTileThroughTheTileSetsFirstGid)
{
    LoadLevel(kSmall);
    EXPECT_EQ(GetTileImage(1, "background").name, "./assets/img/Green/ground.png");
    EXPECT_EQ(GetTileImage(8, "background").name, "./assets/img/Green/decoration.png");
    EXPECT_EQ(&GetTileImage(8, "background"), &CurrentLevel().tileTextures[6]) << "the live entry";
    EXPECT_EQ(GetTileImage(7, "background").name, "./assets/img/missingTex.png") << "tile 6 was skipped";
    EXPECT_EQ(GetTileImage(99, "background").name, "./assets/img/missingTex.png");
    EXPECT_EQ(GetTileImage(21, "foreground").name, "./assets/img/Green/platform.png")
        << "the foreground reads against the second reference";
}

TEST_F(LevelFile, WithOneTileSetTheForegroundReadsAgainstIt)
{
    MapText map;
    LoadLevel(Write("one.json", map.Json()));
    EXPECT_EQ(GetTileImage(2, "foreground").name, "./assets/img/platform.png");
}

TEST_F(LevelFile, AMapWithoutANameKeepsThePreviousOne)
{
    LoadLevel(kSmall);
    UnloadLevel();
    UnloadTileset();
    MapText map;
    map.extra = R"("properties": {"Color": "Ice"})";
    LoadLevel(Write("unnamed.json", map.Json()));
    EXPECT_EQ(GetLevelName(), "Small");
    EXPECT_EQ(CurrentLevel().Color, "Ice");

    UnloadLevel();
    UnloadTileset();
    map.extra = "";
    LoadLevel(Write("bare.json", map.Json()));
    EXPECT_EQ(GetLevelName(), "Small");
}

TEST_F(LevelFile, UnloadingForgetsTheMapAndThenTheTileSet)
{
    LoadLevel(kSmall);
    CurrentLevel().spawnPoints.push_back({1.0f, 2.0f, 1.0f, 1.0f});
    UnloadLevel();
    const Level& level = CurrentLevel();
    EXPECT_EQ(level.path, "");
    EXPECT_EQ(GetLevelSize(), std::make_pair(0, 0));
    EXPECT_TRUE(level.background.empty());
    EXPECT_TRUE(level.foreground.empty());
    EXPECT_TRUE(level.objects.empty());
    EXPECT_TRUE(level.tilesets.empty());
    EXPECT_TRUE(GetSpawnPoints().empty());
    EXPECT_EQ(level.Name, "Small");
    EXPECT_EQ(level.Color, "Green");
    EXPECT_EQ(level.tilewidth, 32);
    EXPECT_EQ(level.tiles.size(), 7u);

    UnloadTileset();
    EXPECT_EQ(level.tilesetName, "");
    EXPECT_EQ(level.Color, "");
    EXPECT_TRUE(level.tiles.empty());
    EXPECT_TRUE(level.tileTextures.empty());
}

TEST_F(LevelFile, LoadingAgainWithoutUnloadingAddsToTheLists)
{
    LoadLevel(kSmall);
    LoadLevel(kSmall);
    EXPECT_EQ(CurrentLevel().objects.size(), 10u);
    EXPECT_EQ(CurrentLevel().tiles.size(), 14u);
    EXPECT_EQ(CurrentLevel().background.size(), 12u) << "the tile layers are made afresh";
}

TEST_F(LevelFile, AFileWithoutATypeLoadsAsNothing)
{
    const std::string path = Write("untyped.json", R"({"width": 3, "height": 3})");
    EXPECT_EQ(Failure(path), "");
    EXPECT_EQ(GetLevelSize(), std::make_pair(0, 0));
    EXPECT_TRUE(CurrentLevel().tiles.empty());
}

using LevelErrors = LevelTest;

TEST_F(LevelErrors, AMissingFile)
{
    EXPECT_EQ(Failure("tests/data/level/no-such-map.json"), "Could not load file: tests/data/level/no-such-map.json");
}

TEST_F(LevelErrors, AFileThatDoesNotParse)
{
    const std::string path = Write("broken.json", R"({"type": "map", "width": 4,)");
    const std::string message = Failure(path);
    EXPECT_EQ(message.rfind("Could not parse file", 0), 0u) << message;
    EXPECT_TRUE(EndsWith(message, ": " + path)) << message;
    EXPECT_NE(message.find("at byte"), std::string::npos) << message;
    EXPECT_EQ(CurrentLevel().path, "") << "a failed load changes nothing";

    EXPECT_TRUE(EndsWith(Failure(Write("empty.json", "")), "empty.json"));
}

TEST_F(LevelErrors, AFileThatIsNotAMap)
{
    const std::string tileset = Write("tileset.json", R"({"type": "tileset", "name": "x"})");
    EXPECT_EQ(Failure(tileset), "Map file is not a map file!: " + tileset);
    const std::string list = Write("list.json", "[1, 2, 3]");
    EXPECT_EQ(Failure(list), "Map file is not a map file!: " + list);
}

TEST_F(LevelErrors, AMapOfNoSize)
{
    MapText map;
    map.size = R"("width": 0, "height": 5, "tilewidth": 32, "tileheight": 32)";
    const std::string path = Write("flat.json", map.Json());
    EXPECT_EQ(Failure(path), "Level Dimension: 0 Error: " + path);
    EXPECT_EQ(GetLevelSize(), std::make_pair(0, 0)) << "a failed load changes nothing";

    map.size = R"("width": 3, "height": -2, "tilewidth": 32, "tileheight": 32)";
    EXPECT_EQ(Failure(Write("negative.json", map.Json())).rfind("Level Dimension: 0 Error", 0), 0u);
    map.size = R"("width": 3, "height": 3, "tilewidth": 0, "tileheight": 32)";
    EXPECT_EQ(Failure(Write("thin.json", map.Json())).rfind("Level Dimension: 0 Error", 0), 0u);
}

TEST_F(LevelErrors, AMapTooLargeToHold)
{
    MapText map;
    map.size = R"("width": 100000, "height": 100000, "tilewidth": 32, "tileheight": 32)";
    const std::string path = Write("huge.json", map.Json());
    const std::string message = Failure(path);
    EXPECT_NE(message.find("too large"), std::string::npos) << message;
    EXPECT_TRUE(EndsWith(message, path));
}

TEST_F(LevelErrors, MissingOrMistypedKeysAreNamed)
{
    struct Case {
        const char* name;
        MapText map;
        const char* mentions;
    };
    MapText noWidth;
    noWidth.size = R"("height": 2, "tilewidth": 32, "tileheight": 32)";
    MapText textWidth;
    textWidth.size = R"("width": "2", "height": 2, "tilewidth": 32, "tileheight": 32)";
    MapText layersObject;
    layersObject.layers = R"("layers": {"name": "Background"})";
    MapText noData;
    noData.layers = R"("layers": [{"name": "Background", "width": 2, "height": 2}])";
    MapText noObjects;
    noObjects.layers = R"("layers": [{"name": "Zones"}])";
    MapText objectWithoutX;
    objectWithoutX.layers = R"("layers": [{"name": "SpawnPoints", "objects": [{"id": 1, "name": "P0",
        "type": "SpawnPoint", "y": 0, "width": 1, "height": 1, "rotation": 0}]}])";
    MapText portalWithoutDirection;
    portalWithoutDirection.layers = R"("layers": [{"name": "Portals", "objects": [{"id": 1, "name": "P",
        "type": "Portal", "x": 0, "y": 0, "width": 1, "height": 1, "rotation": 0, "properties": {}}]}])";
    MapText colourNumber;
    colourNumber.extra = R"("properties": {"Color": 3})";
    const Case cases[] = {
        {"no-width.json", noWidth, "\"width\""},
        {"text-width.json", textWidth, "\"width\""},
        {"layers-object.json", layersObject, "\"layers\""},
        {"no-data.json", noData, "\"data\""},
        {"no-objects.json", noObjects, "\"objects\""},
        {"object-without-x.json", objectWithoutX, "\"x\""},
        {"portal-without-direction.json", portalWithoutDirection, "\"Direction\""},
        {"colour-number.json", colourNumber, "\"Color\""},
    };
    for (const Case& test : cases) {
        UnloadLevel();
        const std::string path = Write(test.name, test.map.Json());
        const std::string message = Failure(path);
        EXPECT_NE(message.find(test.mentions), std::string::npos) << test.name << ": " << message;
        EXPECT_TRUE(EndsWith(message, ": " + path)) << message;
    }
}

TEST_F(LevelErrors, ATileIdThatIsNotAWholeNumberOfTheRange)
{
    for (const char* gid : {"-1", "1.5", "\"3\"", "4294967297", "null"}) {
        UnloadLevel();
        MapText map;
        map.layers = std::string(R"("layers": [{"name": "Foreground", "width": 2, "height": 2, "data": [0, 0, )") +
                     gid + "]}]";
        const std::string path = Write("gid.json", map.Json());
        const std::string message = Failure(path);
        EXPECT_NE(message.find("index 2"), std::string::npos) << gid << ": " << message;
        EXPECT_TRUE(EndsWith(message, ": " + path)) << message;
    }
}

TEST_F(LevelErrors, ADataArrayShorterOrLongerThanTheMapIsCutToTheMap)
{
    MapText map;
    map.layers = R"("layers": [{"name": "Background", "width": 2, "height": 2, "data": [5]},
                              {"name": "Foreground", "width": 3, "height": 2, "data": [1, 2, 3, 4, 5, 6]}])";
    const std::string path = Write("mismatch.json", map.Json());
    const std::vector<std::string> warnings = Warnings(path);
    EXPECT_EQ(CurrentLevel().background, (std::vector<int>{5, 0, 0, 0}));
    EXPECT_EQ(CurrentLevel().foreground, (std::vector<int>{1, 2, 3, 4}));
    ASSERT_GE(warnings.size(), 2u);
    EXPECT_NE(warnings[0].find("\"Background\" has 1 tile ids"), std::string::npos) << warnings[0];
    EXPECT_NE(warnings[1].find("\"Foreground\" has 6 tile ids"), std::string::npos) << warnings[1];
    EXPECT_TRUE(EndsWith(warnings[0], path));
    EXPECT_TRUE(EndsWith(warnings[1], path));
}

TEST_F(LevelErrors, AMissingTileLayerIsEmpty)
{
    MapText map;
    map.layers = R"("layers": [{"name": "Background", "width": 2, "height": 2, "data": [1, 1, 1, 1]}])";
    const std::string path = Write("no-foreground.json", map.Json());
    const std::vector<std::string> warnings = Warnings(path);
    EXPECT_EQ(CurrentLevel().foreground, (std::vector<int>{0, 0, 0, 0}));
    EXPECT_TRUE(Contains(warnings, "The map has no \"Foreground\" layer; it is left empty: " + path));

    UnloadLevel();
    map.layers = "";
    Warnings(Write("no-layers.json", map.Json()));
    EXPECT_EQ(CurrentLevel().background, (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(CurrentLevel().foreground, (std::vector<int>{0, 0, 0, 0}));
}

TEST_F(LevelErrors, AMapWithoutATileSetDrawsMissingTiles)
{
    MapText map;
    map.tilesets = R"("tilesets": [{"source": "tiles.json"}])";
    const std::string path = Write("no-tileset.json", map.Json());
    const std::vector<std::string> warnings = Warnings(path);
    EXPECT_TRUE(CurrentLevel().tiles.empty());
    EXPECT_EQ(GetTileImage(1, "background").name, "./assets/img/missingTex.png");
    ASSERT_FALSE(warnings.empty());
    EXPECT_TRUE(EndsWith(warnings.back(), path));
}

TEST_F(LevelErrors, AMissingOrWrongTileSet)
{
    MapText map;
    map.tilesets = R"("tilesets": [{"firstgid": 1, "source": "no-such-tiles.json"}])";
    EXPECT_EQ(Failure(Write("lost.json", map.Json())), "Could not load file: ./assets/levels/no-such-tiles.json");

    UnloadLevel();
    map.tilesets = R"("tilesets": [{"firstgid": 1, "source": "../../tests/data/level/small.json"}])";
    EXPECT_EQ(Failure(Write("wrong.json", map.Json())),
              "Improper tileset file!: ./assets/levels/../../tests/data/level/small.json");
}

TEST_F(LevelErrors, ABadTileSetNamesItself)
{
    const std::string tileset = Write("tiles.json", R"({"type": "tileset", "name": "bad",
        "tiles": {"0": {"image": "a.png", "imagewidth": 64}}, "tileproperties": {}})");
    const std::string relative = fs::relative(tileset, "assets/levels").generic_string();
    MapText map;
    map.tilesets = R"("tilesets": [{"firstgid": 1, "source": ")" + relative + R"("}])";
    const std::string message = Failure(Write("map.json", map.Json()));
    EXPECT_NE(message.find("\"imageheight\""), std::string::npos) << message;
    EXPECT_TRUE(EndsWith(message, ": ./assets/levels/" + relative)) << message;

    UnloadLevel();
    Write("tiles.json", R"({"type": "tileset", "name": "bad", "tiles": {"0": {"image": "a.png", "imagewidth": 64,
        "imageheight": 64}}, "tileproperties": {"0": true}})");
    EXPECT_TRUE(EndsWith(Failure(Write("map.json", map.Json())), relative));

    UnloadLevel();
    Write("tiles.json", R"({"type": "tileset", "name": "bad", "tiles": [}})");
    EXPECT_EQ(Failure(Write("map.json", map.Json())).rfind("Could not parse file", 0), 0u);
}

TEST_F(LevelErrors, TileIdsThatTheTileSetLacksAreReportedAndDrawnAsMissing)
{
    MapText map;
    map.layers = R"("layers": [{"name": "Background", "width": 2, "height": 2, "data": [0, 99, 0, 1]},
                              {"name": "Foreground", "width": 2, "height": 2, "data": [7, 0, 0, 0]}])";
    const std::string path = Write("unknown.json", map.Json());
    const std::vector<std::string> warnings = Warnings(path);
    EXPECT_TRUE(Contains(warnings, "2 cells hold tile ids that the tile set does not have; they are drawn as the "
                                   "missing tile: " + path));
    EXPECT_EQ(GetTileImage(99, "background").name, "./assets/img/missingTex.png");
}

TEST_F(LevelErrors, LayoutsAndValuesTheGameDoesNotReadAreRefusedAndTheLoadedLevelStays)
{
    // The game unloads the map before loading the next; its tile set, Name
    // and Color stay until then.
    LoadLevel(kSmall);
    UnloadLevel();
    const Level before = CurrentLevel();

    // A tile set written next to the maps, reached from assets/levels.
    const std::string tiles = fs::relative(scratch / "tiles.json", "assets/levels").generic_string();
    MapText ownTiles;
    ownTiles.tilesets = R"("tilesets": [{"firstgid": 1, "source": ")" + tiles + R"("}])";
    MapText firstgid;
    firstgid.tilesets = R"("tilesets": [{"firstgid": 2147483600, "source": "tiles.json"}])";
    MapText externalXml;
    externalXml.tilesets = R"("tilesets": [{"firstgid": 1, "source": "tiles.tsx"}])";
    MapText base64;
    base64.layers = R"("layers": [{"name": "Background", "width": 2, "height": 2, "encoding": "base64",
                                   "data": "AQAAAAEAAAABAAAAAQAAAA=="}])";
    MapText compressed;
    compressed.layers = R"("layers": [{"name": "Foreground", "width": 2, "height": 2, "compression": "zlib",
                                       "data": [1, 1, 1, 1]}])";
    // Whatever the tile layer is called, or with no name at all.
    MapText otherName;
    otherName.layers = R"("layers": [{"name": "Tile Layer 1", "type": "tilelayer", "width": 2, "height": 2,
                                      "encoding": "base64", "data": "AQAAAAEAAAABAAAAAQAAAA=="}])";
    MapText unnamed;
    unnamed.layers = R"("layers": [{"type": "tilelayer", "width": 2, "height": 2, "compression": "zstd",
                                    "data": [1, 1, 1, 1]}])";
    MapText chunks;
    chunks.layers = R"("layers": [{"name": "Foreground", "chunks": [{"x": 0, "y": 0, "width": 2, "height": 2,
                                   "data": [1, 1, 1, 1]}]}])";
    MapText infinite;
    infinite.extra = R"("infinite": true)";
    MapText isometric;
    isometric.extra = R"("orientation": "isometric")";
    MapText propertyList;
    propertyList.extra = R"("properties": [{"name": "Color", "type": "string", "value": "Green"}])";
    MapText climbingColour;
    climbingColour.extra = R"("properties": {"Color": "../../.."})";
    MapText negativeObject;
    negativeObject.layers = R"("layers": [{"name": "Zones", "objects": [{"id": 1, "name": "Z", "type": "Zone",
        "x": 0, "y": 0, "width": -64, "height": 64, "rotation": 0}]}])";
    // A checkerboard of solid tiles: every tile its own collider.
    MapText checkerboard;
    checkerboard.size = R"("width": 48, "height": 48, "tilewidth": 32, "tileheight": 32)";
    std::string cells;
    for (int i = 0; i < 48 * 48; ++i)
        cells += std::string(i ? "," : "") + (((i / 48 + i % 48) % 2) ? "1" : "0");
    checkerboard.layers = R"("layers": [{"name": "Foreground", "width": 48, "height": 48, "data": [)" + cells + "]}]";

    struct Case {
        MapText map;
        const char* mentions;
        std::string tile = R"({"image": "a.png", "imagewidth": 64, "imageheight": 64})";
    };
    const Case cases[] = {
        {firstgid, "\"firstgid\""},
        {externalXml, "\"tiles.tsx\" is not a JSON file"},
        {base64, "base64"},
        {compressed, "compressed"},
        {otherName, "Layer \"Tile Layer 1\" holds base64"},
        {unnamed, "Layer 0 holds compressed"},
        {chunks, "infinite"},
        {infinite, "infinite"},
        {isometric, "orthogonal"},
        {propertyList, "\"properties\" as an array"},
        {climbingColour, "leads out of the images folder"},
        {negativeObject, "negative size"},
        {checkerboard, "more than 1000 colliders"},
        {ownTiles, "leads out", R"({"image": "../../secret.png", "imagewidth": 64, "imageheight": 64})"},
        {ownTiles, "leads out", R"({"image": "/etc/passwd", "imagewidth": 64, "imageheight": 64})"},
        {ownTiles, "not above 0", R"({"image": "a.png", "imagewidth": 0, "imageheight": 64})"},
        {ownTiles, "too large", R"({"image": "a.png", "imagewidth": 1e39, "imageheight": 64})"},
    };
    for (const auto& [map, mentions, tile] : cases) {
        Write("tiles.json", R"({"type": "tileset", "name": "t", "tiles": {"0": )" + tile + "}}");
        const std::string path = Write("refused.json", map.Json());
        const std::string message = Failure(path);
        EXPECT_NE(message.find(mentions), std::string::npos) << mentions << ": " << message;
        EXPECT_FALSE(message.empty() || message.back() == ' ') << mentions;
        const Level& level = CurrentLevel();
        EXPECT_EQ(level.path, before.path) << mentions;
        EXPECT_EQ(GetLevelSize(), std::make_pair(before.width, before.height)) << mentions;
        EXPECT_EQ(level.foreground, before.foreground) << mentions;
        EXPECT_EQ(level.objects.size(), before.objects.size()) << mentions;
        EXPECT_EQ(level.tiles.size(), before.tiles.size()) << mentions;
        EXPECT_EQ(level.Color, before.Color) << mentions;
    }

    // Tiled's array of tiles in a tile set is named as well.
    Write("tiles.json", R"({"type": "tileset", "name": "t", "tiles": [{"id": 0, "image": "a.png"}]})");
    EXPECT_NE(Failure(Write("listed.json", ownTiles.Json())).find("\"tiles\" as an array"), std::string::npos);
}

TEST_F(LevelFile, TileIdsArePlainDecimalAndSpawnerTypesStayInRange)
{
    const std::string tiles = fs::relative(scratch / "tiles.json", "assets/levels").generic_string();
    Write("tiles.json", R"({"type": "tileset", "name": "t", "tiles": {
        "0": {"image": "a.png", "imagewidth": 64, "imageheight": 64},
        "01": {"image": "b.png", "imagewidth": 64, "imageheight": 64},
        "-1": {"image": "c.png", "imagewidth": 64, "imageheight": 64},
        "+2": {"image": "d.png", "imagewidth": 64, "imageheight": 64},
        "3 ": {"image": "e.png", "imagewidth": 64, "imageheight": 64},
        "99999999999": {"image": "f.png", "imagewidth": 64, "imageheight": 64},
        "12": {"image": "g.png", "imagewidth": 64, "imageheight": 64}},
        "tileproperties": {"0": {"Spawner": true, "SpawnerType": -4}, "12": {"Spawner": true, "SpawnerType": 2}}})");
    MapText map;
    map.tilesets = R"("tilesets": [{"firstgid": 1, "source": ")" + tiles + R"("}])";
    Warnings(Write("ids.json", map.Json()));
    const Level& level = CurrentLevel();
    ASSERT_EQ(level.tiles.size(), 2u);
    EXPECT_EQ(level.tiles[0].id, 0);
    EXPECT_EQ(level.tiles[0].SpawnerType, 0) << "a negative type is a normal spawner";
    EXPECT_EQ(level.tiles[1].id, 12);
    EXPECT_EQ(level.tiles[1].SpawnerType, 2);
    EXPECT_EQ(GetTileImage(13, "background").name, "./assets/img/g.png");
    EXPECT_EQ(GetTileImage(2, "background").name, "./assets/img/missingTex.png") << "\"01\" is no tile id";
}

// The maps shipped with the game.

bool IsChecker(unsigned id)
{
    GLint width = 0;
    GLint height = 0;
    glBindTexture(GL_TEXTURE_2D, id);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    return width == 2 && height == 2;
}

using GameLevels = LevelTest;

TEST_F(GameLevels, EveryMapLoadsWithItsTilesAndBackground)
{
    int maps = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator("assets/levels")) {
        if (entry.path().extension() != ".json")
            continue;
        const std::string text = FileText(entry.path());
        if (text.find("\"type\": \"map\"") == std::string::npos && text.find("\"type\":\"map\"") == std::string::npos)
            continue;
        ++maps;
        const std::string path = "./" + entry.path().generic_string();
        SCOPED_TRACE(path);
        UnloadLevel();
        UnloadTileset();
        std::vector<std::string> warnings;
        ASSERT_NO_THROW(warnings = Warnings(path));
        EXPECT_TRUE(warnings.empty()) << warnings.front();
        const Level& level = CurrentLevel();
        const std::size_t cells = static_cast<std::size_t>(level.width) * level.height;
        EXPECT_GT(cells, 0u);
        EXPECT_EQ(level.background.size(), cells);
        EXPECT_FALSE(level.Name.empty());
        EXPECT_FALSE(level.objects.empty());
        ASSERT_FALSE(level.tiles.empty());
        for (const Texture& texture : level.tileTextures)
            EXPECT_FALSE(IsChecker(texture.id)) << texture.name << " did not decode";
        const Texture background = GetLevelBackground();
        EXPECT_FALSE(IsChecker(background.id)) << background.name << " did not decode";
    }
    EXPECT_GE(maps, 1);
}

} // namespace
