#pragma once

#include "physics/ColliderPool.h"

// Takes every free record of the collider pool, as if the game had used them
// all. A taken record keeps what its last user set (records are reused as
// they are), so each is put on no layer, where nothing meets it.
inline void TakeEveryCollider()
{
    while (fb::BoxCollider* record = GetBoxCollider())
        record->SetLayer(fb::CollisionLayer(0, 0));
}
