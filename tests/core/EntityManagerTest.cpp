#include "core/EntityManager.h"
#include "core/EventChannels.h"
#include "core/KeptFiles.h"
#include "core/Trace.h"
#include "core/Transform.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>
#include <string>
#include <vector>

namespace {

const std::string kData = "../../tests/data/core/";

class EntityManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EntityManager::Init();
        SetTraceSink([this](const std::string& message, int level) { traces.push_back({message, level}); });
    }
    void TearDown() override
    {
        SetTraceSink(nullptr);
        EntityManager::Exit();
    }

    bool Traced(const std::string& fragment) const
    {
        for (const auto& trace : traces) {
            if (trace.first.find(fragment) != std::string::npos)
                return true;
        }
        return false;
    }

    std::vector<std::pair<std::string, int>> traces;
};

class Counter : public fb::cmp::Component {
public:
    explicit Counter(int& updates)
        : mUpdates(updates)
    {
    }
    void Update() override { ++mUpdates; }

private:
    int& mUpdates;
};

std::shared_ptr<fb::Entity> CountingEntity(const std::string& name, int& updates)
{
    auto entity = std::make_shared<fb::Entity>(name);
    entity->AddComponent(std::make_shared<Counter>(updates));
    return entity;
}

TEST_F(EntityManagerTest, IDsCountFromZeroAfterInit)
{
    EXPECT_EQ(EntityManager::NextID(), 0);
    EXPECT_EQ(std::make_shared<fb::Entity>("a")->GetID(), 1);
    EntityManager::Init();
    EXPECT_EQ(std::make_shared<fb::Entity>("b")->GetID(), 0);
}

TEST_F(EntityManagerTest, RemovalIsDeferredToTheEndOfTheUpdate)
{
    int firstUpdates = 0, secondUpdates = 0;
    auto first = CountingEntity("first", firstUpdates);
    auto second = CountingEntity("second", secondUpdates);
    EntityManager::Add(first);
    EntityManager::Add(second);

    EntityManager::Remove(second);
    EntityManager::Remove(second);
    EntityManager::Remove(std::make_shared<fb::Entity>("never added"));
    EntityManager::Update();
    EXPECT_EQ(firstUpdates, 1);
    EXPECT_EQ(secondUpdates, 1);
    ASSERT_EQ(EntityManager::GetEntities().size(), 1u);
    EXPECT_EQ(EntityManager::GetEntities().front(), first);

    EntityManager::Update();
    EXPECT_EQ(secondUpdates, 1);
}

TEST_F(EntityManagerTest, RemovalTakesTheQueuedObjectEvenWhenIDsAreShared)
{
    int updates = 0;
    auto original = CountingEntity("original", updates);
    auto copy = std::make_shared<fb::Entity>(*original);
    EntityManager::Add(original);
    EntityManager::Add(copy);
    EntityManager::Remove(copy);
    EntityManager::Update();
    ASSERT_EQ(EntityManager::GetEntities().size(), 1u);
    EXPECT_EQ(EntityManager::GetEntities().front(), original);
    EXPECT_EQ(EntityManager::FindByID(copy->GetID()).lock(), original);
}

// Queues the removal of the next entity in a chain when its own entity goes.
class RemovesNextOnRelease : public fb::cmp::Component {
public:
    explicit RemovesNextOnRelease(std::shared_ptr<fb::Entity> next)
        : mNext(std::move(next))
    {
    }
    ~RemovesNextOnRelease() override { EntityManager::Remove(mNext); }

private:
    std::shared_ptr<fb::Entity> mNext;
};

TEST_F(EntityManagerTest, RemovalsQueuedWhileReleasingGoOneUpdateLaterAndNothingIsKeptAlive)
{
    std::vector<std::weak_ptr<fb::Entity>> chain;
    std::shared_ptr<fb::Entity> next;
    for (int i = 0; i < 3; ++i) {
        auto entity = std::make_shared<fb::Entity>("link " + std::to_string(i));
        entity->AddComponent(std::make_shared<RemovesNextOnRelease>(next));
        EntityManager::Add(entity);
        chain.insert(chain.begin(), entity);
        next = std::move(entity);
    }
    EntityManager::Remove(next);
    next.reset();
    for (std::size_t gone = 1; gone <= chain.size(); ++gone) {
        EntityManager::Update();
        EXPECT_EQ(EntityManager::GetEntities().size(), chain.size() - gone);
        for (std::size_t i = 0; i < chain.size(); ++i)
            EXPECT_EQ(chain[i].expired(), i < gone) << "link " << chain.size() - 1 - i << " after update " << gone;
    }
}

TEST_F(EntityManagerTest, EntitiesAddedDuringTheWalkAreUpdatedInTheSameWalk)
{
    int spawnedUpdates = 0;
    class Spawner : public fb::cmp::Component {
    public:
        explicit Spawner(int& updates)
            : mUpdates(updates)
        {
        }
        void Update() override
        {
            if (!mDone)
                EntityManager::Add(CountingEntity("spawned", mUpdates));
            mDone = true;
        }

    private:
        int& mUpdates;
        bool mDone = false;
    };
    auto spawner = std::make_shared<fb::Entity>("spawner");
    spawner->AddComponent(std::make_shared<Spawner>(spawnedUpdates));
    EntityManager::Add(spawner);
    EntityManager::Update();
    EXPECT_EQ(spawnedUpdates, 1);
    EXPECT_EQ(EntityManager::GetEntities().size(), 2u);
}

