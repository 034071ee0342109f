#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/Transform.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> gLog;

// Component types whose class names fix the update order.
template <const char* Name>
class Probe : public fb::cmp::Component {
public:
    void Init() override { gLog.push_back(std::string(Name) + ".Init"); }
    void OnComponentAdded(std::weak_ptr<fb::cmp::Component>) override { gLog.push_back(std::string(Name) + ".Added"); }
    void Update() override { gLog.push_back(std::string(Name) + ".Update"); }
    void Exit() override { gLog.push_back(std::string(Name) + ".Exit"); }
};

class AdvancedBody : public fb::cmp::Component {
public:
    void Update() override { gLog.push_back("AdvancedBody"); }
};

class Sprite : public fb::cmp::Component {
public:
    void Update() override { gLog.push_back("Sprite"); }
};

class SpriteAnimated : public fb::cmp::Component {
public:
    void Update() override { gLog.push_back("SpriteAnimated"); }
};

namespace zz {
class Aardvark : public fb::cmp::Component {
public:
    void Update() override { gLog.push_back("Aardvark"); }
};
} // namespace zz

// Removes itself and another component in the middle of its own update.
class PunchFX : public fb::cmp::Component {
public:
    void Update() override
    {
        gLog.push_back("PunchFX");
        auto owner = GetOwner().lock();
        owner->RemoveComponent<Sprite>();
        owner->RemoveComponent<PunchFX>();
    }
};

class EntityTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EntityManager::Init();
        gLog.clear();
    }
    void TearDown() override { EntityManager::Exit(); }
};

constexpr char kFirst[] = "First";
constexpr char kSecond[] = "Second";

TEST_F(EntityTest, ComponentsUpdateInUnqualifiedClassNameOrder)
{
    auto entity = std::make_shared<fb::Entity>("ordered");
    entity->AddComponent(std::make_shared<fb::cmp::Transform>());
    entity->AddComponent(std::make_shared<SpriteAnimated>());
    entity->AddComponent(std::make_shared<Sprite>());
    entity->AddComponent(std::make_shared<zz::Aardvark>());
    entity->AddComponent(std::make_shared<AdvancedBody>());
    entity->Update();
    EXPECT_EQ(gLog, (std::vector<std::string>{"Aardvark", "AdvancedBody", "Sprite", "SpriteAnimated"}));
}

TEST_F(EntityTest, AddingAComponentRunsExitThenAddedForAllThenInit)
{
    auto entity = std::make_shared<fb::Entity>("adding");
    entity->AddComponent(std::make_shared<Probe<kFirst>>());
    entity->AddComponent(std::make_shared<Probe<kSecond>>());
    gLog.clear();
    entity->AddComponent(std::make_shared<Probe<kFirst>>());
    EXPECT_EQ(gLog, (std::vector<std::string>{"First.Exit", "First.Added", "Second.Added", "First.Init"}));
}

TEST_F(EntityTest, RemoveComponentCallsExitOnlyWhenPresent)
{
    auto entity = std::make_shared<fb::Entity>("removing");
    EXPECT_FALSE(entity->RemoveComponent<Probe<kFirst>>());
    EXPECT_TRUE(gLog.empty());
    entity->AddComponent(std::make_shared<Probe<kFirst>>());
    gLog.clear();
    EXPECT_TRUE(entity->RemoveComponent<Probe<kFirst>>());
    EXPECT_EQ(gLog, (std::vector<std::string>{"First.Exit"}));
    EXPECT_EQ(entity->GetComponent<Probe<kFirst>>(), nullptr);
}

TEST_F(EntityTest, ComponentsStoredUnderTheBaseTypeAreFoundOnlyThroughIt)
{
    auto entity = std::make_shared<fb::Entity>("base");
    std::shared_ptr<fb::cmp::Component> sprite = std::make_shared<Sprite>();
    entity->AddComponent<fb::cmp::Component>(sprite);
    EXPECT_EQ(entity->GetComponent<fb::cmp::Component>(), sprite);
    EXPECT_EQ(entity->GetComponent<Sprite>(), nullptr);
}

TEST_F(EntityTest, EmptyComponentsAreNeverStored)
{
    auto entity = std::make_shared<fb::Entity>("empty");
    entity->AddComponent(std::make_shared<Sprite>());
    entity->AddComponent(std::shared_ptr<fb::cmp::Component>());
    entity->AddComponent(std::shared_ptr<Sprite>());
    EXPECT_EQ(entity->GetComponents().size(), 1u);
    EXPECT_NE(entity->GetComponent<Sprite>(), nullptr);
    entity->Update();
}

TEST_F(EntityTest, AComponentRemovingItselfAndOthersDuringUpdateKeepsTheWalkValid)
{
    auto entity = std::make_shared<fb::Entity>("punched");
    entity->AddComponent(std::make_shared<PunchFX>());
    entity->AddComponent(std::make_shared<Sprite>());
    entity->AddComponent(std::make_shared<SpriteAnimated>());
    entity->Update();
    EXPECT_EQ(gLog, (std::vector<std::string>{"PunchFX", "SpriteAnimated"}));
    EXPECT_EQ(entity->GetComponents().size(), 1u);
}

TEST_F(EntityTest, DyingEntityExitsItsComponents)
{
    {
        auto entity = std::make_shared<fb::Entity>("dying");
        entity->AddComponent(std::make_shared<Probe<kSecond>>());
        entity->AddComponent(std::make_shared<Probe<kFirst>>());
        gLog.clear();
    }
    EXPECT_EQ(gLog, (std::vector<std::string>{"First.Exit", "Second.Exit"}));
}

TEST_F(EntityTest, OrphanStopsUpdatingAndIsRemovedAtTheEndOfThatUpdate)
{
    auto parent = std::make_shared<fb::Entity>("parent");
    auto child = std::make_shared<fb::Entity>("child");
    child->AddComponent(std::make_shared<Sprite>());
    child->SetParent(parent);
    EntityManager::Add(child);

    EntityManager::Update();
    EXPECT_EQ(gLog, (std::vector<std::string>{"Sprite"}));

    parent.reset();
    gLog.clear();
    std::weak_ptr<fb::Entity> watch = child;
    child.reset();
    EntityManager::Update();
    EXPECT_TRUE(gLog.empty());
    EXPECT_TRUE(watch.expired());
    EXPECT_TRUE(EntityManager::GetEntities().empty());
}

TEST_F(EntityTest, CopiesShareComponentsAndIDButNotTheScript)
{
    auto source = std::make_shared<fb::Entity>("source");
    source->AddComponent(std::make_shared<Sprite>());
    auto copy = std::make_shared<fb::Entity>(*source);
    EXPECT_EQ(copy->GetID(), source->GetID());
    EXPECT_EQ(copy->GetComponent<Sprite>(), source->GetComponent<Sprite>());
    EXPECT_EQ(copy->GetBehavior(), nullptr);
}

TEST_F(EntityTest, AddingToAnEntityNotHeldBySharedPointerThrowsAfterStoring)
{
    fb::Entity loose("loose");
    EXPECT_THROW(loose.AddComponent(std::make_shared<Sprite>()), std::bad_weak_ptr);
    EXPECT_NE(loose.GetComponent<Sprite>(), nullptr);
}

} // namespace
