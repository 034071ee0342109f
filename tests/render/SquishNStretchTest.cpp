#include "core/Entity.h"
#include "core/Random.h"
#include "core/Time.h"
#include "core/Trace.h"
#include "core/Transform.h"
#include "render/SquishNStretch.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

// A squash of the given pattern: made until the random pick lands on it.
std::shared_ptr<SquishNStretch> WithMode(int mode, float speed, float amplitude)
{
    for (int i = 0; i < 1000; ++i) {
        auto squash = std::make_shared<SquishNStretch>(speed, amplitude);
        if (squash->GetMode() == mode)
            return squash;
    }
    return nullptr;
}

class SquishNStretchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mOld = SetTraceSink([this](const std::string& message, int) { traces.push_back(message); });
        Random::Seed(11);
        Time::SetTimeScale(1.0f);
        Time::SetDt(0.0f);
        entity->AddComponent(std::make_shared<fb::cmp::Transform>(glm::vec2(3.0f, 4.0f), glm::vec2(2.0f, 3.0f), 0.5f));
    }
    void TearDown() override { SetTraceSink(mOld); }

    glm::vec2 Scale() const { return entity->GetComponent<fb::cmp::Transform>()->GetScale(); }

    std::shared_ptr<fb::Entity> entity = std::make_shared<fb::Entity>("wobbler");
    std::vector<std::string> traces;

private:
    TraceSink mOld;
};

TEST_F(SquishNStretchTest, EveryPatternSwingsAroundTheBaseScale)
{
    // (sx, sy) at a = speed * time, from the base (2, 3) with amplitude 0.5.
    const auto expected = [](int mode, double a) -> glm::vec2 {
        const double ax = 0.5 * 2.0;
        const double ay = 0.5 * 3.0;
        switch (mode) {
        case 0: return glm::vec2(2.0 + ax * std::cos(a), 3.0 + ay * std::sin(a));
        case 1: return glm::vec2(2.0 - ax * std::cos(2.0 * a), 3.0 + ay * std::sin(a));
        case 2: return glm::vec2(2.0 + ax * std::sin(a), 3.0 + ay * std::sin(a + 3.14159));
        case 3: return glm::vec2(2.0 + ax * std::sin(a), 3.0 + ay * std::cos(a));
        case 4: return glm::vec2(2.0 - ax * std::sin(2.0 * a), 3.0 + ay * std::cos(a));
        default: return glm::vec2(2.0 + ax * std::cos(a), 3.0 + ay * std::cos(a + 3.14159));
        }
    };
    for (int mode = 0; mode < 6; ++mode) {
        SCOPED_TRACE(mode);
        auto squash = WithMode(mode, 0.5f, 0.5f);
        ASSERT_TRUE(squash);
        entity->GetComponent<fb::cmp::Transform>()->SetScale(2.0f, 3.0f);
        entity->AddComponent(squash);
        Time::SetDt(0.5f);
        for (int step = 1; step <= 4; ++step) {
            entity->Update();
            const glm::vec2 want = expected(mode, 0.5 * 0.5 * step);
            EXPECT_NEAR(Scale().x, want.x, 1e-5f);
            EXPECT_NEAR(Scale().y, want.y, 1e-5f);
        }
        Time::SetDt(0.0f);
    }
    // Position and rotation stay.
    EXPECT_EQ(entity->GetComponent<fb::cmp::Transform>()->GetPosition(), glm::vec2(3.0f, 4.0f));
    EXPECT_EQ(entity->GetComponent<fb::cmp::Transform>()->GetRotation(), 0.5f);
}

TEST_F(SquishNStretchTest, AtTimeZeroTheFirstAndLastPatternsStartWide)
{
    auto first = WithMode(0, 0.5f, 1.0f);
    entity->AddComponent(first);
    entity->Update();
    EXPECT_EQ(Scale(), glm::vec2(4.0f, 3.0f));

    auto last = WithMode(5, 0.5f, 1.0f);
    entity->GetComponent<fb::cmp::Transform>()->SetScale(2.0f, 3.0f);
    entity->AddComponent(last);
    entity->Update();
    EXPECT_FLOAT_EQ(Scale().x, 4.0f);
    EXPECT_NEAR(Scale().y, 0.0f, 1e-4f);
}

TEST_F(SquishNStretchTest, NoAmplitudeKeepsTheBaseScale)
{
    for (int mode = 0; mode < 6; ++mode) {
        entity->AddComponent(WithMode(mode, 0.5f, 0.0f));
        Time::SetDt(0.3f);
        for (int step = 0; step < 5; ++step) {
            entity->Update();
            EXPECT_EQ(Scale(), glm::vec2(2.0f, 3.0f));
        }
    }
}

TEST_F(SquishNStretchTest, ATriggerGivesANewSizeToSwingAround)
{
    auto squash = WithMode(3, 0.5f, 0.25f);
    entity->AddComponent(squash);
    squash->Trigger({4.0f, 4.0f});
    EXPECT_EQ(Scale(), glm::vec2(4.0f, 4.0f));
    EXPECT_EQ(squash->GetBase(), glm::vec2(4.0f, 4.0f));
    entity->Update();
    EXPECT_FLOAT_EQ(Scale().y, 5.0f);
}

TEST_F(SquishNStretchTest, AClonePicksUpWhereTheOriginalIs)
{
    auto squash = WithMode(0, 0.5f, 0.5f);
    entity->AddComponent(squash);
    Time::SetDt(1.0f);
    entity->Update();
    std::unique_ptr<SquishNStretch> clone(squash->Clone());
    EXPECT_EQ(clone->GetMode(), 0);
    EXPECT_EQ(clone->GetBase(), squash->GetBase());
    clone->Update();
    const glm::vec2 fromClone = Scale();
    squash->Update();
    EXPECT_EQ(Scale(), fromClone);
}

TEST_F(SquishNStretchTest, ASpeedThatCannotWorkIsReportedButUsedAndNoTransformIsNoHarm)
{
    // The game's own: aliens, the menu cursor, meteors.
    for (float speed : {5.0f, 6.0f, 15.0f, 0.5f})
        SquishNStretch wobble(speed, 0.1f);
    EXPECT_TRUE(traces.empty());
    for (float speed : {0.0f, -1.0f, NAN, INFINITY})
        SquishNStretch odd(speed, 0.1f);
    ASSERT_EQ(traces.size(), 4u);
    EXPECT_NE(traces.front().find("Abnormal Squish And Stretch effect made"), std::string::npos);
    SquishNStretch still(0.0f, 0.1f);
    Time::SetDt(0.1f);
    still.Update();

    auto loose = std::make_shared<fb::Entity>("bare");
    auto squash = std::make_shared<SquishNStretch>(0.5f, 0.5f);
    loose->AddComponent(squash);
    loose->Update();
    // A Transform that comes later is taken up.
    loose->AddComponent(std::make_shared<fb::cmp::Transform>(glm::vec2(0.0f), glm::vec2(1.0f), 0.0f));
    EXPECT_EQ(squash->GetBase(), glm::vec2(1.0f, 1.0f));
}

} // namespace
