#pragma once

#include "core/GameState.h"

#include <glm/glm.hpp>

namespace fb {

// A drawing test bench ("GraphicsState"): three sprites, a screen-space and
// a world-space text, sliders that turn, move and zoom the camera (its
// height stays 2.0), and buttons that shake the screen, spawn an absorbing
// effect and go on to the particle editor.
class GraphicsState : public GS {
public:
    void Init() override;
    void Update() override;
    void Exit() override;
};

} // namespace fb

// An effect entity at position whose particles of the given size start on a
// circle of radius 4 size and are pulled in (pull 40 size); it removes
// itself after 5 seconds.
void MakeAbsorbEffect(float size, glm::vec2 position);
