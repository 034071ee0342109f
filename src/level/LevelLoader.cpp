#include "level/Level.h"
#include "level/LevelJson.h"

#include "core/Trace.h"

#include <algorithm>
#include <climits>

namespace {

// A map of more cells than this is refused rather than allocated.
constexpr long long kMaxCells = 1LL << 22;

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
        if (!gid.IsInt64() || gid.GetInt64() < 0 || gid.GetInt64() > INT_MAX)
            json.Fail(what + " holds a tile id at index " + std::to_string(i) + " that is not a whole number from 0 to " +
                      std::to_string(INT_MAX));
        grid[i] = gid.GetInt();
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
    result.id = json.Int(object, "id", what);
    result.name = json.String(object, "name", what);
    result.type = json.String(object, "type", what);
    auto visible = object.FindMember("visible");
    result.visible = visible != object.MemberEnd() && visible->value.IsTrue();
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
            if (nameMember == layer.MemberEnd() || !nameMember->value.IsString())
                continue;
            const std::string name = nameMember->value.GetString();
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
        level.tilesets.push_back({firstgid->value.GetInt(), std::string("./assets/levels/") + source->value.GetString()});
    }
}

void ReadProperties(const LevelJson& json, Level& level)
{
    const rapidjson::Value* properties = json.OptionalObject(json.Root(), "properties", "The map");
    if (!properties) {
        level.Color = "";
        return;
    }
    level.Color = properties->HasMember("Color") ? json.String(*properties, "Color", "The map's \"properties\"") : "";
    if (properties->HasMember("Name"))
        level.Name = json.String(*properties, "Name", "The map's \"properties\"");
}

// Gids that no tile of the tile set answers are drawn as the missing tile;
// say so once for the whole map.
void ReportUnknownTiles(const std::string& path)
{
    Level& level = CurrentLevel();
    std::size_t unknown = 0;
    for (const std::vector<int>* layer : {&level.background, &level.foreground}) {
        for (int gid : *layer) {
            if (gid != 0 && &GetTileImage(gid, "background") == &level.missingTexture)
                ++unknown;
        }
    }
    if (unknown > 0) {
        Trace(std::to_string(unknown) + " cells hold tile ids that the tile set does not have; they are drawn as the "
                                        "missing tile: " + path,
              3);
    }
}

} // namespace

void LoadLevel(const std::string& path)
{
    Level& level = CurrentLevel();
    LevelJson json(path);
    level.path = path;
    json.Parse();
    const rapidjson::Value& root = json.Root();
    if (!root.IsObject())
        json.Fail("Map file is not a map file!");
    auto type = root.FindMember("type");
    if (type == root.MemberEnd())
        return;
    if (!type->value.IsString() || std::string(type->value.GetString()) != "map")
        json.Fail("Map file is not a map file!");

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
        return;
    }
    LoadTileset(level.tilesets.front().source);
    ReportUnknownTiles(path);
}
