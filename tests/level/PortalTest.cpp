#include "render/ParticleTestWorld.h"

#include "core/EventChannels.h"
#include "core/Transform.h"
#include "level/Portal.h"
#include "physics/AdvancedBody.h"
#include "render/KillClock.h"
#include "render/ParticleSystem.h"
#include "support/TakeEveryCollider.h"

#include <stdexcept>

namespace {

using fb::cmp::AdvancedBody;

PortalInfo Record(const std::string& name, const std::string& direction, glm::vec2 centre, glm::vec2 size)
{
    return {name, direction, centre.x, centre.y, size.x, size.y};
}

// Counts the "portal" events of the character channel.
class PortalListener : public fb::evt::SubjectObserver<fb::evt::CharacterEvent> {
public:
    void OnNotify(const fb::evt::CharacterEvent& event) override
    {
        if (event.GetName() != "portal")
            return;
        ++count;
        last = event.entity;
    }

    int count = 0;
    std::shared_ptr<fb::Entity> last;
};

class PortalTest : public EffectsTest {
protected:
    void SetUp() override
    {
        EffectsTest::SetUp();
        // As a level build starts: the pair effects from "ProtoPortal0" on.
        CreateLevelPortals({});
        SetPortalClock([this] { return now; });
        fb::evt::CharacterEventSubject::Get()->Attach(listener);
    }

    void TearDown() override
    {
        SetPortalClock(nullptr);
        EffectsTest::TearDown();
    }

    // The portals of the entity list, in the order they were made.
    static std::vector<std::shared_ptr<fb::Entity>> Portals()
    {
        std::vector<std::shared_ptr<fb::Entity>> portals;
        for (const auto& entity : EntityManager::GetEntities()) {
            if (entity->GetComponent<Portal>())
                portals.push_back(entity);
        }
        return portals;
    }

