#pragma once

#include "script/Script.h"

#include <memory>
#include <string>

namespace fb {
class Entity;
}

// The Lua behaviour of one entity: a script whose global functions are called
// as init(entity), update(entity, dt) and exit(entity). The state sees the
// types "Entity", "Transform", "vec2", "CollisionResult", "BoxCollider",
// "CollisionLayer" and "AdvancedBody", the tables "Layer" and "Detector", and
// the functions "GetBoxCollider", "FreeBoxCollider" and "RunBoxCollision".
// They are registered after the file's top-level code has run, so that code
// may only define functions and plain values.
//
// The state belongs to the entity and dies with it, so the script's own
// entity is always a reference that does not own it, whether it came as an
// argument or through a collider's "parent": a script that keeps its own
// entity in a global does not keep it alive for ever.
class ScriptBehavior : public Script {
public:
    // `owner` must be alive: the behaviour belongs to it.
    ScriptBehavior(std::weak_ptr<fb::Entity> owner, const std::string& fileName);

    // Each does nothing once the script is switched off. A missing function
    // is an error like any other.
    void CallInit();
    void CallUpdate(float dt);
    // The entity's destructor calls it, and the entity is still whole then.
    void CallExit();

private:
    void CallGlobal(const char* function, const float* dt);

    fb::Entity* mOwner = nullptr;
};
