#include "core/Entity.h"

#include "core/EntityManager.h"
#include "core/Time.h"
#include "core/Trace.h"
#include "core/Transform.h"
#include "script/ScriptBehavior.h"

namespace fb {

Entity::Entity(std::string name)
    : mName(std::move(name))
    , mID(EntityManager::NextID())
{
}

Entity::Entity(const Entity& other)
    : std::enable_shared_from_this<Entity>()
    , mParent(other.mParent)
    , mChildren(other.mChildren)
    , mName(other.mName)
    , mID(other.mID)
    , mComponents(other.mComponents)
    , mArchetype(other.mArchetype)
    , mParented(other.mParented)
{
}

Entity::~Entity()
{
    if (mBehavior) {
        mBehavior->CallExit();
        mBehavior.reset();
    }
    for (auto& entry : mComponents)
        entry.second->Exit();
}

void Entity::SetParent(const std::shared_ptr<Entity>& parent)
{
    if (std::shared_ptr<Entity> former = mParent.lock()) {
        std::shared_ptr<Entity> self = shared_from_this();
        for (auto it = former->mChildren.begin(); it != former->mChildren.end(); ++it) {
            if (it->lock() == self) {
                former->mChildren.erase(it);
                break;
            }
        }
    }
    mParented = true;
    mParent = parent;
    if (parent)
        parent->mHadChildren = true;
    cmp::Transform::NoteParentLinkChange();
}

std::shared_ptr<Entity> Entity::GetParent()
{
    if (std::shared_ptr<Entity> parent = mParent.lock())
        return parent;
    if (mParented) {
        // Queue this very object: IDs are not unique (copies share them).
        std::weak_ptr<Entity> self = weak_from_this();
        if (std::shared_ptr<Entity> me = self.lock())
            EntityManager::Remove(me);
    }
    return nullptr;
}

void Entity::AddBehavior(std::string scriptFile)
{
    std::weak_ptr<Entity> self = shared_from_this();
    mBehavior = std::make_unique<ScriptBehavior>(self, scriptFile);
    mScriptStarted = false;
}

void Entity::AddComponent(std::shared_ptr<cmp::Component> component)
{
    if (!component) {
        Trace("AddComponent given an empty component on entity \"" + mName + "\"", 3);
        return;
    }
    cmp::Component& object = *component;
    Replace(typeid(object), std::move(component));
}

void Entity::Replace(std::type_index key, std::shared_ptr<cmp::Component> component)
{
    if (!component) {
        Trace("AddComponent given an empty component on entity \"" + mName + "\"", 3);
        return;
    }
    Remove(key);
    mComponents[key] = component;
    std::weak_ptr<cmp::Component> added = component;
    // Copy the map: a component's OnComponentAdded may add or remove others.
    ComponentMap snapshot = mComponents;
    for (auto& entry : snapshot)
        entry.second->OnComponentAdded(added);
    component->SetOwner(shared_from_this());
    // A new transform of a parent moves its children's transforms.
    if (mHadChildren && key == typeid(cmp::Transform))
        cmp::Transform::NoteParentLinkChange();
    component->Init();
}

std::shared_ptr<cmp::Component> Entity::Find(std::type_index key) const
{
    auto found = mComponents.find(key);
    if (found == mComponents.end()) {
        // Kept: a lookup that misses happens many times a frame.
        static const std::string kMissing = "GetComponent failed to find component";
        Trace(kMissing, 0);
        return nullptr;
    }
    return found->second;
}

bool Entity::Remove(std::type_index key)
{
    auto found = mComponents.find(key);
    if (found == mComponents.end())
        return false;
    std::shared_ptr<cmp::Component> leaving = found->second;
    leaving->Exit();
    mComponents.erase(key);
    return true;
}

void Entity::Update()
{
    // GetParent also queues an orphan for removal.
    if (mParented && !GetParent())
        return;
    if (mBehavior && !mScriptStarted) {
        mScriptStarted = true;
        mBehavior->CallInit();
    }
    if (mBehavior)
        mBehavior->CallUpdate(Time::GetScaledDt());

    // A component may remove itself or others while it updates: keep the
    // current one alive and find the next by key, not by iterator.
    auto it = mComponents.begin();
    while (it != mComponents.end()) {
        std::type_index key = it->first;
        std::shared_ptr<cmp::Component> current = it->second;
        current->Update();
        it = mComponents.upper_bound(key);
    }
}

} // namespace fb
