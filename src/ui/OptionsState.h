#pragma once

#include "core/Entity.h"
#include "ui/MenuCursor.h"
#include "ui/SubScreen.h"
#include "ui/UIFramework.h"

#include <memory>
#include <vector>

class Button;

namespace fb {

// The options screen: the music and sound-effect volumes, stepped by 0.1
// with arrow buttons and shown as bars, the bloom pass switched on and off,
// and Back. Changes act at once and last for the run.
class OptionsState : public SubScreen {
public:
    void Init() override;
    void Update() override;
    bool IsDone() const override { return mDone; }

    // One press of a volume arrow: up or down by 0.1, held within 0 to 1.
    static float StepVolume(float volume, bool up);

private:
    float mMusicVolume = 0.0f;
    float mEffectsVolume = 0.0f;
    bool mDone = false;
    // Buttons and labels, updated by the screen itself.
    std::vector<std::shared_ptr<Entity>> mEntities;
    UIFramework mUI;
    MenuCursor mCursor;
    std::shared_ptr<Button> mBack;
    std::shared_ptr<Button> mMusicUp;
    std::shared_ptr<Button> mMusicDown;
    std::shared_ptr<Button> mEffectsUp;
    std::shared_ptr<Button> mEffectsDown;
    std::shared_ptr<Button> mBloomOn;
    std::shared_ptr<Button> mBloomOff;
};

} // namespace fb
