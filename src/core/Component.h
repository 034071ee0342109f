#pragma once

#include <memory>

namespace fb {
class Entity;
}

namespace fb::cmp {

// The base of every component. An entity holds its components by shared
// pointer; a component refers back to its entity weakly.
class Component {
public:
    virtual ~Component() = default;
    // The component has been added and its owner is set.
    virtual void Init() {}
    // A component (this one or another) was just added to the same entity.
    virtual void OnComponentAdded(std::weak_ptr<Component> added) { (void)added; }
    virtual void Update() {}
    // The component leaves its entity: replaced, removed, or the entity dies.
    virtual void Exit() {}
    // A new copy that the caller owns, or null when it cannot be copied.
    virtual Component* Clone() { return nullptr; }

    const std::weak_ptr<fb::Entity>& GetOwner() const { return mOwner; }
    void SetOwner(std::weak_ptr<fb::Entity> owner) { mOwner = std::move(owner); }

private:
    std::weak_ptr<fb::Entity> mOwner;
};

} // namespace fb::cmp
