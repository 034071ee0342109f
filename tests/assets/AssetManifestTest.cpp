#include <SDL.h>
#include <SDL_mixer.h>
#include <SOIL/SOIL.h>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <gtest/gtest.h>
#include <rapidjson/document.h>
#include <rapidjson/istreamwrapper.h>
#include <set>
#include <string>
#include <vector>

// Walks the game's data tree the way the game reads it: every named file is
// there, every image decodes, every sound loads, every JSON file parses and
// has what its reader needs, and every map uses only tiles that exist.
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> FilesUnder(const fs::path& folder, const std::set<std::string>& extensions)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file() && extensions.count(entry.path().extension().string()))
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

bool Parse(const fs::path& path, rapidjson::Document& document)
{
    std::ifstream stream(path);
    if (!stream)
        return false;
    rapidjson::IStreamWrapper wrapper(stream);
    document.ParseStream(wrapper);
    return !document.HasParseError();
}

void ExpectMembers(const rapidjson::Value& object, const std::vector<std::pair<const char*, rapidjson::Type>>& keys,
                   const std::string& where)
{
    ASSERT_TRUE(object.IsObject()) << where;
    for (const auto& [key, type] : keys) {
        auto member = object.FindMember(key);
        ASSERT_NE(member, object.MemberEnd()) << where << " lacks \"" << key << "\"";
        const bool isBool = type == rapidjson::kTrueType || type == rapidjson::kFalseType;
        if (type == rapidjson::kNumberType)
            EXPECT_TRUE(member->value.IsNumber()) << where << " \"" << key << "\" is not a number";
        else if (isBool)
            EXPECT_TRUE(member->value.IsBool()) << where << " \"" << key << "\" is not a boolean";
        else
            EXPECT_EQ(member->value.GetType(), type) << where << " \"" << key << "\" has the wrong type";
    }
}

constexpr auto kNumber = rapidjson::kNumberType;
constexpr auto kString = rapidjson::kStringType;
constexpr auto kBool = rapidjson::kTrueType;
constexpr auto kArray = rapidjson::kArrayType;
constexpr auto kObject = rapidjson::kObjectType;

TEST(AssetManifest, EveryNamedFileExists)
{
    std::ifstream list("tests/data/assets/named_files.txt");
    ASSERT_TRUE(list);
    std::string path;
    int count = 0;
    while (std::getline(list, path)) {
        if (path.empty())
            continue;
        ++count;
        EXPECT_TRUE(fs::exists(path)) << path;
    }
    EXPECT_GT(count, 70);
}

TEST(AssetManifest, EveryImageDecodes)
{
    const auto images = FilesUnder("assets", {".png", ".jpg"});
    EXPECT_GT(images.size(), 100u);
    for (const fs::path& image : images) {
        int width = 0, height = 0, channels = 0;
        unsigned char* pixels = SOIL_load_image(image.c_str(), &width, &height, &channels, SOIL_LOAD_RGBA);
        EXPECT_NE(pixels, nullptr) << image << ": " << SOIL_last_result();
        EXPECT_GT(width, 0) << image;
        EXPECT_GT(height, 0) << image;
        SOIL_free_image_data(pixels);
    }
}

TEST(AssetManifest, EverySoundLoads)
{
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024), 0) << Mix_GetError();
    Mix_Init(MIX_INIT_MP3);
    const auto sounds = FilesUnder("assets/sound", {".wav", ".mp3"});
    EXPECT_GE(sounds.size(), 25u);
    for (const fs::path& sound : sounds) {
        Mix_Chunk* chunk = Mix_LoadWAV(sound.c_str());
        EXPECT_NE(chunk, nullptr) << sound << ": " << Mix_GetError();
        if (chunk) {
            EXPECT_GT(chunk->alen, 4410u) << sound;
            Mix_FreeChunk(chunk);
        }
    }
    Mix_CloseAudio();
    Mix_Quit();
    SDL_Quit();
}

TEST(AssetManifest, EveryJsonFileParses)
{
    for (const fs::path& file : FilesUnder("assets", {".json"})) {
        rapidjson::Document document;
        EXPECT_TRUE(Parse(file, document)) << file;
    }
}

