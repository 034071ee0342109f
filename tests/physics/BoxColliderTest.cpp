#include "PhysicsTestWorld.h"

#include <cmath>
#include <numbers>
#include <optional>

namespace {

using BoxGeometry = PhysicsTest;

constexpr float kTolerance = 1e-5f;

void ExpectCorners(const fb::BoxCollider& box, std::array<glm::vec2, 4> expected)
{
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(box.GetCorner(i).x, expected[static_cast<std::size_t>(i)].x, kTolerance) << "corner " << i;
        EXPECT_NEAR(box.GetCorner(i).y, expected[static_cast<std::size_t>(i)].y, kTolerance) << "corner " << i;
    }
}

void ExpectVec(glm::vec2 actual, glm::vec2 expected, float tolerance = kTolerance)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
}

TEST_F(BoxGeometry, ABoundBoxIsTheEntitysQuad)
{
    auto entity = Spawn("tile", {3, 4}, {2, 1});
    fb::BoxCollider* box = Take(entity, {});
    box->SetCenter({100, 100});
    box->SetSize({50, 50});
    box->UpdateCorners();
    ExpectCorners(*box, {glm::vec2(2, 3.5f), glm::vec2(2, 4.5f), glm::vec2(4, 4.5f), glm::vec2(4, 3.5f)});
}

TEST_F(BoxGeometry, AnUnboundBoxScalesAndMovesWithTheEntity)
{
    auto entity = Spawn("run", {10, 0}, {2, 1});
    fb::BoxCollider* box = Take(entity, {});
    box->SetBound(false);
    box->SetCenter({1, 0});
    box->SetSize({2, 2});
    box->UpdateCorners();
    ExpectCorners(*box, {glm::vec2(10, -1), glm::vec2(10, 1), glm::vec2(14, 1), glm::vec2(14, -1)});
}

TEST_F(BoxGeometry, RotationTurnsTheCorners)
{
    auto entity = Spawn("turned", {0, 0}, {2, 1}, std::numbers::pi_v<float> / 2.0f);
    fb::BoxCollider* box = Take(entity, {});
    box->UpdateCorners();
    ExpectCorners(*box, {glm::vec2(0.5f, -1), glm::vec2(-0.5f, -1), glm::vec2(-0.5f, 1), glm::vec2(0.5f, 1)});
}

TEST_F(BoxGeometry, WithoutALivingParentTheCornersStayLocal)
{
    fb::BoxCollider* loose = TakeLoose({1, 1}, {2, 2}, {});
    loose->UpdateCorners();
    ExpectCorners(*loose, {glm::vec2(0, 0), glm::vec2(0, 2), glm::vec2(2, 2), glm::vec2(2, 0)});

    auto entity = std::make_shared<fb::Entity>("shortLived");
    entity->AddComponent(std::make_shared<fb::cmp::Transform>(glm::vec2(50, 50), glm::vec2(3, 3), 0.0f));
    fb::BoxCollider* orphan = Take(entity, {});
    orphan->SetBound(false);
    orphan->SetCenter({1, 1});
    orphan->SetSize({2, 2});
    entity.reset();
    orphan->UpdateCorners();
    ExpectCorners(*orphan, {glm::vec2(0, 0), glm::vec2(0, 2), glm::vec2(2, 2), glm::vec2(2, 0)});
    EXPECT_TRUE(orphan->HasLostParent());
    EXPECT_FALSE(loose->HasLostParent());
}

TEST_F(BoxGeometry, SideBySideBoxesPushTheArgumentAwayAlongTheShallowAxis)
{
    fb::BoxCollider* left = TakeLoose({0, 0}, {1, 1}, {});
    fb::BoxCollider* right = TakeLoose({0.8f, 0}, {1, 1}, {});
    fb::BoxCollider::Overlap push = left->TestOverlap(*right);
    EXPECT_TRUE(push.hit);
    ExpectVec(push.mtv, {0.2f, 0});

    push = right->TestOverlap(*left);
    EXPECT_TRUE(push.hit);
    ExpectVec(push.mtv, {-0.2f, 0});
}

TEST_F(BoxGeometry, BoxesOfDifferentSizesPushOutOfTheNearerFace)
{
    auto floor = Spawn("floor", {0, 0}, {10, 1});
    fb::BoxCollider* floorBox = Take(floor, {});
    auto above = Spawn("above", {2, 0.9f}, {1, 1});
    auto below = Spawn("below", {-3, -0.75f}, {1, 1});
    auto beside = Spawn("beside", {5.3f, 0}, {1, 1});

    ExpectVec(floorBox->TestOverlap(*Take(above, {})).mtv, {0, 0.1f});
    ExpectVec(floorBox->TestOverlap(*Take(below, {})).mtv, {0, -0.25f});
    ExpectVec(floorBox->TestOverlap(*Take(beside, {})).mtv, {0.2f, 0});
}

