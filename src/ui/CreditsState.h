#pragma once

#include "audio/SoundEvent.h"
#include "core/Entity.h"
#include "core/Timer.h"
#include "ui/MenuCursor.h"
#include "ui/SubScreen.h"
#include "ui/UIFramework.h"

#include <glm/glm.hpp>
#include <memory>
#include <vector>

class Button;

namespace fb {

// The credits: lines of text rolling up through the view in a slowly
// shifting colour, with music, particle bursts and shooting stars behind
// them. The roll ends by itself after 48 s; Back ends it sooner, but not in
// its first second.
class CreditsState : public SubScreen {
public:
    static constexpr float kRollSeconds = 48.0f;

    void Init() override;
    void Update() override;
    void Exit() override;
    bool IsDone() const override { return mDone; }

    // The colour of every line at a roll position.
    static glm::vec3 LineColour(float scroll);

private:
    SoundEvent mMusic;
    Timer mRoll;
    bool mDone = false;
    // The Back button, updated by the screen itself.
    std::vector<std::shared_ptr<Entity>> mEntities;
    UIFramework mUI;
    MenuCursor mCursor;
    std::shared_ptr<Button> mBack;
};

} // namespace fb
