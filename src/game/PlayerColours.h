#pragma once

#include <array>
#include <glm/glm.hpp>

// The colours of players 0 to 3: red, blue, yellow and grey.
inline const std::array<glm::vec3, 4> kPlayerColours = {
    glm::vec3(1.0f, 0.0f, 0.0f), glm::vec3(0.0f, 0.0f, 1.0f), glm::vec3(1.0f, 1.0f, 0.0f),
    glm::vec3(0.6f, 0.6f, 0.6f)};

// The colour of "FULL!" and "EMPTY!".
inline constexpr glm::vec3 kRefusedColour(0.7f, 0.2f, 0.2f);

inline glm::vec3 PlayerColour(int player)
{
    return player >= 0 && player < 4 ? kPlayerColours[player] : glm::vec3(1.0f);
}

// Where a player's slime news shows on the screen: a row along the bottom,
// player 0 on the left.
inline glm::vec2 PlayerTextPosition(int player)
{
    return {static_cast<float>((player * 1.6) / 3.0 - 0.8), -0.5f};
}
