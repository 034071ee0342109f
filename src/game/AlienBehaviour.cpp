#include "game/AISpawner.h"

#include "core/Random.h"
#include "core/Transform.h"
#include "physics/AdvancedBody.h"
#include "render/CamManager.h"
#include "render/Sprite.h"

namespace {

using fb::cmp::AdvancedBody;

// The detector sets made at spawn: solid tiles and one-way platforms.
constexpr int kWorldSet = 2;
constexpr int kPlatformSet = 128;
constexpr float kGravity = -15.0f;
constexpr float kJumpAcceleration = 500.0f;

void EndLaunch(AIType& alien, AdvancedBody& body, float dt)
{
    alien.countdown -= dt;
    if (alien.countdown <= 0.0f) {
        alien.launchLayerSet = false;
        alien.countdown = 0.0f;
        body.SetLayer(32, 130);
    } else if (!alien.launchLayerSet) {
        alien.launchLayerSet = true;
        body.SetLayer(1, 130);
    }
}

void Face(Sprite& sprite, AdvancedBody& body, bool right, float walkSpeed)
{
    sprite.SetFlipped(right);
    body.SetVelocity({right ? walkSpeed : -walkSpeed, body.GetVelocity().y});
}

// Turns at a solid wall; one-way platforms are no walls.
void TurnAtWalls(AdvancedBody& body, Sprite& sprite, float walkSpeed)
{
    const glm::vec2 velocity = body.GetVelocity();
    if (velocity.x < 0.0f && body.CollisionDetected(kWorldSet, AdvancedBody::Left))
        Face(sprite, body, true, walkSpeed);
    if (velocity.x >= 0.0f && body.CollisionDetected(kWorldSet, AdvancedBody::Right))
        Face(sprite, body, false, walkSpeed);
}

bool Touches(AdvancedBody& body, int detector)
{
    return body.CollisionDetected(kWorldSet, detector) || body.CollisionDetected(kPlatformSet, detector);
}

// Turns where the floor ahead ends, then stands on the floor.
void WalkOnGround(AdvancedBody& body, Sprite& sprite, float walkSpeed)
{
    const glm::vec2 velocity = body.GetVelocity();
    if (velocity.x > 0.0f && !Touches(body, AdvancedBody::FootRight))
        Face(sprite, body, false, walkSpeed);
    if (velocity.x <= 0.0f && !Touches(body, AdvancedBody::FootLeft))
        Face(sprite, body, true, walkSpeed);
    body.SetAcceleration({body.GetAcceleration().x, 0.0f});
    body.SetVelocity({body.GetVelocity().x, 0.0f});
}

void RollJump(AIType& alien, AdvancedBody& body, float dt)
{
    alien.jumpTimer.Update(dt);
    if (!alien.jumpTimer.IsDone())
        return;
    const int roll = Random::Int(0, 100);
    if (alien.jumpRate * 100.0f > static_cast<float>(roll))
        body.SetAcceleration({body.GetAcceleration().x, kJumpAcceleration});
    alien.jumpTimer.SetDuration(Random::Float(0.5f, 1.0f));
    alien.jumpTimer.Reset();
}

bool IsKnownKind(const std::string& type)
{
    return type == "normal" || type == "giant" || type == "golden";
}

} // namespace

namespace AISpawner {

void UpdateAlien(AIType& alien, float dt)
{
    if (!alien.entity)
        return;
    std::shared_ptr<AdvancedBody> body = alien.entity->GetComponent<AdvancedBody>();
    std::shared_ptr<Sprite> sprite = alien.entity->GetComponent<Sprite>();
    if (!body || !sprite)
        return;

    if (alien.countdown > 0.0f)
        EndLaunch(alien, *body, dt);

    if (IsKnownKind(alien.type)) {
        const float walkSpeed = alien.moveSpeed / 5.0f;
        TurnAtWalls(*body, *sprite, walkSpeed);
        if (Touches(*body, AdvancedBody::Bottom))
            WalkOnGround(*body, *sprite, walkSpeed);
        else
            body->SetAcceleration({0.0f, kGravity});
        if (alien.canJump)
            RollJump(alien, *body, dt);
        if (body->GetVelocity().x == 0.0f)
            body->SetVelocity({sprite->IsFlipped() ? walkSpeed : -walkSpeed, body->GetVelocity().y});
    }

    if (alien.type == "giant") {
        if (std::shared_ptr<fb::cmp::Transform> transform = alien.entity->GetComponent<fb::cmp::Transform>()) {
            const glm::vec2 position = transform->GetPosition();
            CamManager::AddFocusPoint(position.x, position.y, 1);
        }
    }
}

} // namespace AISpawner
