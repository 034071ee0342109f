#include "PhysicsTestWorld.h"

#include <algorithm>
#include <vector>

namespace {

using ColliderPool = PhysicsTest;

std::vector<unsigned int> ActiveIDs()
{
    std::vector<unsigned int> ids;
    for (const fb::BoxCollider* collider : GetActiveBoxColliders())
        ids.push_back(collider->GetID());
    return ids;
}

TEST_F(ColliderPool, HandsOutTheLowestFreeRecordAndKeepsTakeOrder)
{
    EXPECT_EQ(GetBoxCollider()->GetID(), 0u);
    EXPECT_EQ(GetBoxCollider()->GetID(), 1u);
    EXPECT_EQ(GetBoxCollider()->GetID(), 2u);
    FreeBoxCollider(1);
    EXPECT_EQ(ActiveIDs(), (std::vector<unsigned int>{0, 2}));

    fb::BoxCollider* again = GetBoxCollider();
    EXPECT_EQ(again->GetID(), 1u);
    EXPECT_TRUE(again->IsInUse());
    EXPECT_EQ(ActiveIDs(), (std::vector<unsigned int>{0, 2, 1}));
}

TEST_F(ColliderPool, RunsOutAfterAThousandAndGivesBackTheFreedRecord)
{
    for (unsigned int i = 0; i < kBoxColliderCount; ++i)
        ASSERT_NE(GetBoxCollider(), nullptr) << "record " << i;
    EXPECT_EQ(GetBoxCollider(), nullptr);
    EXPECT_EQ(GetActiveBoxColliders().size(), kBoxColliderCount);

    FreeBoxCollider(417);
    fb::BoxCollider* record = GetBoxCollider();
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->GetID(), 417u);
    EXPECT_EQ(GetBoxCollider(), nullptr);
}

TEST_F(ColliderPool, AFreedRecordKeepsItsSettingsButLosesItsParent)
{
    auto owner = Spawn("owner", {0, 0}, {1, 1});
    fb::BoxCollider* collider = GetBoxCollider();
    collider->SetParent(owner);
    collider->SetCenter({2, 3});
    collider->SetSize({4, 5});
    collider->SetLayer(fb::CollisionLayer(8, 4));
    collider->SetBound(false);
    FreeBoxCollider(collider->GetID());

    fb::BoxCollider* again = GetBoxCollider();
    ASSERT_EQ(again, collider);
    EXPECT_TRUE(again->GetParent().expired());
    EXPECT_FALSE(again->HasLostParent());
    EXPECT_EQ(again->GetCenter(), glm::vec2(2, 3));
    EXPECT_EQ(again->GetSize(), glm::vec2(4, 5));
    EXPECT_EQ(again->GetLayer().layer, 8);
    EXPECT_EQ(again->GetLayer().mask, 4);
    EXPECT_FALSE(again->IsBound());
}

TEST_F(ColliderPool, IDsOutsideThePoolAreTracedAndIgnored)
{
    GetBoxCollider();
    FreeBoxCollider(kBoxColliderCount);
    FreeBoxCollider(static_cast<unsigned int>(-1));
    EXPECT_EQ(ActiveIDs(), (std::vector<unsigned int>{0}));
    EXPECT_TRUE(Traced("not a pool ID"));
}

TEST_F(ColliderPool, FreeingARecordNotInUseOnlyClearsIt)
{
    GetBoxCollider();
    GetBoxCollider();
    FreeBoxCollider(5);
    FreeBoxCollider(0);
    FreeBoxCollider(0);
    EXPECT_EQ(ActiveIDs(), (std::vector<unsigned int>{1}));
}

TEST_F(ColliderPool, ShutdownFreesEverythingAndLateReturnsAreHarmless)
{
    fb::BoxCollider* first = GetBoxCollider();
    GetBoxCollider();
    ShutdownBoxColliders();
    EXPECT_TRUE(GetActiveBoxColliders().empty());
    EXPECT_FALSE(first->IsInUse());
    FreeBoxCollider(first->GetID());
    EXPECT_TRUE(GetActiveBoxColliders().empty());
    EXPECT_EQ(GetBoxCollider()->GetID(), 0u);
}

} // namespace