TEST(AssetManifest, ArchetypesNameTheirComponentsAndImages)
{
    const std::vector<std::string> archetypes = {"playerA", "playerB", "playerC", "playerD", "fistA", "fistB",
                                                 "aliendude", "aliengiant", "aliengolden", "slimebox",
                                                 "slimemagazine"};
    for (const std::string& name : archetypes) {
        const std::string path = "assets/json/" + name + ".json";
        rapidjson::Document document;
        ASSERT_TRUE(Parse(path, document)) << path;
        ExpectMembers(document, {{"name", kString}, {"components", kArray}}, path);
        for (const auto& component : document["components"].GetArray()) {
            ExpectMembers(component, {{"type", kString}}, path);
            if (component.HasMember("filename") && component["filename"].IsString()) {
                const std::string image = component["filename"].GetString();
                EXPECT_TRUE(fs::exists(image)) << path << " names " << image;
            }
        }
    }
}

TEST(AssetManifest, DataFilesHaveTheKeysTheirReadersNeed)
{
    rapidjson::Document globals;
    ASSERT_TRUE(Parse("assets/json/characterGlobalsDefault.json", globals));
    ExpectMembers(globals,
                  {{"acceleration", kNumber}, {"jumpspeed", kNumber}, {"maxspeed", kNumber}, {"gravity", kNumber},
                   {"drag", kNumber}},
                  "characterGlobalsDefault.json");
    EXPECT_LT(globals["gravity"].GetDouble(), 0.0);
    EXPECT_GE(globals["drag"].GetDouble(), 1.0);

    rapidjson::Document spawner;
    ASSERT_TRUE(Parse("assets/json/aitest.json", spawner));
    ExpectMembers(spawner, {{"type", kString}, {"AI Types", kArray}}, "aitest.json");
    std::set<std::string> kinds;
    for (const auto& kind : spawner["AI Types"].GetArray()) {
        ExpectMembers(kind,
                      {{"type", kString}, {"canJump", kBool}, {"jumpRate", kNumber}, {"weight", kNumber},
                       {"moveSpeed", kNumber}, {"spawnRate", kNumber}, {"maxAlive", kNumber}},
                      "aitest.json");
        kinds.insert(kind["type"].GetString());
    }
    EXPECT_EQ(kinds, (std::set<std::string>{"normal", "golden", "giant"}));

    for (const char* set : {"CharacterSounds", "GameSounds"}) {
        const std::string path = std::string("assets/json/") + set + ".json";
        rapidjson::Document sounds;
        ASSERT_TRUE(Parse(path, sounds)) << path;
        ExpectMembers(sounds, {{"name", kString}, {"type", kString}, {"events", kArray}}, path);
        EXPECT_EQ(std::string(sounds["name"].GetString()), set);
        for (const auto& event : sounds["events"].GetArray()) {
            ExpectMembers(event,
                          {{"name", kString}, {"eventStart", kString}, {"eventEnd", kString}, {"file", kString},
                           {"loop", kBool}, {"volume", kNumber}},
                          path);
            EXPECT_TRUE(fs::exists(event["file"].GetString())) << path << " names " << event["file"].GetString();
        }
    }
}

