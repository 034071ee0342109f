#pragma once

#include "core/Component.h"
#include "core/Transform.h"

#include <memory>

// Brings back what leaves the level. The level's bounds are those of its
// map, less a tile and a half on each side (WrapBounds): player i who goes
// beyond them is sent back to spawn point i (moved inside the bounds when it
// lies outside), or to the middle of a level without such a point, and
// arrives at rest; anything else comes in again from the opposite edge at
// the speed it had. Each jump leaves a streak from where it went out to
// where it comes back, with a burst at both ends.
class WrapperObject : public fb::cmp::Component {
public:
    // `margin` in world units narrows the level on the left and the right.
    explicit WrapperObject(float margin = 0.0f);

    // Takes the owner's Transform.
    void Init() override;
    // A Transform added later becomes the one watched.
    void OnComponentAdded(std::weak_ptr<fb::cmp::Component> added) override;
    // Nothing without a Transform, or on a level of 3 by 3 tiles or less.
    void Update() override;
    // The same margin and Transform.
    WrapperObject* Clone() override;

private:
    float mMargin;
    std::shared_ptr<fb::cmp::Transform> mTransform;
};
