#pragma once

#include <glm/glm.hpp>
#include <optional>

// The part of the current level that the screen wrap keeps bodies in: for a
// map of W by H tiles, x from 0.5 - (W - 3) / 2 to (W - 3) / 2 + 0.5 and y
// likewise with H, both ends inside. A map of 3 tiles or less on a side has
// none: nothing wraps there.
struct WrapBounds {
    glm::vec2 low;
    glm::vec2 high;
};

std::optional<WrapBounds> GetWrapBounds();
// The nearest point within the wrap bounds: the point itself when it lies
// inside them or when the level has none.
glm::vec2 InsideWrapBounds(glm::vec2 point);
