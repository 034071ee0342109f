#pragma once

struct lua_State;

// Makes every loader a script can reach take text only, as the engine's own
// loading does: "load", "loadfile" and "dofile" always use the mode "t", and
// "require" finds Lua modules through a searcher that does the same. A
// precompiled chunk is then refused with Lua's message "attempt to load a
// binary chunk". Call it after the base and package libraries are open.
void RestrictLoadingToText(lua_State* state);
