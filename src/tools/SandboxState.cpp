#include "tools/SandboxState.h"

#include "core/EntityManager.h"
#include "core/StateManager.h"
#include "core/Transform.h"
#include "physics/AdvancedBody.h"
#include "render/Sprite.h"

#include <SDL.h>
#include <string>

namespace {

// Made once and never deleted; held here as well as in the registry.
fb::ZorvSandboxState* const gState = new fb::ZorvSandboxState();
StateManager::Registration gRegistration("EditorTest", gState);

std::shared_ptr<fb::Entity> MakeSpriteEntity(const std::string& name, glm::vec2 position, glm::vec2 scale,
                                             const std::string& image)
{
    auto entity = std::make_shared<fb::Entity>(name);
    entity->AddComponent<fb::cmp::Transform>(std::make_shared<fb::cmp::Transform>(position, scale, 0.0f));
    entity->AddComponent<Sprite>(std::make_shared<Sprite>(image, 1.0f, 2));
    return entity;
}

bool KeyHeld(SDL_Scancode key)
{
    int count = 0;
    const Uint8* keys = SDL_GetKeyboardState(&count);
    return keys && key < count && keys[key];
}

} // namespace

namespace fb {

void ZorvSandboxState::Init()
{
    std::shared_ptr<Entity> dyn = MakeSpriteEntity("TestDyn", {0.0f, 0.0f}, {0.1f, 0.1f}, "assets/img/Alien.png");
    auto body = std::make_shared<cmp::AdvancedBody>(CollisionLayer(4, 2));
    dyn->AddComponent<cmp::AdvancedBody>(body);
    body->SetFriction(0.8f);
    body->SetAcceleration({0.0f, -0.3f});
    body->SetVelocity({0.0f, -1.0f});
    body->CreateDetectorSet(2);
    body->SetBounce(0.5f);

    std::shared_ptr<Entity> child = MakeSpriteEntity("TestChild", {0.5f, 0.5f}, {0.5f, 0.5f}, "assets/img/Alien.png");
    child->SetParent(dyn);
    EntityManager::Add(child);

    testDyn = dyn;
    EntityManager::Add(dyn);

    std::shared_ptr<Entity> ground = MakeSpriteEntity("TestStc", {0.0f, -1.0f}, {1.0f, 0.1f}, "assets/img/ScoreUI.png");
    ground->AddComponent<cmp::AdvancedBody>(std::make_shared<cmp::AdvancedBody>(CollisionLayer(2, 8)));
    EntityManager::Add(ground);
}

void ZorvSandboxState::Update()
{
    if (KeyHeld(SDL_SCANCODE_SPACE))
        StateManager::Restart();
    if (KeyHeld(SDL_SCANCODE_1)) {
        std::shared_ptr<Entity> dyn = testDyn.lock();
        std::shared_ptr<cmp::AdvancedBody> body = dyn ? dyn->GetComponent<cmp::AdvancedBody>() : nullptr;
        if (body)
            body->SetVelocity({0.0f, 0.1f});
    }
}

void ZorvSandboxState::Exit()
{
    EntityManager::Clear();
}

} // namespace fb
