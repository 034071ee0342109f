#pragma once

#include <string>
#include <typeindex>

namespace fb {

// Orders component types by their class names without namespace, in byte
// order, so that an entity updates AdvancedBody before Sprite before
// SpriteAnimated before Transform on every compiler.
struct ByUnqualifiedName {
    bool operator()(const std::type_index& a, const std::type_index& b) const;
};

// The class name of a type without its namespace, e.g. "Transform".
const std::string& UnqualifiedName(const std::type_index& type);

} // namespace fb
