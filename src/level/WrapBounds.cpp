#include "level/WrapBounds.h"

#include "level/Level.h"

#include <algorithm>

namespace {

// The tiles on each side that do not count as inside.
constexpr float kBorder = 3.0f;

} // namespace

std::optional<WrapBounds> GetWrapBounds()
{
    const auto [width, height] = GetLevelSize();
    const glm::vec2 size(static_cast<float>(width), static_cast<float>(height));
    if (size.x <= kBorder || size.y <= kBorder)
        return std::nullopt;
    const glm::vec2 half = (size - kBorder) / 2.0f;
    return WrapBounds{glm::vec2(0.5f) - half, half + glm::vec2(0.5f)};
}

glm::vec2 InsideWrapBounds(glm::vec2 point)
{
    const std::optional<WrapBounds> bounds = GetWrapBounds();
    if (!bounds)
        return point;
    return {std::clamp(point.x, bounds->low.x, bounds->high.x), std::clamp(point.y, bounds->low.y, bounds->high.y)};
}
