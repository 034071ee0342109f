#include "level/Level.h"
#include "level/LevelJson.h"

#include "core/Trace.h"
#include "render/TextureManager.h"

#include <charconv>

namespace {

// A tile id written as plain decimal text ("0", "17"; no sign, no leading
// zero), or false.
bool ParseTileId(const std::string& text, int& id)
{
    if (text.empty() || (text.size() > 1 && text[0] == '0') || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, id);
    return error == std::errc() && stop == end;
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
        // 0 normal, 1 giant, 2 golden; anything else is a normal spawner.
        auto type = values.FindMember("SpawnerType");
        const bool known = type != values.MemberEnd() && type->value.IsInt() && type->value.GetInt() >= 0 &&
                           type->value.GetInt() < 3;
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

bool ReadTilesetFile(const std::string& path, Level& level)
{
    const LevelJson json(path);
    const rapidjson::Value& root = json.Root();
    if (!root.IsObject())
        json.Fail("Improper tileset file!");
    auto type = root.FindMember("type");
    if (type == root.MemberEnd())
        return false;
    if (!type->value.IsString() || std::string(type->value.GetString()) != "tileset")
        json.Fail("Improper tileset file!");

    level.tilesetName = json.String(root, "name", "The tile set");
    auto listed = root.FindMember("tiles");
    if (listed != root.MemberEnd() && listed->value.IsArray())
        json.Fail("The tile set lists its \"tiles\" as an array, a layout this game does not read");
    const rapidjson::Value* tiles = json.OptionalObject(root, "tiles", "The tile set");
    if (!tiles)
        return true;
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
        json.RequireInsideFolder(tile.image, what + "'s image");
        tile.imagewidth = json.Number(member->value, "imagewidth", what);
        tile.imageheight = json.Number(member->value, "imageheight", what);
        if (!(tile.imagewidth > 0.0f) || !(tile.imageheight > 0.0f))
            json.Fail(what + " has an image size that is not above 0");
        ReadProperties(json, properties, key, tile);
        level.tileIndex.emplace(tile.id, level.tiles.size());
        level.tiles.push_back(tile);
        level.tileTextures.emplace_back(ImagePath(level.Color, tile.image));
    }
    return true;
}

void LoadTileImages(Level& level)
{
    for (Texture& texture : level.tileTextures)
        TextureManager::Get(texture);
}

void LoadTileset(const std::string& path)
{
    Level staged = CurrentLevel();
    if (!ReadTilesetFile(path, staged))
        return;
    LoadTileImages(staged);
    CurrentLevel() = std::move(staged);
}
