#pragma once

#include "render/Texture.h"

#include <string>

// The one texture cache, keyed by the file name exactly as spelled. A file
// is read and uploaded the first time its name is asked for; every later
// request gets the same texture. An image that is missing or cannot be
// decoded becomes a 2 by 2 magenta and dark-grey checker, cached under the
// same name. All of these need the window's OpenGL context.
namespace TextureManager {

// A texture of that name, loaded now.
Texture Load(std::string name);
// Loads the texture if its id is still 0 or was made in an earlier context;
// otherwise does nothing.
void Get(Texture& texture);
// Looks the texture up again if its id was made in an earlier context; one
// never loaded stays so.
void Refresh(Texture& texture);
// True when the texture's id names a texture of the current context.
bool IsLoaded(const Texture& texture);
// Writes the texture for the name into *id, from the cache or newly loaded.
void LoadFromFile(std::string name, unsigned* id);
// Forgets every texture, as the OpenGL context they live in ends with its
// window: the next request for a name loads it afresh, and a texture loaded
// before is looked up again the next time it is drawn.
void Forget();
// Counts the contexts: moves on each time the textures are forgotten.
unsigned Context();

// The name a texture id was loaded under; empty for an id it did not make.
std::string NameOf(unsigned id);

} // namespace TextureManager
