#pragma once

#include <memory>

namespace fb {
class Entity;
}

namespace fb::evt {

// Sent on the entity channel; kind 0 means the entity was added to the
// entity manager (the only kind sent).
struct EntityEvent {
    EntityEvent(unsigned kind, std::weak_ptr<fb::Entity> entity)
        : kind(kind)
        , entity(std::move(entity))
    {
    }

    unsigned kind;
    std::weak_ptr<fb::Entity> entity;
};

} // namespace fb::evt
