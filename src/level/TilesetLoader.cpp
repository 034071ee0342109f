#include "level/Level.h"
#include "level/LevelJson.h"

#include "core/Trace.h"
#include "render/TextureManager.h"

#include <charconv>

namespace {

// A tile id written as decimal text, or false.
bool ParseTileId(const std::string& text, int& id)
{
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, id);
    return !text.empty() && error == std::errc() && stop == end;
}

void ReadProperties(const LevelJson& json, const rapidjson::Value* properties, const std::string& key,
                    TileInfo& tile)
{
    if (!properties)
        return;
    auto entry = properties->FindMember(key.c_str());
    if (entry == properties->MemberEnd())
        return;
    const rapidjson::Value& values = entry->value;
    if (!values.IsObject())
        json.Fail("The \"tileproperties\" of tile " + key + " are not an object");
    auto flag = [&values](const char* name) {
        auto member = values.FindMember(name);
        return member != values.MemberEnd() && member->value.IsTrue();
    };
    tile.Collides = flag("Collides");
    tile.Passthrough = flag("Passthrough");
    if (values.HasMember("Spawner")) {
        tile.Spawner = flag("Spawner");
        auto type = values.FindMember("SpawnerType");
        const bool known = type != values.MemberEnd() && type->value.IsInt() && type->value.GetInt() < 3;
        tile.SpawnerType = known ? type->value.GetInt() : 0;
    }
}

std::string ImagePath(const std::string& color, const std::string& image)
{
    if (color.empty())
        return "./assets/img/" + image;
    return "./assets/img/" + color + "/" + image;
}

} // namespace

void LoadTileset(const std::string& path)
{
    Level& level = CurrentLevel();
    LevelJson json(path);
    json.Parse();
    const rapidjson::Value& root = json.Root();
    if (!root.IsObject())
        json.Fail("Improper tileset file!");
    auto type = root.FindMember("type");
    if (type == root.MemberEnd())
        return;
    if (!type->value.IsString() || std::string(type->value.GetString()) != "tileset")
        json.Fail("Improper tileset file!");

    level.tilesetName = json.String(root, "name", "The tile set");
    const rapidjson::Value* tiles = json.OptionalObject(root, "tiles", "The tile set");
    if (!tiles)
        return;
    const rapidjson::Value* properties = json.OptionalObject(root, "tileproperties", "The tile set");
    for (auto member = tiles->MemberBegin(); member != tiles->MemberEnd(); ++member) {
        const std::string key(member->name.GetString(), member->name.GetStringLength());
        TileInfo tile;
        if (!ParseTileId(key, tile.id)) {
            Trace("Tile " + key + " is skipped: its id is not a whole number: " + path, 3);
            continue;
        }
        const std::string what = "Tile " + key;
        tile.image = json.String(member->value, "image", what);
        tile.imagewidth = json.Number(member->value, "imagewidth", what);
        tile.imageheight = json.Number(member->value, "imageheight", what);
        ReadProperties(json, properties, key, tile);
        level.tiles.push_back(tile);
        level.tileTextures.emplace_back(ImagePath(level.Color, tile.image));
        TextureManager::Get(level.tileTextures.back());
    }
}
