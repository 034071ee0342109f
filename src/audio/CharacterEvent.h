#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace fb {
class Entity;
}

namespace fb::evt {

namespace CharacterEventType {
enum : std::uint32_t {
    Jump,
    DoubleJump,
    WallJump,
    RunStart,
    RunEnd,
    PunchHit,
    PunchMiss,
    SlimePickup,
    SlimeFull,
    RoundWin,
    PunchKing,
    Portal,
    SlimeDeliver,
    SlimeGold,
    Count
};
}

// A happening of one player character, sent on the character channel. The
// names are the vocabulary that sound sets bind to.
struct CharacterEvent {
    CharacterEvent();
    CharacterEvent(std::uint32_t type, std::shared_ptr<fb::Entity> entity);

    // The name of this record's type; empty for a type past the table.
    std::string GetName() const;

    std::uint32_t type;
    std::shared_ptr<fb::Entity> entity;
    std::array<std::string, CharacterEventType::Count> names;
};

} // namespace fb::evt
