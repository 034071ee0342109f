#include "ScriptTest.h"

#include "physics/AdvancedBody.h"

// The example scripts in assets/script, run from archetype files as a level
// would run them.

namespace {

class ExampleScriptsTest : public ScriptTest {
protected:
    std::shared_ptr<fb::Entity> Load(const std::string& archetype)
    {
        EXPECT_TRUE(EntityManager::LoadJson(kArchetypes + archetype + ".json"));
        std::shared_ptr<fb::Entity> entity = EntityManager::LoadArchetype(archetype);
        EXPECT_TRUE(entity->GetBehavior() && entity->GetBehavior()->IsEnabled());
        EntityManager::Add(entity);
        return entity;
    }

    // A player-like entity: a body on team 1 that collides with the world.
    static std::shared_ptr<fb::Entity> Player(glm::vec2 position)
    {
        auto player = std::make_shared<fb::Entity>("player");
        player->AddComponent(std::make_shared<fb::cmp::Transform>(position, glm::vec2(1.0f, 1.0f), 0.0f));
        player->AddComponent(std::make_shared<fb::cmp::AdvancedBody>(fb::CollisionLayer(4, 2)));
        EntityManager::Add(player);
        return player;
    }

    // A wide strip of level tiles whose top is at y = 0.
    std::shared_ptr<fb::Entity> Floor()
    {
        auto floor = std::make_shared<fb::Entity>("floor");
        floor->AddComponent(std::make_shared<fb::cmp::Transform>(glm::vec2(0.0f, -0.5f), glm::vec2(40.0f, 1.0f), 0.0f));
        EntityManager::Add(floor);
        fb::BoxCollider* collider = GetBoxCollider();
        collider->SetParent(floor);
        collider->SetBound(true);
        collider->SetLayer(fb::CollisionLayer(2, 1));
        return floor;
    }

    static void Frames(int count)
    {
        for (int i = 0; i < count; ++i)
            EntityManager::Update();
    }

    static glm::vec2 PositionOf(const std::shared_ptr<fb::Entity>& entity)
    {
        return entity->GetComponent<fb::cmp::Transform>()->GetPosition();
    }
};

TEST_F(ExampleScriptsTest, BobbingFloatsAroundItsStartAndReturnsThereAtTheEnd)
{
    std::shared_ptr<fb::Entity> platform = Load("bobbing");
    std::shared_ptr<fb::cmp::Transform> transform = platform->GetComponent<fb::cmp::Transform>();
    Time::SetDt(0.0625f);
    Frames(12); // a quarter of its 3 s period: the top
    EXPECT_NEAR(transform->GetPosition().y, 0.5f, 1e-5f);
    Frames(24); // three quarters: the bottom
    EXPECT_NEAR(transform->GetPosition().y, -0.5f, 1e-5f);
    EXPECT_EQ(transform->GetPosition().x, 0.0f);

    EntityManager::Remove(platform);
    platform.reset();
    Frames(1);
    EXPECT_EQ(transform->GetPosition(), glm::vec2(0.0f, 0.0f));
    EXPECT_TRUE(mTraces.empty()) << mTraces.front();
}

TEST_F(ExampleScriptsTest, HopperHopsEachTimeItLands)
{
    Floor();
    std::shared_ptr<fb::Entity> hopper = Load("hopper");
    hopper->AddComponent(std::make_shared<fb::cmp::AdvancedBody>(fb::CollisionLayer(4, 2)));
    std::shared_ptr<fb::cmp::AdvancedBody> body = hopper->GetComponent<fb::cmp::AdvancedBody>();
    body->SetAcceleration({0.0f, -20.0f});

    Frames(1);
    EXPECT_EQ(Lua(hopper, "return hops"), "1");
    EXPECT_GT(body->GetVelocity().y, 0.0f);
    EXPECT_GT(body->GetVelocity().x, 0.0f);
    EXPECT_GT(PositionOf(hopper).y, 0.5f);

    Frames(20);
    EXPECT_EQ(Lua(hopper, "return hops"), "1"); // still in the air
    Frames(100);
    EXPECT_GE(std::stoi(Lua(hopper, "return hops")), 2);
    EXPECT_GT(PositionOf(hopper).x, 0.5f);
    EXPECT_TRUE(mTraces.empty()) << mTraces.front();
}

TEST_F(ExampleScriptsTest, ShockwaveThrowsPlayersAwayAndGivesItsColliderBack)
{
    std::shared_ptr<fb::Entity> player = Player({0.5f, 0.0f});
    std::shared_ptr<fb::Entity> bystander = Player({6.0f, 0.0f});
    std::shared_ptr<fb::Entity> blaster = Load("shockwave");
    const std::size_t active = GetActiveBoxColliders().size();

    Frames(110);
    EXPECT_EQ(Lua(blaster, "return blasts"), "0");
    EXPECT_EQ(player->GetComponent<fb::cmp::AdvancedBody>()->GetVelocity(), glm::vec2(0.0f, 0.0f));
    Frames(20);
    EXPECT_EQ(Lua(blaster, "return blasts"), "1");
    EXPECT_EQ(Lua(blaster, "return thrown"), "1");
    EXPECT_EQ(player->GetComponent<fb::cmp::AdvancedBody>()->GetVelocity(), glm::vec2(12.0f, 0.0f));
    EXPECT_EQ(bystander->GetComponent<fb::cmp::AdvancedBody>()->GetVelocity(), glm::vec2(0.0f, 0.0f));
    EXPECT_EQ(GetActiveBoxColliders().size(), active);
    EXPECT_TRUE(mTraces.empty()) << mTraces.front();
}

TEST_F(ExampleScriptsTest, AlarmSwellsWhileAPlayerIsInsideAndFreesItsSensorAtTheEnd)
{
    std::shared_ptr<fb::Entity> alarm = Load("alarm");
    std::shared_ptr<fb::cmp::Transform> transform = alarm->GetComponent<fb::cmp::Transform>();
    const std::size_t before = GetActiveBoxColliders().size();
    Frames(1);
    EXPECT_EQ(GetActiveBoxColliders().size(), before + 1);
    EXPECT_EQ(transform->GetScale(), glm::vec2(2.0f, 2.0f));

    std::shared_ptr<fb::Entity> player = Player({0.5f, 0.5f});
    Frames(1);
    EXPECT_EQ(Lua(alarm, "return intruders"), "1");
    EXPECT_EQ(transform->GetScale(), glm::vec2(2.5f, 2.5f));

    player->GetComponent<fb::cmp::Transform>()->SetPosition(10.0f, 0.0f);
    Frames(1);
    EXPECT_EQ(transform->GetScale(), glm::vec2(2.0f, 2.0f));

    const std::size_t held = GetActiveBoxColliders().size();
    EntityManager::Remove(alarm);
    alarm.reset();
    Frames(1);
    EXPECT_EQ(GetActiveBoxColliders().size(), held - 1);
    EXPECT_TRUE(mTraces.empty()) << mTraces.front();
}

} // namespace
