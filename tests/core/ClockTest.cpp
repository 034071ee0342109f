#include "core/Random.h"
#include "core/Time.h"
#include "core/Timer.h"

#include <chrono>
#include <gtest/gtest.h>
#include <set>
#include <thread>

namespace {

TEST(FrameClock, EveryFrameLastsAtLeastASixtiethAndIncludesStalls)
{
    Time::Init();
    EXPECT_FLOAT_EQ(Time::GetDt(), 0.0001f);
    for (int i = 0; i < 5; ++i) {
        Time::Update();
        EXPECT_GE(Time::GetDt(), 1.0f / 60.0f);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    Time::Update();
    EXPECT_GE(Time::GetDt(), 0.05f);
}

TEST(FrameClock, TheFirstFrameMeasuresFromInit)
{
    // A stall before Init belongs to no frame: the first frame is no longer
    // than what passed from Init to its end, however slow the machine.
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    const auto init = std::chrono::steady_clock::now();
    Time::Init();
    Time::Update();
    const std::chrono::duration<float> sinceInit = std::chrono::steady_clock::now() - init;
    EXPECT_LE(Time::GetDt(), sinceInit.count() + 0.001f);
}

TEST(FrameClock, AFixedStepIsEveryFramesTimeWhateverTheFrameTook)
{
    Time::Init();
    Time::SetFixedStep(100.0f);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    Time::Update();
    EXPECT_EQ(Time::GetDt(), 100.0f);
    Time::Update();
    EXPECT_EQ(Time::GetDt(), 100.0f) << "far shorter than the step, the frame still counts it";

    Time::Init();
    Time::Update();
    EXPECT_NE(Time::GetDt(), 100.0f) << "Init goes back to the real clock";
}

TEST(FrameClock, TimeScaleAffectsOnlyTheScaledTime)
{
    Time::Init();
    Time::SetTimeScale(0.0f);
    Time::Update();
    EXPECT_EQ(Time::GetScaledDt(), 0.0f);
    EXPECT_GE(Time::GetDt(), 1.0f / 60.0f);
    Time::SetTimeScale(0.5f);
    EXPECT_FLOAT_EQ(Time::GetScaledDt(), Time::GetDt() * 0.5f);
}

TEST(CountdownTimer, CountsDownStopsWhenDoneAndResets)
{
    Timer timer(1.0f);
    timer.Update(0.4f);
    EXPECT_FALSE(timer.IsDone());
    EXPECT_FLOAT_EQ(timer.GetRemaining(), 0.6f);
    timer.Update(0.7f);
    EXPECT_TRUE(timer.IsDone());
    const float finished = timer.GetRemaining();
    timer.Update(5.0f);
    EXPECT_FLOAT_EQ(timer.GetRemaining(), finished);

    timer.Reset();
    EXPECT_FALSE(timer.IsDone());
    EXPECT_FLOAT_EQ(timer.GetRemaining(), 1.0f);
}

TEST(CountdownTimer, ZeroDurationIsDoneOnTheFirstStepAndDefaultsHold)
{
    Timer zero(0.0f);
    zero.Update(0.0f);
    EXPECT_TRUE(zero.IsDone());

    Timer plain;
    EXPECT_FLOAT_EQ(plain.GetRemaining(), 0.0f);
    EXPECT_FLOAT_EQ(plain.GetDuration(), 1.0f);
    EXPECT_FALSE(plain.IsDone());
    plain.SetDuration(3.0f);
    EXPECT_FLOAT_EQ(plain.GetRemaining(), 0.0f);
    plain.SetRemaining(2.0f);
    EXPECT_FALSE(plain.IsDone());
}

TEST(RandomNumbers, FloatsStayWithinTheirBoundsAndReachThem)
{
    Random::Seed(1234);
    float low = 1e9f, high = -1e9f;
    for (int i = 0; i < 200000; ++i) {
        const float value = Random::Float(-30.0f, 30.0f);
        ASSERT_GE(value, -30.0f);
        ASSERT_LE(value, 30.0f);
        low = std::min(low, value);
        high = std::max(high, value);
    }
    EXPECT_FLOAT_EQ(low, -30.0f);
    EXPECT_FLOAT_EQ(high, 30.0f);
}

TEST(RandomNumbers, IntsCoverTheirInclusiveRange)
{
    Random::Seed(99);
    std::set<int> seen;
    for (int i = 0; i < 1000; ++i)
        seen.insert(Random::Int(1, 4));
    EXPECT_EQ(seen, (std::set<int>{1, 2, 3, 4}));
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(Random::Int(5, 5), 5);
    EXPECT_EQ(Random::Int(7, 3), 7);
}

TEST(RandomNumbers, SeedsRepeatSequencesAndZeroSeedsFromTheClock)
{
    EXPECT_EQ(Random::Seed(42), 42u);
    const int first = Random::Next(), second = Random::Next();
    Random::Seed(42);
    EXPECT_EQ(Random::Next(), first);
    EXPECT_EQ(Random::Next(), second);
    EXPECT_NE(Random::Seed(0), 0u);
    Random::Seed(1);
    EXPECT_EQ(Random::Next(), 41);
}

} // namespace
