#pragma once

#include "core/Component.h"

#include <glm/glm.hpp>

// A number floating up from a world point, drawn with a black outline and
// the bigger the larger it is. Neither drawn nor moved while paused.
class PopupNumber : public fb::cmp::Component {
public:
    PopupNumber(int number, const glm::vec3& colour, float x, float y, float riseSpeed);

    void Update() override;
    PopupNumber* Clone() override;

    int GetNumber() const { return mNumber; }
    glm::vec2 GetPosition() const { return {mX, mY}; }
    // The text scale it is drawn at; the outline is a tenth larger.
    float GetSize() const;

private:
    int mNumber;
    glm::vec3 mColour;
    float mX;
    float mY;
    // World units per second.
    float mRiseSpeed;
};
