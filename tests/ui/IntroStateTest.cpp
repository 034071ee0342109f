#include "support/EngineWorldTest.h"
#include "support/GLTestWindow.h"
#include "ui/IntroState.h"

#include <gtest/gtest.h>

namespace {

class IntroStateTest : public EngineWorldTest {
protected:
    GLTestWindow window{64, 48};
};

TEST_F(IntroStateTest, EachSlideLasts241UpdatesHoweverLongTheFramesTook)
{
    fb::IntroState intro;
    intro.Init();
    // A whole second a frame: the slides still count a sixtieth each.
    Time::SetDt(1.0f);
    for (int slide = 1; slide <= fb::IntroState::kSlideCount; ++slide) {
        int updates = 0;
        while (intro.GetSlide() < slide && updates < 1000) {
            intro.Update();
            ++updates;
        }
        EXPECT_EQ(updates, 241) << "slide " << slide;
    }
    intro.Unload();
}

} // namespace
