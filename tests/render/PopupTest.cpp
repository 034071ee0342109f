#include "ParticleTestWorld.h"

#include "render/KillClock.h"
#include "render/PopupNumber.h"
#include "render/Popups.h"
#include "render/ScreenspacePopupText.h"

namespace {

const glm::vec3 kGreen{0.0f, 1.0f, 0.0f};

class PopupTest : public EffectsTest {
protected:
    template <typename T>
    static std::shared_ptr<T> NewestPopup()
    {
        return Newest() ? Newest()->GetComponent<T>() : nullptr;
    }
};

TEST_F(PopupTest, ANumberStaysLongerAndDrawsBiggerTheLargerItIs)
{
    CreatePopupNumber(3, kGreen, 1.0f, 2.0f, 0.5f, 1.0f);
    ASSERT_EQ(EntityCount(), 1u);
    EXPECT_EQ(Newest()->GetName(), "Popup Number");
    EXPECT_FLOAT_EQ(Newest()->GetComponent<KillClock>()->GetTimeLeft(), 1.3f);
    auto number = NewestPopup<PopupNumber>();
    ASSERT_TRUE(number);
    EXPECT_FLOAT_EQ(number->GetSize(), 0.975f);

    Frames(FramesFor(1.3f) - 2);
    EXPECT_EQ(EntityCount(), 1u);
    Frames(3);
    EXPECT_EQ(EntityCount(), 0u);
}

TEST_F(PopupTest, ATextRisesAtItsSpeedAndGoesWithItsLifetime)
{
    CreatePopupText("FULL!", kGreen, -1.0f, 0.5f, 2.0f, 0.5f, true);
    EXPECT_EQ(Newest()->GetName(), "Popup Text: FULL!");
    auto text = NewestPopup<PopupText>();
    ASSERT_TRUE(text);
    Frames(6);
    EXPECT_NEAR(text->GetPosition().y, 0.5f + 6 * kFrame * 2.0f, 1e-5f);
    EXPECT_FLOAT_EQ(text->GetPosition().x, -1.0f);
    Frames(FramesFor(0.5f) - 6 + 1);
    EXPECT_EQ(EntityCount(), 0u);
}

TEST_F(PopupTest, WhilePausedAPopupNeitherRisesNorRunsOut)
{
    CreatePopupText("FULL!", kGreen, 0.0f, 0.0f, 2.0f, 0.1f, false);
    CreatePopupNumber(1, kGreen, 0.0f, 0.0f, 2.0f, 0.1f);
    auto number = NewestPopup<PopupNumber>();
    Time::SetTimeScale(0.0f);
    Frames(60);
    EXPECT_EQ(EntityCount(), 2u);
    EXPECT_EQ(number->GetPosition().y, 0.0f);
}

TEST_F(PopupTest, AScreenSlotShowsTheLatestTextUntilTheFirstOnesTimeEnds)
{
    CreateScreenspacePopupText("+1", kGreen, 0.0f, 0.0f, 0.1f, 0.5f, true, 2);
    Frames(FramesFor(0.25f));
    CreateScreenspacePopupText("+2", kGreen, 0.3f, 0.0f, 0.1f, 0.5f, true, 2);
    ASSERT_EQ(EntityCount(), 1u);
    auto popup = NewestPopup<ScreenspacePopupText>();
    ASSERT_TRUE(popup);
    EXPECT_EQ(popup->GetText(), "+2");
    EXPECT_EQ(popup->GetPosition(), glm::vec2(0.3f, 0.0f));
    popup.reset();

    Frames(FramesFor(0.25f) + 1);
    EXPECT_EQ(EntityCount(), 0u) << "the lifetime is not renewed";
    CreateScreenspacePopupText("+3", kGreen, 0.0f, 0.0f, 0.1f, 0.5f, true, 2);
    EXPECT_EQ(EntityCount(), 1u) << "a slot whose pop-up is gone gets a new one";
}

TEST_F(PopupTest, PopupsWithoutASlotOrInOtherSlotsAreSeparate)
{
    CreateScreenspacePopupText("a", kGreen, 0.0f, 0.0f, 0.1f, 1.0f, false, -1);
    CreateScreenspacePopupText("b", kGreen, 0.0f, 0.0f, 0.1f, 1.0f, false, -1);
    CreateScreenspacePopupText("c", kGreen, 0.0f, 0.0f, 0.1f, 1.0f, false, 0);
    CreateScreenspacePopupText("d", kGreen, 0.0f, 0.0f, 0.1f, 1.0f, false, 1);
    EXPECT_EQ(EntityCount(), 4u);
}

TEST_F(PopupTest, ShortScreenTextsAreDrawnLarger)
{
    ScreenspacePopupText three("abc", kGreen, 0, 0, 0, true);
    ScreenspacePopupText four("abcd", kGreen, 0, 0, 0, true);
    EXPECT_FLOAT_EQ(three.GetSize(), 0.075f);
    EXPECT_FLOAT_EQ(four.GetSize(), 0.05f);
}

TEST_F(PopupTest, ACopyKeepsItsFieldsAndItsOwner)
{
    CreatePopupText("FULL!", kGreen, 1.0f, 2.0f, 3.0f, 1.0f, true);
    auto text = NewestPopup<PopupText>();
    std::unique_ptr<PopupText> copy(text->Clone());
    EXPECT_EQ(copy->GetText(), "FULL!");
    EXPECT_EQ(copy->GetPosition(), glm::vec2(1.0f, 2.0f));
    EXPECT_EQ(copy->GetOwner().lock(), Newest());
    std::unique_ptr<ScreenspacePopupText> screenCopy(ScreenspacePopupText("x", kGreen, 0, 0, 0, false).Clone());
    EXPECT_EQ(screenCopy->GetText(), "x");
}

} // namespace