TEST_F(BoxGeometry, ARotatedBoxPushesAlongItsOwnFace)
{
    auto diamond = Spawn("diamond", {0, 0}, {1, 1}, std::numbers::pi_v<float> / 4.0f);
    fb::BoxCollider* diamondBox = Take(diamond, {});

    // Off the diamond's upper-right face: pushed out along the face normal.
    auto corner = Spawn("corner", {0.8f, 0.8f}, {1, 1});
    const float depth = 0.5f - 0.6f / std::sqrt(2.0f);
    fb::BoxCollider::Overlap push = diamondBox->TestOverlap(*Take(corner, {}));
    EXPECT_TRUE(push.hit);
    ExpectVec(push.mtv, glm::vec2(depth, depth) / std::sqrt(2.0f));

    // Beside the diamond's right tip the box's own face is the shallow one.
    auto side = Spawn("side", {1, 0}, {1, 1});
    push = diamondBox->TestOverlap(*Take(side, {}));
    EXPECT_TRUE(push.hit);
    ExpectVec(push.mtv, {std::sqrt(0.5f) - 0.5f, 0});
}

TEST_F(BoxGeometry, EqualOverlapsKeepTheFirstAxis)
{
    fb::BoxCollider* a = TakeLoose({0, 0}, {1, 1}, {});
    fb::BoxCollider* b = TakeLoose({0.75f, 0.75f}, {1, 1}, {});
    ExpectVec(a->TestOverlap(*b).mtv, {0.25f, 0});
}

TEST_F(BoxGeometry, TouchingBoxesHitWithNoPush)
{
    fb::BoxCollider* a = TakeLoose({0, 0}, {1, 1}, {});
    fb::BoxCollider* b = TakeLoose({1, 0}, {1, 1}, {});
    fb::BoxCollider::Overlap push = a->TestOverlap(*b);
    EXPECT_TRUE(push.hit);
    EXPECT_EQ(glm::length(push.mtv), 0.0f);

    fb::BoxCollider* apart = TakeLoose({1.01f, 0}, {1, 1}, {});
    EXPECT_FALSE(a->TestOverlap(*apart).hit);
}

TEST_F(BoxGeometry, AFlatBoxHitsNothingAndNeverGivesNaN)
{
    auto flat = Spawn("flat", {0, 0}, {0, 1});
    auto shrunk = Spawn("shrunk", {0, 0}, {0, 0});
    fb::BoxCollider* solid = TakeLoose({0, 0}, {2, 2}, {});
    fb::BoxCollider::Overlap push = solid->TestOverlap(*Take(flat, {}));
    EXPECT_FALSE(push.hit);
    EXPECT_EQ(push.mtv, glm::vec2(0, 0));
    push = Take(shrunk, {})->TestOverlap(*solid);
    EXPECT_FALSE(push.hit);
    EXPECT_EQ(push.mtv, glm::vec2(0, 0));
}

// The drawn outline is the unit square through the outline matrix: it must
// cover the collision box exactly.
void ExpectOutlineCoversTheBox(fb::BoxCollider& box)
{
    const std::optional<glm::mat3> outline = box.GetOutlineMatrix();
    ASSERT_TRUE(outline.has_value());
    box.UpdateCorners();
    const std::array<glm::vec2, 4> square = {glm::vec2(-0.5f, -0.5f), glm::vec2(-0.5f, 0.5f), glm::vec2(0.5f, 0.5f),
                                             glm::vec2(0.5f, -0.5f)};
    for (int i = 0; i < 4; ++i)
        ExpectVec(glm::vec2(*outline * glm::vec3(square[static_cast<std::size_t>(i)], 1.0f)), box.GetCorner(i));
}

TEST_F(BoxGeometry, TheDebugOutlineCoversBoundAndUnboundBoxes)
{
    auto entity = Spawn("turned", {2, -1}, {3, 2}, 0.4f);
    fb::BoxCollider* bound = Take(entity, {});
    ExpectOutlineCoversTheBox(*bound);

    fb::BoxCollider* strip = Take(entity, {});
    strip->SetBound(false);
    strip->SetCenter({0, 0.5f});
    strip->SetSize({1, 0.1f});
    ExpectOutlineCoversTheBox(*strip);
}

TEST_F(BoxGeometry, OnlyLivingOwnersWithATransformAreOutlined)
{
    EXPECT_FALSE(TakeLoose({0, 0}, {1, 1}, {})->GetOutlineMatrix().has_value());
    auto bare = std::make_shared<fb::Entity>("bare");
    fb::BoxCollider* untransformed = Take(bare, {});
    EXPECT_FALSE(untransformed->GetOutlineMatrix().has_value());
    auto entity = std::make_shared<fb::Entity>("gone");
    entity->AddComponent(std::make_shared<fb::cmp::Transform>());
    fb::BoxCollider* orphan = Take(entity, {});
    EXPECT_TRUE(orphan->GetOutlineMatrix().has_value());
    entity.reset();
    EXPECT_FALSE(orphan->GetOutlineMatrix().has_value());

    // Without a renderer the outlines are only queued; the walk must cope
    // with every kind of record.
    Take(Spawn("alive", {0, 0}, {1, 1}), {});
    DrawBoxColliders();
}

} // namespace
