#include "core/EntityManager.h"

#include "core/ComponentFactory.h"
#include "core/EventChannels.h"
#include "core/JsonFile.h"
#include "core/KeptFiles.h"
#include "core/Trace.h"
#include "script/EntityBinding.h"

#include <iostream>
#include <map>
#include <vector>

namespace {

std::unique_ptr<EntityManager::EntityList> gEntities;
int gNextID = 0;
bool gClearing = false;
std::vector<std::shared_ptr<fb::Entity>> gRemovalQueue;

// An archetype document and the file under "assets/json/" it was read from.
struct CachedArchetype {
    std::shared_ptr<rapidjson::Document> document;
    std::string file;
};

std::map<std::string, CachedArchetype>& Archetypes()
{
    static std::map<std::string, CachedArchetype> cache;
    return cache;
}

void Cache(std::shared_ptr<rapidjson::Document> document, const std::string& file)
{
    const std::string name = (*document)["name"].GetString();
    Archetypes()[name] = {std::move(document), file};
}

EntityManager::EntityList& Entities()
{
    if (!gEntities)
        gEntities = std::make_unique<EntityManager::EntityList>();
    return *gEntities;
}

void ProcessRemovals()
{
    // Destructors may queue more removals or add entities; those wait for
    // the next update. Both buffers keep their room from frame to frame.
    static std::vector<std::shared_ptr<fb::Entity>> queue;
    static std::vector<std::shared_ptr<fb::Entity>> released;
    queue.swap(gRemovalQueue);
    EntityManager::EntityList& list = Entities();
    for (const auto& entity : queue) {
        for (auto it = list.begin(); it != list.end(); ++it) {
            if (*it == entity) {
                released.push_back(std::move(*it));
                list.erase(it);
                break;
            }
        }
    }
    queue.clear();
    released.clear();
}

} // namespace

namespace EntityManager {

void Init()
{
    gEntities = std::make_unique<EntityList>();
    gNextID = 0;
}

void Add(std::shared_ptr<fb::Entity> entity)
{
    if (!entity || gClearing)
        return;
    Entities().push_back(entity);
    fb::evt::EntitySubject::Get()->CallNotify(fb::evt::EntityEvent(0, entity));
}

void Remove(std::shared_ptr<fb::Entity> entity)
{
    if (entity)
        gRemovalQueue.push_back(std::move(entity));
}

void Update()
{
    EntityList& list = Entities();
    for (auto it = list.begin(); it != list.end(); ++it) {
        std::shared_ptr<fb::Entity> entity = *it;
        entity->Update();
    }
    ProcessRemovals();
    ReleaseCollectedEntities();
}

std::weak_ptr<fb::Entity> FindByID(int id)
{
    for (const auto& entity : Entities()) {
        if (entity->GetID() == id)
            return entity;
    }
    return {};
}

int NextID()
{
    return gNextID++;
}

bool IsClearing()
{
    return gClearing;
}

const EntityList& GetEntities()
{
    return Entities();
}

void Clear()
{
    // Those waiting for removal go too, not in some later state's update.
    EntityList dying;
    dying.swap(Entities());
    std::vector<std::shared_ptr<fb::Entity>> queued;
    queued.swap(gRemovalQueue);
    gClearing = true;
    dying.clear();
    queued.clear();
    gClearing = false;
}

void Exit()
{
    std::unique_ptr<EntityList> dying = std::move(gEntities);
    gClearing = true;
    dying.reset();
    gClearing = false;
    gRemovalQueue.clear();
    std::cout << "EntityManager Exit" << std::endl;
}

bool LoadJson(std::string file)
{
    // A file read before is not read again; each load gets its own copy,
    // which the entities built from it may change.
    if (const KeptFiles::KeptFile* kept = KeptFiles::Find("assets/json/" + file)) {
        auto copy = std::make_shared<rapidjson::Document>();
        copy->CopyFrom(*kept->document, copy->GetAllocator());
        Cache(copy, file);
        return true;
    }
    auto document = std::make_shared<rapidjson::Document>();
    std::string error;
    const fb::JsonFileStatus status = fb::ReadJsonFile("assets/json/" + file, *document, error);
    if (status == fb::JsonFileStatus::Missing) {
        Trace("Failed to load file: " + file, 4);
        return false;
    }
    if (status == fb::JsonFileStatus::Invalid) {
        Trace("Failed to prase JSON: " + error, 4);
        return false;
    }
    if (!document->IsObject() || !document->HasMember("name") || !document->HasMember("components") ||
        !(*document)["name"].IsString() || !(*document)["components"].IsArray()) {
        Trace("Failed to parse JSON: No 'name' and/or 'components' field in " + file, 3);
        return false;
    }
    auto kept = std::make_shared<rapidjson::Document>();
    kept->CopyFrom(*document, kept->GetAllocator());
    KeptFiles::Keep("assets/json/" + file, {kept, ""});
    Cache(document, file);
    return true;
}

std::string GetArchetypeFile(const std::string& name)
{
    auto found = Archetypes().find(name);
    return found == Archetypes().end() ? std::string() : found->second.file;
}

std::shared_ptr<fb::Entity> LoadArchetype(std::string name)
{
    auto found = Archetypes().find(name);
    if (found == Archetypes().end()) {
        Trace("No archetype named \"" + name + "\" has been loaded", 4);
        return nullptr;
    }
    std::shared_ptr<rapidjson::Document> document = found->second.document;
    auto entity = std::make_shared<fb::Entity>(name);
    for (const auto& component : (*document)["components"].GetArray()) {
        if (!component.IsObject() || !component.HasMember("type")) {
            Trace("Archetype has component with missing type! (" + name + ")", 4);
            continue;
        }
        if (!component["type"].IsString()) {
            Trace("Archetype \"" + name + "\" has a component whose type is not a string", 4);
            continue;
        }
        std::string type = component["type"].GetString();
        if (type == "Behavior") {
            if (!component.HasMember("filename") || !component["filename"].IsString()) {
                Trace("Archetype \"" + name + "\" has a Behavior without a \"filename\"", 4);
                continue;
            }
            entity->AddBehavior(component["filename"].GetString());
            continue;
        }
        std::shared_ptr<fb::cmp::Component> made = ComponentFactory::Create(type, component);
        if (!made) {
            Trace("Archetype \"" + name + "\": could not make a \"" + type + "\" component", 3);
            continue;
        }
        entity->AddComponent(made);
    }
    entity->SetArchetype(document);
    return entity;
}

} // namespace EntityManager
