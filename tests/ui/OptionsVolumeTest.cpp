#include "ui/OptionsState.h"

#include <gtest/gtest.h>

namespace {

float Steps(float volume, bool up, int presses)
{
    for (int i = 0; i < presses; ++i)
        volume = fb::OptionsState::StepVolume(volume, up);
    return volume;
}

TEST(OptionsVolume, StepsByATenthAndLandsExactlyOnBothEnds)
{
    EXPECT_EQ(Steps(0.5f, true, 5), 1.0f);
    EXPECT_EQ(Steps(0.75f, true, 3), 1.0f);
    EXPECT_EQ(Steps(0.0f, true, 10), 1.0f);
    EXPECT_EQ(Steps(1.0f, true, 1), 1.0f);
    // Single precision leaves a trace after five steps down; the sixth ends at 0.
    const float five = Steps(0.5f, false, 5);
    EXPECT_GT(five, 0.0f);
    EXPECT_LT(five, 1e-6f);
    EXPECT_EQ(Steps(0.5f, false, 6), 0.0f);
    EXPECT_EQ(Steps(0.0f, false, 1), 0.0f);
}

} // namespace
