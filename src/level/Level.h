#pragma once

#include "render/Texture.h"

#include <array>
#include <glm/glm.hpp>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

// The loaded level: what a map file and its tile-set file say, and what the
// level builder derives from them. Map files live in "./assets/levels/",
// tile images under "./assets/img/".

// One object of the map's object layers, in the map's pixel units: x and y
// are its top-left corner, y downwards.
struct MapObject {
    int id = 0;
    float rotation = 0.0f;
    bool visible = false;
    float width = 0.0f;
    float height = 0.0f;
    // Only objects of the "Portals" layer have one.
    std::string Direction;
    float x = 0.0f;
    float y = 0.0f;
    std::string name;
    std::string type;
};

struct TilesetRef {
    int firstgid = 0;
    // "./assets/levels/" + the map's "source".
    std::string source;
};

struct TileInfo {
    // The tile's id within its tile set.
    int id = 0;
    std::string image;
    float imagewidth = 0.0f;
    float imageheight = 0.0f;
    bool Passthrough = false;
    bool Collides = false;
    bool Spawner = false;
    // 0 normal, 1 giant, 2 golden; 3 when the tile names no spawner.
    int SpawnerType = 3;
};

// A rectangle in tiles: its centre and size.
struct LevelArea {
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
};

struct PortalInfo {
    std::string name;
    std::string Direction;
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
};

struct Level {
    // The map path as given; "" when no map is loaded.
    std::string path;
    std::string Name;
    // The image sub-folder of the tiles and the background.
    std::string Color;
    int width = 0;
    int height = 0;
    int tilewidth = 0;
    int tileheight = 0;
    // One gid per cell, row-major, row 0 at the top; 0 is an empty cell.
    std::vector<int> background;
    std::vector<int> foreground;
    // Every object of the object layers, in file order.
    std::vector<MapObject> objects;
    std::vector<TilesetRef> tilesets;

    std::string tilesetName;
    // Parallel lists: the i-th texture shows the i-th tile.
    std::vector<Texture> tileTextures;
    std::vector<TileInfo> tiles;
    // Tile id to the index of its first record.
    std::unordered_map<long long, std::size_t> tileIndex;

    // Filled by the level builder.
    std::vector<LevelArea> spawnPoints;
    std::vector<LevelArea> randomEventPoints;
    std::vector<PortalInfo> portals;

    // Drawn for a tile id that the tile set does not have.
    Texture missingTexture{"./assets/img/missingTex.png"};
    // Where the tutorial's A buttons stand; the last three sit in the gaps
    // that the hint texts leave for them.
    std::array<glm::vec2, 4> tutorialHints{
        glm::vec2(1.25f, -2.5f), glm::vec2(-6.3f, 3.5f), glm::vec2(31.25f, 0.6f), glm::vec2(-28.75f, 0.6f)};
};

Level& CurrentLevel();

// Reads a map file into the current level, then its first tile set, and
// loads the tile images. Lists are appended to, so unload the previous level
// first. Throws std::runtime_error, its message ending with the file's path,
// for a file that cannot be read or parsed, that is not a map, that is laid
// out in a way this game does not read, whose keys are missing or of the
// wrong type, or whose solid tiles need more colliders than the pool holds.
// A failed load leaves the current level as it was. A file without "type"
// loads as nothing.
void LoadLevel(const std::string& path);
// Reads a tile-set file into the current level and loads its images; as
// LoadLevel, a failure changes nothing.
void LoadTileset(const std::string& path);

// The reading half of those two, into any level record and without touching
// a texture: false for a file without "type".
bool ReadMapFile(const std::string& path, Level& level);
bool ReadTilesetFile(const std::string& path, Level& level);
// Loads every tile image of the level that is not loaded yet.
void LoadTileImages(Level& level);
// Forgets the map: path, size, tiles, objects, tile-set references and the
// builder's lists. Name, Color, tile sizes and the tile set stay.
void UnloadLevel();
// Forgets the tile set and the Color.
void UnloadTileset();

std::vector<LevelArea> GetSpawnPoints();
std::vector<LevelArea> GetRandomEventPoints();
// (width, height) in tiles.
std::pair<int, int> GetLevelSize();
std::string GetLevelName();
std::string GetLevelPath();
// "./assets/img/" + Color + "/background.jpg", loaded.
Texture GetLevelBackground();
// The texture of a gid, or the missing texture. Layer "foreground" reads
// the gid against the second tile-set reference, any other against the first.
Texture& GetTileImage(int gid, const std::string& layer);
