#include "ScriptTest.h"

#include "physics/AdvancedBody.h"
#include "physics/CollisionQuery.h"
#include "script/ColliderLeases.h"
#include "support/TakeEveryCollider.h"

namespace {

class PhysicsBindingTest : public ScriptTest {};

TEST_F(PhysicsBindingTest, LayerAndDetectorHoldTheNamedIntegers)
{
    auto entity = Probe();
    EXPECT_EQ(Lua(entity, "return Layer.base .. Layer.world .. Layer.team1 .. Layer.team2 .. Layer.goal .. "
                          "Layer.misc .. Layer.slime"),
              "1248163264");
    EXPECT_EQ(Lua(entity, "return Detector.body .. Detector.top .. Detector.bottom .. Detector.left .. "
                          "Detector.right .. Detector.foot_left .. Detector.foot_right .. Detector.adv_detector_max"),
              "01234567");
    EXPECT_EQ(Lua(entity, "return math.type(Layer.world)"), "integer");
}

TEST_F(PhysicsBindingTest, APoolColliderTakenByAScriptIsTheEngineRecord)
{
    auto entity = Probe("probe", {3.0f, 0.0f});
    ASSERT_EQ(Lua(entity, "c = GetBoxCollider() return c:GetID()"), "0");
    fb::BoxCollider* record = GetActiveBoxColliders().front();
    EXPECT_EQ(record->GetID(), 0u);

    Lua(entity, "local v = vec2.new() v.x = 1.5 v.y = -2 c.center = v c:SetBound(false) "
                "c.layer = CollisionLayer.new(4, 2) c.parent = self");
    EXPECT_EQ(record->GetCenter(), glm::vec2(1.5f, -2.0f));
    EXPECT_FALSE(record->IsBound());
    EXPECT_EQ(record->GetLayer().layer, 4);
    EXPECT_EQ(record->GetLayer().mask, 2);
    EXPECT_EQ(record->GetParent().lock(), entity);
    EXPECT_EQ(Lua(entity, "return c.parent:GetName() .. c.center.x"), "probe1.5");
    EXPECT_EQ(Lua(entity, "return getmetatable(c.layer)"), "CollisionLayer");

    Lua(entity, "c.parent = nil");
    EXPECT_TRUE(record->GetParent().expired());
    EXPECT_TRUE(Contains(Lua(entity, "c.parent = 5"), "BoxCollider.parent takes a Entity, not a number"));
    EXPECT_TRUE(Contains(Lua(entity, "c.layer = 3"), "BoxCollider.layer takes a CollisionLayer"));
    EXPECT_TRUE(Contains(Lua(entity, "c:SetBound(1)"), "boolean expected, got number"));
}

TEST_F(PhysicsBindingTest, NewMakesCollidersLayersAndResultsOutsideThePool)
{
    auto entity = Probe();
    EXPECT_EQ(Lua(entity, "local c = BoxCollider.new() return c:GetID() .. ',' .. c.center.x"), "0,0.0");
    EXPECT_TRUE(GetActiveBoxColliders().empty());
    // Its layer (1, 0) reacts to nothing.
    Solid({0.0f, 0.0f}, fb::CollisionLayer(2, 1));
    EXPECT_EQ(Lua(entity, "local c = BoxCollider.new() c.parent = self return RunBoxCollision(c).collision"), "false");
    EXPECT_EQ(Lua(entity, "local r = CollisionResult.new() return tostring(r.collision) .. r.numCollisions .. "
                          "r.totalMTV.x .. r.updatedPosition.y .. tostring(r:GetBoxCollision(0))"),
              "false00.00.0nil");
    EXPECT_EQ(Lua(entity, "return CollisionLayer.new().layer"), "nil");
    EXPECT_TRUE(Contains(Lua(entity, "CollisionLayer.new(4)"), "takes no arguments or (layer, mask)"));
    EXPECT_TRUE(Contains(Lua(entity, "CollisionLayer.new(2.5, 1)"), "number has no integer representation"));
    EXPECT_TRUE(Contains(Lua(entity, "CollisionLayer.new(1, 2^40 // 1)"), "integer out of range"));
    EXPECT_TRUE(Contains(Lua(entity, "BoxCollider.new(1)"), "takes no arguments"));
}

TEST_F(PhysicsBindingTest, RunBoxCollisionReportsWhatTheEngineQueryFinds)
{
    fb::BoxCollider* wall = Solid({1.5f, 0.0f}, fb::CollisionLayer(2, 1));
    Solid({-1.5f, 0.0f}, fb::CollisionLayer(8, 1));
    auto entity = Probe("probe", {0.75f, 0.0f});
    Lua(entity, "c = GetBoxCollider() c.parent = self c:SetBound(true) c.layer = CollisionLayer.new(4, Layer.world)");

    EXPECT_EQ(Lua(entity, "r = RunBoxCollision(c) return tostring(r.collision) .. ' ' .. r.numCollisions .. ' ' .. "
                          "r.totalMTV.x .. ' ' .. r.totalMTV.y .. ' ' .. r.updatedPosition.x"),
              "true 1 -0.25 0.0 " + Lua(entity, "return c.center.x - 0.25"));
    EXPECT_EQ(Lua(entity, "return r:GetBoxCollision(0):GetID()"), std::to_string(wall->GetID()));
    EXPECT_EQ(Lua(entity, "return r:GetBoxCollision(0).parent:GetName()"), "solid");
    EXPECT_EQ(Lua(entity, "return tostring(r:GetBoxCollision(1)) .. tostring(r:GetBoxCollision(-1)) .. "
                          "tostring(r:GetBoxCollision(5)) .. tostring(r:GetBoxCollision(2^53 // 1))"),
              "nilnilnilnil");
    EXPECT_TRUE(Contains(Lua(entity, "r:GetBoxCollision(0.5)"), "number has no integer representation"));

    // The fields are plain values a script may overwrite on its copy.
    EXPECT_EQ(Lua(entity, "r.numCollisions = 99 r.collision = false return r.numCollisions .. tostring(r:GetBoxCollision(4))"),
              "99nil");
    EXPECT_TRUE(Contains(Lua(entity, "r.numCollisions = 1.5"), "takes a integer"));
}

TEST_F(PhysicsBindingTest, RunBoxCollisionWithNothingGivesAnEmptyResult)
{
    Solid({0.0f, 0.0f}, fb::CollisionLayer(2, 1));
    auto entity = Probe();
    EXPECT_EQ(Lua(entity, "local r = RunBoxCollision(nil) return tostring(r.collision) .. r.numCollisions"), "false0");
    EXPECT_EQ(Lua(entity, "return RunBoxCollision().numCollisions"), "0");
    EXPECT_TRUE(Contains(Lua(entity, "RunBoxCollision(self)"), "BoxCollider expected, got Entity"));
    EXPECT_TRUE(Contains(Lua(entity, "RunBoxCollision(7)"), "BoxCollider expected, got number"));
}

TEST_F(PhysicsBindingTest, ALayerOnTeamOneWithTheWorldMaskReactsToLevelTiles)
{
    Solid({0.0f, 0.0f}, fb::CollisionLayer(2, 1));
    auto entity = Probe();
    EXPECT_EQ(Lua(entity, "local c = GetBoxCollider() c.parent = self c:SetBound(true) "
                          "c.layer = CollisionLayer.new(4, Layer.world) return RunBoxCollision(c).collision"),
              "true");
}

TEST_F(PhysicsBindingTest, AScriptFreesOnlyCollidersItTookAndEachOnce)
{
    auto entity = Probe();
    ASSERT_EQ(Lua(entity, "c = GetBoxCollider() return c:GetID()"), "0");
    Lua(entity, "FreeBoxCollider(0)");
    EXPECT_FALSE(InUse(0));

    // Someone else takes record 0; the script's second free must not take it away.
    fb::BoxCollider* other = Solid({0.0f, 0.0f}, fb::CollisionLayer(2, 1));
    ASSERT_EQ(other->GetID(), 0u);
    Lua(entity, "FreeBoxCollider(0)");
    EXPECT_TRUE(InUse(0));
    EXPECT_TRUE(Traced("snippet:2: FreeBoxCollider(0): this script does not hold that collider"));

    // Nor may it free a record it only found through a query.
    fb::BoxCollider* found = Solid({5.0f, 0.0f}, fb::CollisionLayer(2, 1));
    Lua(entity, "FreeBoxCollider(" + std::to_string(found->GetID()) + ")");
    EXPECT_TRUE(InUse(found->GetID()));
}

TEST_F(PhysicsBindingTest, FreeBoxColliderRefusesIDsOutsideThePool)
{
    auto entity = Probe();
    Lua(entity, "c = GetBoxCollider()");
    for (const char* id : {"-1", "1000", "4294967296", "-4294967296"}) {
        mTraces.clear();
        EXPECT_EQ(Lua(entity, std::string("FreeBoxCollider(") + id + ") return 'ok'"), "ok");
        EXPECT_TRUE(Traced(std::string("FreeBoxCollider(") + id + "): not a pool collider ID")) << id;
    }
    EXPECT_TRUE(InUse(0));
    EXPECT_TRUE(Contains(Lua(entity, "FreeBoxCollider(c)"), "number expected, got BoxCollider"));
    EXPECT_TRUE(Contains(Lua(entity, "FreeBoxCollider(0.5)"), "number has no integer representation"));
    EXPECT_TRUE(Contains(Lua(entity, "FreeBoxCollider()"), "number expected, got no value"));
}

TEST_F(PhysicsBindingTest, CollidersAScriptStillHoldsGoBackWhenItsEntityDies)
{
    auto entity = Scripted(kScripts + "hoarder.lua");
    entity->Update();
    EXPECT_EQ(GetActiveBoxColliders().size(), 2u);
    entity.reset();
    EXPECT_TRUE(GetActiveBoxColliders().empty());
    EXPECT_TRUE(Traced("hoarder.lua\" ended holding 2 pool collider(s)"));
}

TEST_F(PhysicsBindingTest, AnExhaustedPoolGivesNil)
{
    auto entity = Probe();
    TakeEveryCollider();
    EXPECT_EQ(Lua(entity, "return GetBoxCollider()"), "nil");
}

TEST_F(PhysicsBindingTest, TheCollectorNeverReturnsOrDestroysEngineObjects)
{
    fb::BoxCollider* wall = Solid({0.0f, 0.0f}, fb::CollisionLayer(2, 1));
    auto entity = Probe();
    entity->AddComponent(std::make_shared<fb::cmp::AdvancedBody>(fb::CollisionLayer(4, 2)));
    std::weak_ptr<fb::cmp::AdvancedBody> body = entity->GetComponent<fb::cmp::AdvancedBody>();
    const std::size_t active = GetActiveBoxColliders().size();

    const std::string share = std::to_string(ColliderLeases::kShare);
    Lua(entity, "for i = 1, " + share + " do "
                "  local c = GetBoxCollider() c.parent = self c:SetBound(true) c.layer = CollisionLayer.new(4, 2) "
                "  local hit = RunBoxCollision(c):GetBoxCollision(0) "
                "  local b = self:GetBody() local t = self:GetTransform() "
                "end "
                "collectgarbage() collectgarbage()");
    // The script's colliders are still its own, the wall is untouched, and
    // the body and its collider are alive.
    EXPECT_EQ(GetActiveBoxColliders().size(), active + ColliderLeases::kShare);
    EXPECT_TRUE(wall->IsInUse());
    EXPECT_EQ(wall->GetLayer().layer, 2);
    EXPECT_EQ(body.use_count(), 1);
    EXPECT_TRUE(body.lock()->GetBodyCollider()->IsInUse());
}

TEST_F(PhysicsBindingTest, TheBodyIsReadAndSteeredThroughItsMembers)
{
    auto entity = Probe("body", {0.0f, 0.0f});
    entity->AddComponent(std::make_shared<fb::cmp::AdvancedBody>(fb::CollisionLayer(4, 2)));
    std::shared_ptr<fb::cmp::AdvancedBody> body = entity->GetComponent<fb::cmp::AdvancedBody>();

    Lua(entity, "local b = self:GetBody() local v = vec2.new() v.x = 2 v.y = 3 b:SetVelocity(v)");
    EXPECT_EQ(body->GetVelocity(), glm::vec2(2.0f, 3.0f));
    EXPECT_EQ(Lua(entity, "local v = self:GetBody():GetVelocity() return v.x .. ',' .. v.y"), "2.0,3.0");
    Lua(entity, "local b = self:GetBody() local v = b.velocity v.y = -1 b.velocity = v "
                "local a = vec2.new() a.y = -20 b.acceleration = a");
    EXPECT_EQ(body->GetVelocity(), glm::vec2(2.0f, -1.0f));
    EXPECT_EQ(body->GetAcceleration(), glm::vec2(0.0f, -20.0f));
    EXPECT_EQ(Lua(entity, "return self:GetBody().acceleration.y"), "-20.0");

    EXPECT_EQ(Lua(entity, "return AdvancedBody.new"), "nil");
    EXPECT_TRUE(Contains(Lua(entity, "self:GetBody():SetVelocity(1, 2)"), "vec2 expected, got number"));
    EXPECT_TRUE(Contains(Lua(entity, "self:GetBody().velocity = nil"), "AdvancedBody.velocity takes a vec2, not a nil"));
    EXPECT_EQ(body->GetVelocity(), glm::vec2(2.0f, -1.0f));
}

TEST_F(PhysicsBindingTest, DetectorsFindTheWorldAndBadIndicesFindNothing)
{
    Solid({0.0f, -1.0f}, fb::CollisionLayer(2, 1));
    auto entity = Probe("body", {0.0f, 0.0f});
    entity->AddComponent(std::make_shared<fb::cmp::AdvancedBody>(fb::CollisionLayer(4, 2)));
    const std::size_t before = GetActiveBoxColliders().size();
    Lua(entity, "self:GetBody():CreateDetectorSet(Layer.world)");
    EXPECT_EQ(GetActiveBoxColliders().size(), before + 7);

    EXPECT_EQ(Lua(entity, "return self:GetBody():CollisionDetected(Layer.world, Detector.bottom)"), "true");
    EXPECT_EQ(Lua(entity, "return self:GetBody():CollisionDetected(Layer.world, Detector.top)"), "false");
    EXPECT_EQ(Lua(entity, "return self:GetBody():RunDetection(Layer.world, Detector.bottom).numCollisions"), "1");
    for (const char* detector : {"-1", "Detector.adv_detector_max", "99"})
        EXPECT_EQ(Lua(entity, std::string("local r = self:GetBody():RunDetection(Layer.world, ") + detector +
                                  ") return tostring(r.collision) .. r.numCollisions .. tostring(self:GetBody():"
                                  "CollisionDetected(Layer.world, " + detector + "))"),
                  "false0false")
            << detector;
    EXPECT_EQ(Lua(entity, "return self:GetBody():CollisionDetected(Layer.goal, Detector.bottom)"), "false");
    EXPECT_TRUE(Contains(Lua(entity, "self:GetBody():RunDetection(Layer.world, 2^40 // 1)"), "integer out of range"));
    EXPECT_TRUE(Contains(Lua(entity, "self:GetBody():CreateDetectorSet('world')"), "number expected, got string"));
    EXPECT_TRUE(Contains(Lua(entity, "self:GetBody():CollisionDetected(nil, 1)"), "number expected, got nil"));
}

} // namespace
