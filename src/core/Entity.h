#pragma once

#include "core/Component.h"
#include "core/ComponentKey.h"

#include <list>
#include <map>
#include <memory>
#include <rapidjson/document.h>
#include <string>
#include <typeindex>

class ScriptBehavior;
struct lua_State;

namespace fb {

// A named game object with an ID, an optional parent, at most one Lua
// behaviour and at most one component per type. Always held by shared_ptr.
class Entity : public std::enable_shared_from_this<Entity> {
public:
    using ComponentMap = std::map<std::type_index, std::shared_ptr<cmp::Component>, ByUnqualifiedName>;

    explicit Entity(std::string name);
    // Shares the source's components and ID; the copy gets no script behaviour.
    Entity(const Entity& other);
    Entity& operator=(const Entity&) = delete;
    ~Entity();

    int GetID() const { return mID; }
    const std::string& GetName() const { return mName; }
    void SetName(std::string name) { mName = std::move(name); }

    void SetParent(const std::shared_ptr<Entity>& parent);
    // The living parent, or empty. A child whose parent has died queues
    // itself for removal here.
    std::shared_ptr<Entity> GetParent();

    void AddBehavior(std::string scriptFile);
    ScriptBehavior* GetBehavior() const { return mBehavior.get(); }

    void SetArchetype(std::shared_ptr<rapidjson::Document> archetype) { mArchetype = std::move(archetype); }
    std::shared_ptr<rapidjson::Document> GetArchetype() const { return mArchetype; }

    template <typename T>
    void AddComponent(std::shared_ptr<T> component);
    // Keyed by the component's run-time type; an empty pointer is not stored.
    void AddComponent(std::shared_ptr<cmp::Component> component);
    template <typename T>
    std::shared_ptr<T> GetComponent() const;
    template <typename T>
    bool RemoveComponent();

    const ComponentMap& GetComponents() const { return mComponents; }

    // Registers the "Entity" type with a script's state (src/script).
    static void BindLua(lua_State* state);

    void Update();

private:
    void Replace(std::type_index key, std::shared_ptr<cmp::Component> component);
    std::shared_ptr<cmp::Component> Find(std::type_index key) const;
    bool Remove(std::type_index key);

    std::weak_ptr<Entity> mParent;
    std::list<std::weak_ptr<Entity>> mChildren;
    std::string mName;
    int mID;
    ComponentMap mComponents;
    std::shared_ptr<rapidjson::Document> mArchetype;
    std::unique_ptr<ScriptBehavior> mBehavior;
    bool mScriptStarted = false;
    bool mParented = false;
    // Some entity has been given this one as its parent.
    bool mHadChildren = false;
};

template <typename T>
void Entity::AddComponent(std::shared_ptr<T> component)
{
    Replace(typeid(T), std::move(component));
}

template <typename T>
std::shared_ptr<T> Entity::GetComponent() const
{
    return std::dynamic_pointer_cast<T>(Find(typeid(T)));
}

template <typename T>
bool Entity::RemoveComponent()
{
    return Remove(typeid(T));
}

} // namespace fb
