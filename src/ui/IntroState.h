#pragma once

#include "core/Entity.h"
#include "core/GameState.h"
#include "core/Timer.h"

#include <memory>

namespace fb {

// The first screen of the game: four slides, four seconds each, then the
// main menu. It takes no input.
class IntroState : public GS {
public:
    static constexpr int kSlideCount = 4;

    void Init() override;
    void Update() override;
    void Load() override;
    void Unload() override;

    // Slides that have ended since Init (0 while the first one shows).
    int GetSlide() const { return mSlide; }

private:
    Timer mSlideTimer;
    std::shared_ptr<Entity> mBackdrop;
    std::shared_ptr<Entity> mLogo;
    int mSlide = 0;
};

} // namespace fb
