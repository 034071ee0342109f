#include "level/Level.h"
#include "level/LevelBlocks.h"
#include "level/LevelJson.h"

#include "core/Trace.h"
#include "physics/ColliderPool.h"

#include <algorithm>
#include <cstdint>

namespace {

// A map of more cells than this is refused rather than allocated.
constexpr long long kMaxCells = 1LL << 22;
// The tile-map editor keeps flip flags in a gid's top four bits (31, 30, 29
// flip horizontally, vertically, diagonally; 28 rotates hexagonal tiles).
// The game draws tiles unflipped, so they are cleared.
constexpr std::uint32_t kGidFlagBits = 0xF0000000u;
constexpr int kMaxGid = 0x0FFFFFFF;

const char* const kObjectLayers[] = {"Zones", "RandomEvents", "Portals", "SpawnPoints"};

bool IsObjectLayer(const std::string& name)
{
    for (const char* layer : kObjectLayers) {
        if (name == layer)
            return true;
    }
    return false;
}

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

bool IsText(const rapidjson::Value& object, const char* key)
{
    auto member = object.FindMember(key);
    return member != object.MemberEnd() && member->value.IsString() && member->value.GetStringLength() > 0;
}

// Tile data packed as text, compressed or cut into chunks is written by the
// editor in layouts this game does not read; say so rather than load it
// empty. Any layer may hold it, whatever its name.
void RefuseUnreadLayout(const LevelJson& json, const rapidjson::Value& layer, const std::string& what)
{
    if (IsText(layer, "compression"))
        json.Fail(what + " holds compressed tile data, a layout this game does not read");
    auto encoding = layer.FindMember("encoding");
    const bool plain = encoding == layer.MemberEnd() ||
                       (encoding->value.IsString() && std::string(encoding->value.GetString()) == "csv");
    auto data = layer.FindMember("data");
    if (!plain || (data != layer.MemberEnd() && data->value.IsString()))
        json.Fail(what + " holds base64-encoded tile data, a layout this game does not read");
    if (layer.HasMember("chunks"))
        json.Fail(what + " holds chunks of an infinite map, a layout this game does not read");
}

// The layer's gids in a grid of the map's size. Extra gids are dropped and
// missing ones left empty, so a layer never holds more or fewer cells than
// the map.
std::vector<int> ReadTileLayer(const LevelJson& json, const rapidjson::Value& layer, const std::string& name,
                               const Level& level)
{
    const std::string what = "Layer " + Quoted(name);
    const rapidjson::Value& data = json.Array(layer, "data", what);
    const std::size_t cells = static_cast<std::size_t>(level.width) * static_cast<std::size_t>(level.height);
    std::vector<int> grid(cells, 0);
    const std::size_t count = std::min<std::size_t>(data.Size(), cells);
    for (std::size_t i = 0; i < count; ++i) {
        const rapidjson::Value& gid = data[static_cast<rapidjson::SizeType>(i)];
        if (!gid.IsUint())
            json.Fail(what + " holds a tile id at index " + std::to_string(i) +
                      " that is not a whole number from 0 to 4294967295");
        grid[i] = static_cast<int>(gid.GetUint() & ~kGidFlagBits);
    }
    if (data.Size() != cells) {
        Trace(what + " has " + std::to_string(data.Size()) + " tile ids for a map of " + std::to_string(level.width) +
                  " by " + std::to_string(level.height) + " tiles (" + std::to_string(cells) + " cells); " +
                  (data.Size() > cells ? "the extra ids are dropped" : "the missing cells are left empty") + ": " +
                  json.Path(),
              3);
    }
    return grid;
}

void RefusePropertyList(const LevelJson& json, const rapidjson::Value& object, const std::string& what)
{
    auto properties = object.FindMember("properties");
    if (properties != object.MemberEnd() && properties->value.IsArray())
        json.Fail(what + " lists its \"properties\" as an array, a layout this game does not read");
}

MapObject ReadObject(const LevelJson& json, const rapidjson::Value& object, const std::string& layerName,
                     std::size_t index)
{
    const std::string what = "Object " + std::to_string(index) + " of layer " + Quoted(layerName);
    MapObject result;
    result.height = json.Number(object, "height", what);
    result.width = json.Number(object, "width", what);
    result.x = json.Number(object, "x", what);
    result.y = json.Number(object, "y", what);
    result.rotation = json.Number(object, "rotation", what);
    if (result.width < 0.0f || result.height < 0.0f)
        json.Fail(what + " has a negative size");
    result.id = json.Int(object, "id", what);
    result.name = json.String(object, "name", what);
    result.type = json.String(object, "type", what);
    auto visible = object.FindMember("visible");
    result.visible = visible != object.MemberEnd() && visible->value.IsTrue();
    RefusePropertyList(json, object, what);
    if (layerName == "Portals") {
        const rapidjson::Value& properties = json.Object(object, "properties", what);
        result.Direction = json.String(properties, "Direction", what + "'s \"properties\"");
    }
    return result;
}

void ReadLayers(const LevelJson& json, Level& level)
{
    const rapidjson::Value* layers = json.OptionalArray(json.Root(), "layers", "The map");
    bool haveBackground = false;
    bool haveForeground = false;
    if (layers) {
        for (rapidjson::SizeType i = 0; i < layers->Size(); ++i) {
            const rapidjson::Value& layer = (*layers)[i];
            if (!layer.IsObject())
                json.Fail("Layer " + std::to_string(i) + " is not an object");
            auto nameMember = layer.FindMember("name");
            const bool named = nameMember != layer.MemberEnd() && nameMember->value.IsString();
            const std::string name = named ? nameMember->value.GetString() : "";
            RefuseUnreadLayout(json, layer, named ? "Layer " + Quoted(name) : "Layer " + std::to_string(i));
            if (!named)
                continue;
            if (name == "Background") {
                level.background = ReadTileLayer(json, layer, name, level);
                haveBackground = true;
            } else if (name == "Foreground") {
                level.foreground = ReadTileLayer(json, layer, name, level);
                haveForeground = true;
            } else if (IsObjectLayer(name)) {
                const rapidjson::Value& objects = json.Array(layer, "objects", "Layer " + Quoted(name));
                for (rapidjson::SizeType j = 0; j < objects.Size(); ++j)
                    level.objects.push_back(ReadObject(json, objects[j], name, j));
            }
        }
    }
    const std::size_t cells = static_cast<std::size_t>(level.width) * static_cast<std::size_t>(level.height);
    if (!haveBackground) {
        Trace("The map has no \"Background\" layer; it is left empty: " + json.Path(), 3);
        level.background.assign(cells, 0);
    }
    if (!haveForeground) {
        Trace("The map has no \"Foreground\" layer; it is left empty: " + json.Path(), 3);
        level.foreground.assign(cells, 0);
    }
}

void ReadTilesetRefs(const LevelJson& json, Level& level)
{
    const rapidjson::Value* tilesets = json.OptionalArray(json.Root(), "tilesets", "The map");
    if (!tilesets)
        return;
    for (const rapidjson::Value& entry : tilesets->GetArray()) {
        if (!entry.IsObject())
            continue;
        auto firstgid = entry.FindMember("firstgid");
        auto source = entry.FindMember("source");
        if (firstgid == entry.MemberEnd() || !firstgid->value.IsInt() || source == entry.MemberEnd() ||
            !source->value.IsString()) {
            Trace("A \"tilesets\" entry without a whole \"firstgid\" and a \"source\" is skipped: " + json.Path(), 3);
            continue;
        }
        const int first = firstgid->value.GetInt();
        if (first < 0 || first > kMaxGid)
            json.Fail("A \"tilesets\" entry has a \"firstgid\" outside 0 to " + std::to_string(kMaxGid));
        const std::string name = source->value.GetString();
        if (name.size() < 5 || name.compare(name.size() - 5, 5, ".json") != 0)
            json.Fail("The tile set \"" + name + "\" is not a JSON file, the only tile sets this game reads");
        level.tilesets.push_back({first, "./assets/levels/" + name});
    }
}

void ReadProperties(const LevelJson& json, Level& level)
{
    RefusePropertyList(json, json.Root(), "The map");
    const rapidjson::Value* properties = json.OptionalObject(json.Root(), "properties", "The map");
    if (!properties) {
        level.Color = "";
        return;
    }
    level.Color = properties->HasMember("Color") ? json.String(*properties, "Color", "The map's \"properties\"") : "";
    json.RequireInsideFolder(level.Color, "The map's \"Color\" folder");
    if (properties->HasMember("Name"))
        level.Name = json.String(*properties, "Name", "The map's \"properties\"");
}

// Gids that no tile of the tile set answers are drawn as the missing tile;
// say so once for the whole map.
void ReportUnknownTiles(const Level& level, const std::string& path)
{
    std::size_t unknown = 0;
    for (const std::vector<int>* layer : {&level.background, &level.foreground}) {
        for (int gid : *layer) {
            if (gid != 0 && !FindTile(level, gid))
                ++unknown;
        }
    }
    if (unknown > 0) {
        Trace(std::to_string(unknown) + " cells hold tile ids that the tile set does not have; they are drawn as the "
                                        "missing tile: " + path,
              3);
    }
}

// The pool's colliders are shared by the whole match; a level whose solid
// tiles, platforms, zones and portals alone would need more is refused.
void RequireColliders(const LevelJson& json, const Level& level)
{
    std::size_t needed = PlanLevelBlocks(MakeKindGrid(level), kBoxColliderCount + 1).size();
    for (const MapObject& object : level.objects) {
        if (object.type != "RandomEvent" && object.type != "SpawnPoint")
            ++needed;
    }
    if (needed > kBoxColliderCount) {
        json.Fail("The level needs more than " + std::to_string(kBoxColliderCount) +
                  " colliders for its solid tiles, platforms, zones and portals, more than the game has");
    }
}

} // namespace

