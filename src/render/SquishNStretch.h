#pragma once

#include "core/Component.h"
#include "core/Transform.h"

#include <glm/glm.hpp>
#include <memory>

// Makes its entity wobble: each frame the Transform's scale becomes the base
// scale plus a sine or cosine swing on each axis, in one of six patterns
// picked at random when the component is made, so that wobbling things do
// not move in step. Added by code; it has no JSON creator.
class SquishNStretch : public fb::cmp::Component {
public:
    // `speed` in radians a second, `amplitude` relative to the base scale. A
    // speed that is not a finite positive number is reported (and used).
    SquishNStretch(float speed, float amplitude);

    // Takes the owner's Transform and its scale as the base.
    void Init() override;
    void OnComponentAdded(std::weak_ptr<fb::cmp::Component> added) override;
    // Steps with the scaled frame time; without a Transform only the time runs.
    void Update() override;
    // The same pattern and phase on the same Transform.
    SquishNStretch* Clone() override;

    // Gives the thing a new size to wobble around.
    void Trigger(glm::vec2 scale);

    int GetMode() const { return mMode; }
    glm::vec2 GetBase() const { return mBase; }

private:
    void TakeTransform(std::shared_ptr<fb::cmp::Transform> transform);

    int mMode;
    float mTime = 0.0f;
    float mAmplitude;
    float mSpeed;
    std::shared_ptr<fb::cmp::Transform> mTransform;
    glm::vec2 mBase{0.0f, 0.0f};
};