TEST(AssetManifest, ParticleFilesHaveEverySystemKeyAndAKnownEmitter)
{
    const auto files = FilesUnder("assets/json/particles", {".json"});
    EXPECT_EQ(files.size(), 24u);
    const std::map<std::string, std::vector<std::pair<const char*, rapidjson::Type>>> emitters = {
        {"BasicEmitter", {{"radius", kNumber}, {"windX", kNumber}, {"windY", kNumber}}},
        {"SquareEmitter", {{"sizeX", kNumber}, {"sizeY", kNumber}, {"windX", kNumber}, {"windY", kNumber}}},
        {"AbsorbEmitter", {{"radius", kNumber}, {"pull", kNumber}}},
    };
    for (const fs::path& file : files) {
        rapidjson::Document effect;
        ASSERT_TRUE(Parse(file, effect)) << file;
        ExpectMembers(effect,
                      {{"sourceFilenme", kString}, {"particleCount", kNumber}, {"scale", kNumber},
                       {"emitDelay", kNumber}, {"emitDelayVary", kNumber}, {"emitAngle", kNumber},
                       {"emitAngleVary", kNumber}, {"emitSpeed", kNumber}, {"emitSpeedVary", kNumber},
                       {"particleLifetime", kNumber}, {"particleLifeVary", kNumber}, {"drag", kNumber},
                       {"doFading", kBool}, {"doShrinking", kBool}, {"ParticleEmitter", kObject}},
                      file.string());
        EXPECT_GT(effect["emitDelay"].GetDouble(), 0.0) << file;
        EXPECT_TRUE(fs::exists(effect["sourceFilenme"].GetString())) << file;
        const auto& emitter = effect["ParticleEmitter"];
        ExpectMembers(emitter, {{"EmitterType", kString}}, file.string());
        auto known = emitters.find(emitter["EmitterType"].GetString());
        ASSERT_NE(known, emitters.end()) << file << ": " << emitter["EmitterType"].GetString();
        ExpectMembers(emitter, known->second, file.string());
    }
}

TEST(AssetManifest, MapsNameATileSetThatExistsAndOnlyItsTiles)
{
    int maps = 0;
    for (const fs::path& file : FilesUnder("assets/levels", {".json"})) {
        rapidjson::Document map;
        ASSERT_TRUE(Parse(file, map)) << file;
        if (!map.HasMember("type") || std::string(map["type"].GetString()) != "map")
            continue;
        ++maps;
        ExpectMembers(map,
                      {{"width", kNumber}, {"height", kNumber}, {"tilewidth", kNumber}, {"tileheight", kNumber},
                       {"layers", kArray}, {"tilesets", kArray}},
                      file.string());
        const auto& tilesets = map["tilesets"].GetArray();
        ASSERT_FALSE(tilesets.Empty()) << file;
        ExpectMembers(tilesets[0], {{"firstgid", kNumber}, {"source", kString}}, file.string());
        const fs::path tilesetPath = file.parent_path() / tilesets[0]["source"].GetString();
        rapidjson::Document tileset;
        ASSERT_TRUE(Parse(tilesetPath, tileset)) << tilesetPath;
        ExpectMembers(tileset, {{"type", kString}, {"tiles", kObject}, {"tilecount", kNumber}}, tilesetPath);
        EXPECT_EQ(std::string(tileset["type"].GetString()), "tileset");

        std::string color;
        if (map.HasMember("properties") && map["properties"].HasMember("Color"))
            color = map["properties"]["Color"].GetString();
        std::set<int> tileIds;
        for (const auto& tile : tileset["tiles"].GetObject()) {
            tileIds.insert(std::stoi(tile.name.GetString()));
            const std::string image = "assets/img/" + (color.empty() ? "" : color + "/") + tile.value["image"].GetString();
            EXPECT_TRUE(fs::exists(image)) << file << " needs " << image;
        }
        EXPECT_TRUE(fs::exists("assets/img/" + (color.empty() ? "" : color + "/") + "background.jpg")) << file;

        const int firstgid = tilesets[0]["firstgid"].GetInt();
        const int cells = map["width"].GetInt() * map["height"].GetInt();
        for (const auto& layer : map["layers"].GetArray()) {
            if (std::string(layer["type"].GetString()) != "tilelayer")
                continue;
            const auto& data = layer["data"].GetArray();
            EXPECT_EQ(static_cast<int>(data.Size()), cells) << file << " layer " << layer["name"].GetString();
            for (const auto& gid : data) {
                if (gid.GetInt() != 0) {
                    ASSERT_TRUE(tileIds.count(gid.GetInt() - firstgid)) << file << " uses gid " << gid.GetInt();
                }
            }
        }
    }
    EXPECT_GE(maps, 5);
    EXPECT_TRUE(fs::exists("assets/levels/tutorial.json"));
}

} // namespace
