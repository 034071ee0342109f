#pragma once

#include "core/Component.h"

#include <glm/glm.hpp>
#include <string>

// A text floating up from a world point, optionally over a black outline.
// Neither drawn nor moved while paused.
class PopupText : public fb::cmp::Component {
public:
    PopupText(std::string text, const glm::vec3& colour, float x, float y, float riseSpeed, bool outline);

    void Update() override;
    PopupText* Clone() override;

    // Shows something else from now on.
    void Set(std::string text, const glm::vec3& colour, float x, float y, float riseSpeed, bool outline);
    const std::string& GetText() const { return mText; }
    glm::vec3 GetColour() const { return mColour; }
    glm::vec2 GetPosition() const { return {mX, mY}; }

protected:
    // Queues the outline (when wanted) and then the text at these sizes,
    // and rises; nothing while paused.
    using TextQueue = void (*)(std::string, float, float, float, glm::vec3, bool);
    void DrawAndRise(TextQueue queue, float outlineSize, float textSize);

    std::string mText;
    glm::vec3 mColour;
    float mX;
    float mY;
    // Units per second.
    float mRiseSpeed;
    bool mOutline;
};