bool ReadMapFile(const std::string& path, Level& level)
{
    const LevelJson json(path);
    level.path = path;
    const rapidjson::Value& root = json.Root();
    if (!root.IsObject())
        json.Fail("Map file is not a map file!");
    auto type = root.FindMember("type");
    if (type == root.MemberEnd())
        return false;
    if (!type->value.IsString() || std::string(type->value.GetString()) != "map")
        json.Fail("Map file is not a map file!");
    auto orientation = root.FindMember("orientation");
    if (orientation != root.MemberEnd() &&
        !(orientation->value.IsString() && std::string(orientation->value.GetString()) == "orthogonal"))
        json.Fail("The map is not orthogonal, the only orientation this game reads");
    auto infinite = root.FindMember("infinite");
    if (infinite != root.MemberEnd() && infinite->value.IsTrue())
        json.Fail("The map is infinite, a layout this game does not read");

    level.width = json.Int(root, "width", "The map");
    level.height = json.Int(root, "height", "The map");
    level.tileheight = json.Int(root, "tileheight", "The map");
    level.tilewidth = json.Int(root, "tilewidth", "The map");
    if (level.width <= 0 || level.height <= 0 || level.tilewidth <= 0 || level.tileheight <= 0)
        json.Fail("Level Dimension: 0 Error");
    if (static_cast<long long>(level.width) * level.height > kMaxCells)
        json.Fail("Level is too large (" + std::to_string(level.width) + " by " + std::to_string(level.height) +
                  " tiles)");

    ReadLayers(json, level);
    ReadTilesetRefs(json, level);
    ReadProperties(json, level);

    if (level.tilesets.empty()) {
        Trace("The map names no tile set; every tile is drawn as the missing tile: " + path, 3);
        return true;
    }
    ReadTilesetFile(level.tilesets.front().source, level);
    RequireColliders(json, level);
    ReportUnknownTiles(level, path);
    return true;
}

void LoadLevel(const std::string& path)
{
    Level staged = CurrentLevel();
    if (!ReadMapFile(path, staged)) {
        CurrentLevel().path = path;
        return;
    }
    LoadTileImages(staged);
    CurrentLevel() = std::move(staged);
}
