#include "core/ComponentFactory.h"
#include "core/Entity.h"
#include "core/Time.h"
#include "core/Trace.h"
#include "core/Transform.h"
#include "render/Animation.h"
#include "render/SpriteAnimated.h"
#include "support/GLTestWindow.h"

#include <gtest/gtest.h>
#include <memory>
#include <rapidjson/document.h>
#include <string>
#include <vector>

namespace {

// An entity showing a 4 by 2 sheet, in a real window so that its texture loads.
class AnimationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mOld = SetTraceSink([this](const std::string& message, int) { traces.push_back(message); });
        window = std::make_unique<GLTestWindow>();
        entity->AddComponent(std::make_shared<fb::cmp::Transform>());
        entity->AddComponent(sprite);
    }
    void TearDown() override
    {
        entity.reset();
        window.reset();
        SetTraceSink(mOld);
    }

    std::shared_ptr<fb::cmp::Component> FromJson(const std::string& type, const char* json)
    {
        rapidjson::Document document;
        document.Parse(json);
        return ComponentFactory::Create(type, document);
    }

    bool Traced(const std::string& text) const
    {
        for (const std::string& message : traces) {
            if (message.find(text) != std::string::npos)
                return true;
        }
        return false;
    }

    std::unique_ptr<GLTestWindow> window;
    std::shared_ptr<fb::Entity> entity = std::make_shared<fb::Entity>("animated");
    std::shared_ptr<SpriteAnimated> sprite =
        std::make_shared<SpriteAnimated>("../../tests/data/render/sheet-4x2.png", 4, 2, 1.0f);
    std::vector<std::string> traces;

private:
    TraceSink mOld;
};

TEST_F(AnimationTest, ALoopRunsBackToTheStartWithTheLeftoverTime)
{
    auto animation = std::make_shared<BasicAnimation>(0, 3, 0.1f, true, true);
    entity->AddComponent(animation);
    std::vector<unsigned> frames;
    for (int i = 0; i < 9; ++i) {
        animation->StepFrame(0.05f);
        frames.push_back(sprite->GetFrame());
    }
    EXPECT_EQ(frames, (std::vector<unsigned>{0, 1, 1, 2, 2, 3, 3, 0, 0}));
    EXPECT_NEAR(animation->GetElapsed(), 0.05f, 1e-5f);
    EXPECT_TRUE(animation->IsActive());
}

TEST_F(AnimationTest, WithoutLoopingItStopsOnTheLastFrameForGood)
{
    auto animation = std::make_shared<BasicAnimation>(0, 3, 0.1f, true, false);
    entity->AddComponent(animation);
    animation->StepFrame(0.45f);
    EXPECT_EQ(sprite->GetFrame(), 3u);
    EXPECT_FALSE(animation->IsActive());
    animation->StepFrame(1.0f);
    EXPECT_EQ(sprite->GetFrame(), 3u);
}

TEST_F(AnimationTest, OneLongStepPassesSeveralFrames)
{
    auto animation = std::make_shared<BasicAnimation>(1, 6, 0.1f, true, true);
    entity->AddComponent(animation);
    sprite->SetFrame(1);
    animation->StepFrame(0.35f);
    EXPECT_EQ(sprite->GetFrame(), 4u);
}

TEST_F(AnimationTest, UpdateStepsByThePlainFrameTime)
{
    auto animation = std::make_shared<BasicAnimation>(0, 3, 0.1f, true, true);
    entity->AddComponent(animation);
    Time::SetTimeScale(0.0f);
    Time::SetDt(0.1f);
    entity->Update();
    EXPECT_EQ(sprite->GetFrame(), 1u);
    Time::SetTimeScale(1.0f);
}

TEST_F(AnimationTest, AClonedAnimationStartsAgainWithoutASprite)
{
    auto animation = std::make_shared<BasicAnimation>(0, 3, 0.1f, true, true);
    entity->AddComponent(animation);
    animation->StepFrame(0.15f);
    std::unique_ptr<BasicAnimation> clone(animation->Clone());
    EXPECT_EQ(clone->GetElapsed(), 0.0f);
    EXPECT_TRUE(clone->IsActive());
    clone->StepFrame(1.0f);
    EXPECT_EQ(sprite->GetFrame(), 1u);
    EXPECT_TRUE(Traced("Animaion with no target!"));
}

TEST_F(AnimationTest, ABackwardsRangeIsReportedAndStillMade)
{
    BasicAnimation animation(5, 2, 0.1f, true, true);
    EXPECT_TRUE(Traced("Warning: animation created where start < end"));
    EXPECT_TRUE(animation.IsActive());
}

TEST_F(AnimationTest, ASpriteAddedLaterBecomesTheTarget)
{
    auto other = std::make_shared<fb::Entity>("late");
    auto animation = std::make_shared<BasicAnimation>(0, 3, 0.1f, true, true);
    other->AddComponent(animation);
    auto late = std::make_shared<SpriteAnimated>("../../tests/data/render/sheet-4x2.png", 4, 2, 1.0f);
    other->AddComponent(late);
    animation->StepFrame(0.2f);
    EXPECT_EQ(late->GetFrame(), 2u);
}

