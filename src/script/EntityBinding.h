#pragma once

// Scripts hold other entities by shared ownership (their own entity they
// only reference, see ScriptBehavior.h). When Lua collects the last
// reference to an entity, its destructor would close that entity's own Lua
// state in the middle of a collection, so the entity is kept here instead and
// released by this call, outside any script (the entity manager makes it at
// the end of each update). Entities still waiting when the program ends are
// never destroyed.
void ReleaseCollectedEntities();
