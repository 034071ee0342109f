#include "core/EventChannels.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using fb::evt::CharacterEvent;
using fb::evt::GameEvent;

struct NameRecorder : fb::evt::SubjectObserver<CharacterEvent> {
    NameRecorder(std::string tag, std::vector<std::string>& log)
        : tag(std::move(tag))
        , log(log)
    {
    }
    void OnNotify(const CharacterEvent& event) override { log.push_back(tag + ":" + event.GetName()); }
    std::string tag;
    std::vector<std::string>& log;
};

// Each test leaves the channels as the game's shutdown does.
class EventChannel : public ::testing::Test {
protected:
    void TearDown() override { fb::evt::ReleaseSingletons(); }
};

TEST_F(EventChannel, ObserversHearRecordsInAttachOrderOncePerAttachment)
{
    std::vector<std::string> log;
    auto a = std::make_shared<NameRecorder>("A", log);
    auto b = std::make_shared<NameRecorder>("B", log);
    auto* channel = fb::evt::CharacterEventSubject::Get();
    channel->Attach(a);
    channel->Attach(b);
    channel->Attach(a);
    channel->CallNotify(CharacterEvent(fb::evt::CharacterEventType::Jump, nullptr));
    EXPECT_EQ(log, (std::vector<std::string>{"A:jump", "B:jump", "A:jump"}));
}

TEST_F(EventChannel, DestroyedObserversDropOutDuringTheNextNotification)
{
    std::vector<std::string> log;
    auto a = std::make_shared<NameRecorder>("A", log);
    auto b = std::make_shared<NameRecorder>("B", log);
    auto* channel = fb::evt::CharacterEventSubject::Get();
    channel->Attach(a);
    channel->Attach(b);
    a.reset();
    EXPECT_EQ(channel->GetObserverCount(), 2u);
    channel->CallNotify(CharacterEvent(fb::evt::CharacterEventType::Portal, nullptr));
    EXPECT_EQ(log, (std::vector<std::string>{"B:portal"}));
    EXPECT_EQ(channel->GetObserverCount(), 1u);
}

TEST_F(EventChannel, RecordsSentBeforeAttachingReachNobody)
{
    std::vector<std::string> log;
    auto* channel = fb::evt::CharacterEventSubject::Get();
    channel->CallNotify(CharacterEvent(fb::evt::CharacterEventType::PunchHit, nullptr));
    auto a = std::make_shared<NameRecorder>("A", log);
    channel->Attach(a);
    EXPECT_TRUE(log.empty());
}

TEST_F(EventChannel, ReleaseLeavesFreshChannelsAndKeepsTheGameChannel)
{
    std::vector<std::string> log;
    auto a = std::make_shared<NameRecorder>("A", log);
    fb::evt::CharacterEventSubject::Get()->Attach(a);
    auto* game = fb::evt::GameEventSubject::Get();
    fb::evt::ReleaseSingletons();
    EXPECT_EQ(fb::evt::CharacterEventSubject::Get()->GetObserverCount(), 0u);
    EXPECT_EQ(fb::evt::EntitySubject::Get()->GetObserverCount(), 0u);
    EXPECT_EQ(fb::evt::GameEventSubject::Get(), game);
}

TEST(EventRecords, NamesAndDefaults)
{
    CharacterEvent none;
    EXPECT_EQ(none.type, 14u);
    EXPECT_EQ(none.entity, nullptr);
    EXPECT_EQ(none.GetName(), "");
    EXPECT_EQ(CharacterEvent(13, nullptr).GetName(), "slimeGold");
    EXPECT_EQ(CharacterEvent(0, nullptr).GetName(), "jump");
    EXPECT_EQ(CharacterEvent(99, nullptr).GetName(), "");

    EXPECT_EQ(GameEvent(nullptr, 8).GetName(), "menuPress");
    EXPECT_EQ(GameEvent(nullptr, 10).GetName(), "zoneChange");
    EXPECT_EQ(GameEvent(nullptr, 0).GetName(), "countdownBeep");
    EXPECT_EQ(GameEvent(nullptr, 11).GetName(), "");

    const std::vector<std::string> characterNames = {"jump", "doubleJump", "wallJump", "runStart", "runEnd",
                                                     "punchHit", "punchMiss", "slimePickup", "slimeFull",
                                                     "roundWin", "punchKing", "portal", "slimeDeliver",
                                                     "slimeGold"};
    for (std::uint32_t i = 0; i < characterNames.size(); ++i)
        EXPECT_EQ(CharacterEvent(i, nullptr).GetName(), characterNames[i]);
}

} // namespace
