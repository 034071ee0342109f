#pragma once

struct lua_State;

// Makes every loader a script can reach take text only, as the engine's own
// loading does: "load", "loadfile" and "dofile" always use the mode "t", and
// "require" finds Lua modules through a searcher that does the same. A
// precompiled chunk is then refused with Lua's message "attempt to load a
// binary chunk". Native code cannot be loaded at all: "package.loadlib" and
// the searchers of C libraries are gone. The replacements keep no reference
// to Lua's own loaders, so not even the debug library reaches one. Call it
// after the base and package libraries are open.
void RestrictLoadingToText(lua_State* state);
