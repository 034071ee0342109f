#pragma once

#include "core/Component.h"
#include "core/Transform.h"
#include "render/Sprite.h"

#include <glm/glm.hpp>
#include <memory>

// The squash and flash of a hit or jumping character, or of a HUD box: for
// `duration` seconds of scaled time the entity swells thinner and taller by
// up to `stretch` of its scale and back, while its sprite's opacity pulses
// `flashFrequency` times a second (0: no pulse). Then the effect removes
// itself, and the scale and the opacity are restored, as they are when the
// effect is replaced or removed early.
class PunchFX : public fb::cmp::Component {
public:
    PunchFX(float flashFrequency, float stretch, float duration);

    // Takes the entity's Transform (and its scale now) and Sprite.
    void Init() override;
    // A Transform added later is taken too.
    void OnComponentAdded(std::weak_ptr<fb::cmp::Component> added) override;
    void Update() override;
    void Exit() override;

    float GetElapsed() const { return mElapsed; }
    glm::vec2 GetBaseScale() const { return mBaseScale; }

private:
    float mDuration;
    float mElapsed = 0.0f;
    float mStretch;
    float mFlashFrequency;
    std::shared_ptr<fb::cmp::Transform> mTransform;
    std::shared_ptr<Sprite> mSprite;
    glm::vec2 mBaseScale{0.0f, 0.0f};
};
