#pragma once

// Text drawn from glyph textures of the game's TrueType font.
namespace TextRenderer {

void Initialize();
void Flush();

} // namespace TextRenderer