    static std::vector<std::string> Named(const std::string& suffix)
    {
        std::vector<std::string> names;
        for (const auto& entity : EntityManager::GetEntities()) {
            const std::string name = entity->GetName();
            if (name.size() >= suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
                names.push_back(name);
        }
        return names;
    }

    // A player-sized body of the "team1" layer, standing still.
    static std::shared_ptr<fb::Entity> Traveller(glm::vec2 position)
    {
        auto entity = std::make_shared<fb::Entity>("Player 0");
        entity->AddComponent<fb::cmp::Transform>(
            std::make_shared<fb::cmp::Transform>(position, glm::vec2(1, 1), 0.0f));
        entity->AddComponent<AdvancedBody>(std::make_shared<AdvancedBody>(fb::CollisionLayer(4, 2)));
        EntityManager::Add(entity);
        return entity;
    }

    static glm::vec2 PositionOf(const std::shared_ptr<fb::Entity>& entity)
    {
        return entity->GetComponent<fb::cmp::Transform>()->GetPosition();
    }

    // A pair "A": the first at the origin exits right of the second at
    // (10, 0), which exits left of the first.
    static void RightLeftPair()
    {
        CreatePortalPair(Record("A", "Right", {0, 0}, {1, 2}), Record("A", "Left", {10, 0}, {1, 2}));
    }

    std::int64_t now = 5000;
    std::shared_ptr<PortalListener> listener = std::make_shared<PortalListener>();
};

TEST_F(PortalTest, EachPortalExitsTwoPartnerSizesBesideItsPartner)
{
    CreatePortalPair(Record("A", "Up", {0, 0}, {1, 2}), Record("A", "Left", {10, 5}, {3, 1}));
    const auto portals = Portals();
    ASSERT_EQ(portals.size(), 2u);
    EXPECT_EQ(portals[0]->GetName(), "A(1 of 2)");
    EXPECT_EQ(portals[1]->GetName(), "A(1 of 2)");
    EXPECT_EQ(portals[0]->GetComponent<Portal>()->GetExitPoint(), glm::vec2(10, 7));
    EXPECT_EQ(portals[1]->GetComponent<Portal>()->GetExitPoint(), glm::vec2(-2, 0));
    EXPECT_EQ(portals[1]->GetComponent<fb::cmp::Transform>()->GetScale(), glm::vec2(3, 1));

    CreatePortalPair(Record("B", "Down", {0, 0}, {1, 2}), Record("B", "Right", {4, 4}, {2, 1}));
    EXPECT_EQ(Portals()[2]->GetComponent<Portal>()->GetExitPoint(), glm::vec2(4, 2));
    EXPECT_EQ(Portals()[3]->GetComponent<Portal>()->GetExitPoint(), glm::vec2(2, 0));
}

TEST_F(PortalTest, RecordsPairByExactNameAndEveryTwoOfOneNamePair)
{
    CreateLevelPortals({Record("A", "Up", {0, 0}, {1, 1}), Record("A", "Up", {5, 0}, {1, 1}),
                        Record("A", "Up", {9, 0}, {1, 1}), Record("a", "Up", {2, 8}, {1, 1})});
    EXPECT_EQ(Portals().size(), 6u);
}

TEST_F(PortalTest, EachPairOfALevelGetsTheNextOfFiveSwirls)
{
    std::vector<PortalInfo> records;
    for (int pair = 0; pair < 6; ++pair) {
        const std::string name = "P" + std::to_string(pair);
        records.push_back(Record(name, "Up", {pair * 4.0f, 0}, {1, 1}));
        records.push_back(Record(name, "Down", {pair * 4.0f, 10}, {1, 1}));
    }
    CreateLevelPortals(records);
    const std::vector<std::string> swirls = Named("Particles");
    const std::vector<std::string> expected = {
        "ProtoPortal0Particles", "ProtoPortal0Particles", "ProtoPortal1Particles", "ProtoPortal1Particles",
        "ProtoPortal2Particles", "ProtoPortal2Particles", "ProtoPortal3Particles", "ProtoPortal3Particles",
        "ProtoPortal4Particles", "ProtoPortal4Particles", "ProtoPortal0Particles", "ProtoPortal0Particles"};
    EXPECT_EQ(swirls, expected);

    CreateLevelPortals({Record("Z", "Left", {0, 0}, {1, 1}), Record("Z", "Right", {3, 0}, {1, 1})});
    EXPECT_EQ(Named("Particles").back(), "ProtoPortal0Particles") << "a new level starts again at 0";
}

TEST_F(PortalTest, AnUnknownDirectionThrowsBeforeAnythingIsMade)
{
    try {
        CreatePortalPair(Record("A", "Up", {0, 0}, {1, 1}), Record("A", "up", {5, 0}, {1, 1}));
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Unknown Portal Type", 0), 0u) << error.what();
    }
    EXPECT_EQ(EntityCount(), 0u);
}

TEST_F(PortalTest, ALevelLeavesOutOnlyThePairWithAnUnknownDirection)
{
    CreateLevelPortals({Record("Bad", "Sideways", {0, 0}, {1, 1}), Record("Bad", "Up", {5, 0}, {1, 1}),
                        Record("Good", "Left", {0, 9}, {1, 1}), Record("Good", "Right", {5, 9}, {1, 1})});
    ASSERT_EQ(Portals().size(), 2u);
    EXPECT_EQ(Portals()[0]->GetName(), "Good(1 of 2)");
    EXPECT_TRUE(Traced("Unknown Portal Type \"Sideways\" on portal \"Bad\"", 3));
}

TEST_F(PortalTest, APortalPairTeleportsABodyAndRaisesOnePortalEventPerTeleport)
{
    RightLeftPair();
    auto body = Traveller({0, 0});
    auto agile = body->GetComponent<AdvancedBody>();
    agile->SetVelocity({0, 0});
    Frame();
    // Two partner widths right of the far portal, and 1.1 of its own width on.
    EXPECT_NEAR(PositionOf(body).x, 12.0f + 1.1f, 1e-5f);
    EXPECT_NEAR(PositionOf(body).y, 0.0f, 1e-5f);
    EXPECT_EQ(listener->count, 1);
    EXPECT_EQ(listener->last, body);
    const std::vector<std::string> puffs = Named("Particles");
    EXPECT_NE(std::find(puffs.begin(), puffs.end(), "PortalInParticles"), puffs.end());
    EXPECT_NE(std::find(puffs.begin(), puffs.end(), "PortalOutParticles"), puffs.end());

    now += 5000;
    Frames(120);
    EXPECT_EQ(listener->count, 1) << "it stands clear of the far portal";
    EXPECT_TRUE(Complaints().empty()) << Complaints().front();
}

TEST_F(PortalTest, ATravellerIsIgnoredForASecondOfRealTime)
{
    RightLeftPair();
    auto body = Traveller({0, 0});
    Frame();
    ASSERT_EQ(listener->count, 1);

    now += 500;
    body->GetComponent<fb::cmp::Transform>()->SetPosition(0, 0);
    Frame();
    EXPECT_EQ(PositionOf(body), glm::vec2(0, 0));
    now += 500;
    Frame();
    EXPECT_EQ(PositionOf(body), glm::vec2(0, 0)) << "1000 ms later it is still cooling down";
    now += 1;
    Frame();
    EXPECT_NEAR(PositionOf(body).x, 13.1f, 1e-5f);
    EXPECT_EQ(listener->count, 2);
}

TEST_F(PortalTest, APortalHandlesAtMostFiveTravellersAFrame)
{
    RightLeftPair();
    std::vector<std::shared_ptr<fb::Entity>> crowd;
    for (int i = 0; i < 6; ++i)
        crowd.push_back(Traveller({0.0f, -0.5f + 0.2f * i}));
    Frame();
    EXPECT_EQ(listener->count, 5);
    Frame();
    EXPECT_EQ(listener->count, 6) << "the sixth goes next frame";
}

TEST_F(PortalTest, NothingHappensWhileThePlayIsPaused)
{
    RightLeftPair();
    CreatePortalPair(Record("W", "Omni", {0, 20}, {1, 1}), Record("W", "Omni", {20, 20}, {1, 1}));
    auto body = Traveller({0, 0});
    const std::size_t before = EntityCount();
    Time::SetTimeScale(0.0f);
    Frames(10);
    EXPECT_EQ(PositionOf(body), glm::vec2(0, 0));
    EXPECT_EQ(EntityCount(), before) << "not even the void effect";
    EXPECT_EQ(listener->count, 0);
}

TEST_F(PortalTest, AnOmniPairShowsAVoidForItsTwentySecondsAndThenGoes)
{
    RightLeftPair();
    CreatePortalPair(Record("W", "Omni", {0, 20}, {1, 1}), Record("W", "Omni", {20, 20}, {1, 1}));
    EXPECT_EQ(Named("Particles").size(), 2u) << "no swirls for an omni pair";
    auto omni = Portals()[2];
    EXPECT_TRUE(omni->GetComponent<Portal>()->IsOmni());
    EXPECT_EQ(omni->GetComponent<Portal>()->GetExitPoint(), glm::vec2(20, 20));
    EXPECT_FLOAT_EQ(omni->GetComponent<KillClock>()->GetTimeLeft(), 20.0f);

    Frame();
    std::shared_ptr<fb::Entity> effect = omni->GetComponent<Portal>()->GetEffect();
    ASSERT_TRUE(effect);
    EXPECT_EQ(effect->GetName(), "voidParticles");
    // Made with the portal's time left, and run in the same frame.
    EXPECT_NEAR(effect->GetComponent<KillClock>()->GetTimeLeft(), 20.0f - 2 * kFrame, 1e-4f);
    EXPECT_GE(effect->GetComponent<ParticleSystem>()->GetTotalLifetime(), 20.0f - kFrame - 1.0f);

    CreatePortalPair(Record("X", "Up", {40, 0}, {1, 1}), Record("X", "Up", {50, 0}, {1, 1}));
    EXPECT_EQ(Named("ProtoPortal1Particles").size(), 2u) << "the omni pair left the counter alone";

    Time::SetDt(0.25f);
    Frames(81);
    EXPECT_EQ(Portals().size(), 4u) << "the omni pair is gone";
    EXPECT_EQ(Named("voidParticles").size(), 0u);
}

TEST_F(PortalTest, AnOmniPortalTeleportsEvenWhatHasNoBodyButSaysSo)
{
    CreatePortalPair(Record("W", "Omni", {0, 0}, {1, 1}), Record("W", "Omni", {20, 0}, {1, 1}));
    auto crate = std::make_shared<fb::Entity>("crate");
    crate->AddComponent<fb::cmp::Transform>(std::make_shared<fb::cmp::Transform>(glm::vec2(0, 0), glm::vec2(1, 1), 0));
    EntityManager::Add(crate);
    fb::BoxCollider* box = GetBoxCollider();
    box->SetParent(crate);
    box->SetLayer(fb::CollisionLayer(32, 0));
    box->SetBound(true);
    Frame();
    EXPECT_EQ(PositionOf(crate), glm::vec2(20, 0));
    EXPECT_TRUE(Traced("Could not find advanced body to teleport!"));
    FreeBoxCollider(box->GetID());
}

TEST_F(PortalTest, WithoutAPoolColliderAPortalStandsStill)
{
    auto body = Traveller({0, 0});
    TakeEveryCollider();
    RightLeftPair();
    EXPECT_TRUE(Traced("collider pool is exhausted", 3));
    ASSERT_EQ(Portals().size(), 2u);
    EXPECT_FALSE(Portals()[0]->GetComponent<Portal>()->GetCollider());
    Frames(5);
    EXPECT_EQ(PositionOf(body), glm::vec2(0, 0));
}

TEST_F(PortalTest, APortalReturnsItsColliderAndACopyTakesItsOwn)
{
    const std::size_t before = GetActiveBoxColliders().size();
    RightLeftPair();
    EXPECT_EQ(GetActiveBoxColliders().size(), before + 2);
    auto portal = Portals()[0]->GetComponent<Portal>();
    std::unique_ptr<Portal> copy(portal->Clone());
    EXPECT_FALSE(copy->GetCollider());
    EXPECT_EQ(copy->GetExitPoint(), portal->GetExitPoint());
    copy.reset();
    EXPECT_EQ(GetActiveBoxColliders().size(), before + 2);

    Portals()[0]->RemoveComponent<Portal>();
    EXPECT_EQ(GetActiveBoxColliders().size(), before + 1);
}

} // namespace
