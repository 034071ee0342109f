#pragma once

#include "render/Texture.h"

#include <glm/glm.hpp>

// Queues the image as one quad centred on a world point and stretched to
// the size in world units (loading the image on first use).
void DrawMenuQuad(Texture& texture, glm::vec2 position, glm::vec2 size, float opacity, int layer);
