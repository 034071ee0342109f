#include "game/AISpawner.h"

#include "core/JsonFile.h"
#include "core/Trace.h"
#include "game/AISpawnerGlobals.h"

#include <rapidjson/document.h>
#include <stdexcept>

namespace {

// A member of an entry: absent reads as 0; of the wrong type, or outside
// the values an alien can have, it is traced and read as 0 too.
class EntryReader {
public:
    EntryReader(const rapidjson::Value& entry, const std::string& path, std::size_t index)
        : mEntry(entry)
        , mPath(path)
        , mIndex(index)
    {
    }

    float Number(const char* key, double highest) const
    {
        const rapidjson::Value* value = Find(key);
        if (!value)
            return 0.0f;
        if (!value->IsNumber()) {
            Wrong(key, "a number");
            return 0.0f;
        }
        if (!(value->GetDouble() >= 0.0 && value->GetDouble() <= highest)) {
            Wrong(key, ("a number from 0 to " + std::to_string(highest)).c_str());
            return 0.0f;
        }
        return static_cast<float>(value->GetDouble());
    }

    int Integer(const char* key, int highest) const
    {
        const rapidjson::Value* value = Find(key);
        if (!value)
            return 0;
        if (!value->IsInt() || value->GetInt() < 0 || value->GetInt() > highest) {
            Wrong(key, ("a whole number from 0 to " + std::to_string(highest)).c_str());
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
    // jumpRate is a chance; the weight becomes a whole slime count.
    kind.jumpRate = read.Number("jumpRate", 1.0);
    kind.weight = read.Number("weight", 1000.0);
    kind.moveSpeed = read.Number("moveSpeed", 1000.0);
    kind.spawnRate = read.Number("spawnRate", 3600.0);
    kind.maxAlive = read.Integer("maxAlive", 1000);
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
    rapidjson::Document document;
    std::string error;
    const fb::JsonFileStatus status = fb::ReadJsonFile(path, document, error);
    if (status == fb::JsonFileStatus::Missing)
        throw std::runtime_error(error);
    gAITypes.clear();
    if (status == fb::JsonFileStatus::Invalid) {
        Trace("The AI spawner file does not parse (" + error + "), no aliens are loaded: " + path, 4);
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
