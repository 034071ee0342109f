#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace fb {
class Entity;
}

namespace fb::evt {

namespace GameEventType {
enum : std::uint32_t {
    CountdownBeep,
    RoundStart,
    KingSpawn,
    GoldenSpawn,
    NormalSpawn,
    MeteorSpawn,
    MeteorBoom,
    JumpSlime,
    MenuPress,
    MenuHover,
    ZoneChange,
    Count
};
}

// A match-level or menu happening, sent on the game channel.
struct GameEvent {
    GameEvent(std::shared_ptr<fb::Entity> entity, std::uint32_t type);

    // The name of this record's type; empty for a type past the table.
    std::string GetName() const;

    std::shared_ptr<fb::Entity> entity;
    std::uint32_t type;
    std::array<std::string, GameEventType::Count> names;
};

} // namespace fb::evt
