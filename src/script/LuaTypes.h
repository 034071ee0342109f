#pragma once

#include <glm/vec2.hpp>

namespace fb {
class BoxCollider;
class Entity;
struct CollisionLayer;
namespace cmp {
class AdvancedBody;
class Transform;
}
} // namespace fb

// A collision result as scripts hold it (PhysicsBinding.h).
struct ScriptCollisionResult;

// The name each engine type goes by in scripts. It is also the name of the
// type's metatable, so Lua's own messages read "Entity expected", and the
// address of the variable is the type tag every value of the type carries
// (LuaBind.h).
template <class T>
inline constexpr const char* kLuaName = nullptr;

template <>
inline constexpr const char* kLuaName<fb::Entity> = "Entity";
template <>
inline constexpr const char* kLuaName<fb::cmp::Transform> = "Transform";
template <>
inline constexpr const char* kLuaName<glm::vec2> = "vec2";
template <>
inline constexpr const char* kLuaName<fb::cmp::AdvancedBody> = "AdvancedBody";
template <>
inline constexpr const char* kLuaName<fb::BoxCollider> = "BoxCollider";
template <>
inline constexpr const char* kLuaName<fb::CollisionLayer> = "CollisionLayer";
template <>
inline constexpr const char* kLuaName<ScriptCollisionResult> = "CollisionResult";
