#include "game/AISpawner.h"

#include "core/Trace.h"
#include "game/AISpawnerGlobals.h"

#include <fstream>
#include <rapidjson/document.h>
#include <rapidjson/error/en.h>
#include <rapidjson/istreamwrapper.h>
#include <stdexcept>

namespace {

// A member of an entry: absent reads as 0; of the wrong type it is traced
// and read as 0 too.
class EntryReader {
public:
    EntryReader(const rapidjson::Value& entry, const std::string& path, std::size_t index)
        : mEntry(entry)
        , mPath(path)
        , mIndex(index)
    {
    }

    float Number(const char* key) const
    {
        const rapidjson::Value* value = Find(key);
        if (!value)
            return 0.0f;
        if (!value->IsNumber()) {
            Wrong(key, "a number");
            return 0.0f;
        }
        return static_cast<float>(value->GetDouble());
    }

    int Integer(const char* key) const
    {
        const rapidjson::Value* value = Find(key);
        if (!value)
            return 0;
        if (!value->IsInt()) {
            Wrong(key, "a whole number");
            return 0;
        }
        return value->GetInt();
    }

    bool IsTrue(const char* key) const
    {
        const rapidjson::Value* value = Find(key);
        return value && value->IsTrue();
    }

private:
    const rapidjson::Value* Find(const char* key) const
    {
        auto member = mEntry.FindMember(key);
        return member == mEntry.MemberEnd() ? nullptr : &member->value;
    }

    void Wrong(const char* key, const char* expected) const
    {
        Trace("AI type " + std::to_string(mIndex) + ": \"" + key + "\" is not " + expected + ", read as 0: " + mPath, 3);
    }

    const rapidjson::Value& mEntry;
    const std::string& mPath;
    std::size_t mIndex;
};

void ReadEntry(const rapidjson::Value& entry, const std::string& path, std::size_t index)
{
    if (!entry.IsObject()) {
        Trace("AI type " + std::to_string(index) + " is not an object and is skipped: " + path, 3);
        return;
    }
    auto type = entry.FindMember("type");
    if (type == entry.MemberEnd())
        return;
    if (!type->value.IsString()) {
        Trace("AI type " + std::to_string(index) + " has a \"type\" that is not text and is skipped: " + path, 3);
        return;
    }
    const EntryReader read(entry, path, index);
    AIType kind;
    kind.type = type->value.GetString();
    kind.canJump = read.IsTrue("canJump");
    kind.jumpRate = read.Number("jumpRate");
    kind.weight = read.Number("weight");
    kind.moveSpeed = read.Number("moveSpeed");
    kind.spawnRate = read.Number("spawnRate");
    kind.maxAlive = read.Integer("maxAlive");
    gAITypes.push_back(kind);
}

// Keeps the live aliens' spawner pointers valid when the list grows.
void AddSpawner(SpawnerRecord spawner)
{
    std::vector<std::pair<AIType*, std::size_t>> owners;
    for (std::vector<AIType>* list : {&gNormalAliens, &gGoldenAliens, &gGiantAliens}) {
        for (AIType& alien : *list) {
            if (alien.spawner)
                owners.emplace_back(&alien, static_cast<std::size_t>(alien.spawner - gSpawners.data()));
        }
    }
    gSpawners.push_back(std::move(spawner));
    for (auto& [alien, index] : owners)
        alien->spawner = &gSpawners[index];
}

} // namespace

namespace AISpawner {

void LoadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error("Could not load file: " + path);
    gAITypes.clear();

    rapidjson::IStreamWrapper stream(file);
    rapidjson::Document document;
    document.ParseStream(stream);
    if (document.HasParseError()) {
        Trace(std::string("The AI spawner file does not parse (") + rapidjson::GetParseError_En(document.GetParseError()) +
                  " at offset " + std::to_string(document.GetErrorOffset()) + "), no aliens are loaded: " + path,
              4);
        return;
    }
    if (!document.IsObject()) {
        Trace("The AI spawner file is not a JSON object, no aliens are loaded: " + path, 4);
        return;
    }
    if (!document.HasMember("type"))
        return;
    const rapidjson::Value& type = document["type"];
    if (!type.IsString() || std::string(type.GetString(), type.GetStringLength()) != "AI")
        throw std::runtime_error("Incorrect AI Spawner file: " + path);

    auto types = document.FindMember("AI Types");
    if (types == document.MemberEnd())
        return;
    if (!types->value.IsArray()) {
        Trace("\"AI Types\" is not a list, no aliens are loaded: " + path, 3);
        return;
    }
    std::size_t index = 0;
    for (const rapidjson::Value& entry : types->value.GetArray())
        ReadEntry(entry, path, index++);
}

void EnableType(const glm::vec2& position, const std::string& type)
{
    for (const AIType& kind : gAITypes) {
        if (kind.type != type)
            continue;
        SpawnerRecord spawner;
        spawner.position = position;
        spawner.type = type;
        spawner.spawnRate = kind.spawnRate;
        spawner.moveSpeed = kind.moveSpeed;
        spawner.canJump = kind.canJump;
        spawner.weight = kind.weight;
        spawner.jumpRate = kind.jumpRate;
        spawner.maxAlive = kind.maxAlive;
        AddSpawner(std::move(spawner));
    }
}

} // namespace AISpawner