TEST_F(EntityManagerTest, AddNotifiesTheEntityChannelOnce)
{
    struct Listener : fb::evt::SubjectObserver<fb::evt::EntityEvent> {
        void OnNotify(const fb::evt::EntityEvent& event) override { kinds.push_back(event.kind); }
        std::vector<unsigned> kinds;
    };
    auto listener = std::make_shared<Listener>();
    fb::evt::EntitySubject::Get()->Attach(listener);
    EntityManager::Add(std::make_shared<fb::Entity>("announced"));
    EXPECT_EQ(listener->kinds, (std::vector<unsigned>{0}));
}

TEST_F(EntityManagerTest, ArchetypeBuildsItsGoodComponentsAndTracesTheRest)
{
    ASSERT_TRUE(EntityManager::LoadJson(kData + "good_archetype.json"));
    std::shared_ptr<fb::Entity> crate = EntityManager::LoadArchetype("crate");
    ASSERT_NE(crate, nullptr);
    EXPECT_EQ(crate->GetName(), "crate");
    auto transform = crate->GetComponent<fb::cmp::Transform>();
    ASSERT_NE(transform, nullptr);
    EXPECT_EQ(transform->GetPosition(), glm::vec2(3.0f, -2.5f));
    EXPECT_EQ(transform->GetScale(), glm::vec2(2.0f, 1.5f));
    EXPECT_FLOAT_EQ(transform->GetRotation(), 0.25f);
    EXPECT_EQ(crate->GetComponents().size(), 1u);
    EXPECT_EQ(crate->GetBehavior(), nullptr);
    ASSERT_NE(crate->GetArchetype(), nullptr);
    EXPECT_STREQ((*crate->GetArchetype())["name"].GetString(), "crate");

    EXPECT_TRUE(Traced("NoSuchComponent"));
    EXPECT_TRUE(Traced("Archetype has component with missing type!"));
    EXPECT_TRUE(Traced("Behavior without a \"filename\""));
    EXPECT_TRUE(EntityManager::GetEntities().empty());
}

TEST_F(EntityManagerTest, ALaterFileWithTheSameNameReplacesTheCachedArchetype)
{
    ASSERT_TRUE(EntityManager::LoadJson(kData + "good_archetype.json"));
    std::shared_ptr<fb::Entity> before = EntityManager::LoadArchetype("crate");
    ASSERT_TRUE(EntityManager::LoadJson(kData + "renamed_archetype.json"));
    std::shared_ptr<fb::Entity> after = EntityManager::LoadArchetype("crate");
    EXPECT_EQ(after->GetComponent<fb::cmp::Transform>()->GetPosition(), glm::vec2(10.0f, 20.0f));
    EXPECT_EQ(before->GetComponent<fb::cmp::Transform>()->GetPosition(), glm::vec2(3.0f, -2.5f));
    EXPECT_NE(before->GetArchetype(), after->GetArchetype());
}

TEST_F(EntityManagerTest, BrokenArchetypeFilesAreTracedWithTheirNamesAndBuildNothing)
{
    const std::vector<std::string> broken = {"missing_archetype.json", "unparsable_archetype.json",
                                             "nameless_archetype.json", "wrong_types_archetype.json"};
    for (const std::string& file : broken) {
        traces.clear();
        EXPECT_FALSE(EntityManager::LoadJson(kData + file)) << file;
        EXPECT_TRUE(Traced(file)) << file;
    }
    EXPECT_TRUE(Traced("Failed to parse JSON: No 'name' and/or 'components' field"));
    EXPECT_EQ(EntityManager::LoadArchetype("broken"), nullptr);
    EXPECT_EQ(EntityManager::LoadArchetype("never loaded"), nullptr);
}

} // namespace

namespace {

TEST_F(EntityManagerTest, AnArchetypeFileIsReadOnceAndEachLoadGetsItsOwnCopy)
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("vendrabolt-kept-archetype-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string file = fs::relative(folder, "assets/json").generic_string() + "/box.json";
    auto write = [&](float x) {
        std::ofstream("assets/json/" + file) << R"({"name": "box", "components": [{"type": "Transform", "posX": )"
                                             << x << "}]}";
    };
    auto built = [] { return EntityManager::LoadArchetype("box"); };

    write(1.0f);
    ASSERT_TRUE(EntityManager::LoadJson(file));
    std::shared_ptr<fb::Entity> first = built();
    (*first->GetArchetype())["name"].SetString("changed by the editor");

    write(2.0f);
    ASSERT_TRUE(EntityManager::LoadJson(file));
    std::shared_ptr<fb::Entity> second = built();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->GetComponent<fb::cmp::Transform>()->GetPosition().x, 1.0f) << "the file was read again";
    EXPECT_STREQ((*second->GetArchetype())["name"].GetString(), "box") << "the loads share one document";

    KeptFiles::Forget("assets/json/" + file);
    ASSERT_TRUE(EntityManager::LoadJson(file));
    EXPECT_EQ(built()->GetComponent<fb::cmp::Transform>()->GetPosition().x, 2.0f);
    fs::remove_all(folder);
}

} // namespace
