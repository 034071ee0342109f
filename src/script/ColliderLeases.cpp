#include "script/ColliderLeases.h"

#include "core/Trace.h"

void ColliderLeases::Lease(const fb::BoxCollider& collider)
{
    mHeld.set(collider.GetID());
}

bool ColliderLeases::End(unsigned int id)
{
    if (id >= mHeld.size() || !mHeld.test(id))
        return false;
    mHeld.reset(id);
    return true;
}

void ColliderLeases::ReturnAll(const std::string& scriptPath)
{
    if (mHeld.none())
        return;
    Trace("Lua script \"" + scriptPath + "\" ended holding " + std::to_string(mHeld.count()) +
              " pool collider(s); they go back to the pool now",
          3);
    for (unsigned int id = 0; id < mHeld.size(); ++id) {
        if (mHeld.test(id))
            FreeBoxCollider(id);
    }
    mHeld.reset();
}