TEST_F(AnimationTest, TheBasicCreatorReadsItsFiveKeys)
{
    auto made = std::dynamic_pointer_cast<BasicAnimation>(FromJson(
        "BasicAnimation", R"({"start": 2, "end": 5, "framedelay": 0.5, "active": true, "looping": false})"));
    ASSERT_TRUE(made);
    entity->AddComponent(made);
    sprite->SetFrame(2);
    made->StepFrame(10.0f);
    EXPECT_EQ(sprite->GetFrame(), 5u);
    EXPECT_FALSE(made->IsActive());
}

TEST_F(AnimationTest, BadAnimationDataGivesAnInactiveAnimationNotAHang)
{
    const char* const bad[] = {
        R"({"start": 0, "end": 3, "framedelay": 0, "active": true, "looping": true})",
        R"({"start": 0, "end": 3, "framedelay": -1.0, "active": true, "looping": true})",
        // Too small to take off the elapsed time of a frame.
        R"({"start": 0, "end": 3, "framedelay": 1e-9, "active": true, "looping": true})",
        R"({"start": 0, "end": 3, "active": true, "looping": true})",
        R"({"start": "zero", "end": 3, "framedelay": 0.1, "active": true, "looping": true})",
    };
    for (const char* json : bad) {
        SCOPED_TRACE(json);
        traces.clear();
        auto made = std::dynamic_pointer_cast<BasicAnimation>(FromJson("BasicAnimation", json));
        ASSERT_TRUE(made);
        EXPECT_FALSE(made->IsActive());
        EXPECT_FALSE(traces.empty());
        entity->AddComponent(made);
        sprite->SetFrame(0);
        made->StepFrame(1.0f);
        EXPECT_EQ(sprite->GetFrame(), 0u);
    }
}

TEST_F(AnimationTest, AdvancedFramesShowForAsManySecondsAsTheirNumber)
{
    auto made = std::dynamic_pointer_cast<AnimationAdvanced>(FromJson("AdvancedAnimation", R"({"FrameData": [2, 1]})"));
    ASSERT_TRUE(made);
    EXPECT_TRUE(made->IsActive());
    entity->AddComponent(made);
    sprite->SetFrame(7);
    // Update leaves the stepping to the user.
    Time::SetDt(5.0f);
    entity->Update();
    EXPECT_EQ(sprite->GetFrame(), 7u);

    made->Advance(1.5f);
    EXPECT_EQ(sprite->GetFrame(), 7u);
    made->Advance(0.5f);
    EXPECT_EQ(sprite->GetFrame(), 1u);
    made->Advance(1.0f);
    EXPECT_EQ(sprite->GetFrame(), 2u);
    EXPECT_EQ(made->GetIndex(), 0u);
    Time::SetDt(1.0f / 60.0f);
}

TEST_F(AnimationTest, AnAdvancedAnimationWithoutLoopingEndsOnItsLastFrame)
{
    auto animation = std::make_shared<AnimationAdvanced>(std::vector<FrameData>{{3, 0.5f}, {6, 0.5f}}, true, false);
    entity->AddComponent(animation);
    animation->Advance(5.0f);
    EXPECT_EQ(sprite->GetFrame(), 6u);
    EXPECT_FALSE(animation->IsActive());
    EXPECT_EQ(animation->GetIndex(), 1u);
}

TEST_F(AnimationTest, EmptyOrBrokenFrameDataGivesAnInactiveAnimation)
{
    for (const char* json : {R"({"FrameData": []})", R"({"FrameData": [1, 2.5]})", R"({"FrameData": [1, -2]})",
                             R"({"FrameData": 3})", R"({})"}) {
        SCOPED_TRACE(json);
        traces.clear();
        auto made = std::dynamic_pointer_cast<AnimationAdvanced>(FromJson("AdvancedAnimation", json));
        ASSERT_TRUE(made);
        EXPECT_FALSE(made->IsActive());
        EXPECT_FALSE(traces.empty());
        entity->AddComponent(made);
        made->Advance(100.0f);
    }
}

TEST_F(AnimationTest, FramesOfNoDurationPassOneAStep)
{
    auto made = std::dynamic_pointer_cast<AnimationAdvanced>(FromJson("AdvancedAnimation", R"({"FrameData": [0, 0]})"));
    ASSERT_TRUE(made);
    entity->AddComponent(made);
    sprite->SetFrame(5);
    made->Advance(0.0f);
    EXPECT_EQ(sprite->GetFrame(), 0u);
    EXPECT_EQ(made->GetIndex(), 1u);
    made->Advance(0.0f);
    EXPECT_EQ(made->GetIndex(), 0u);
    EXPECT_TRUE(made->IsActive());
}

} // namespace
