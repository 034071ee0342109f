#pragma once

#include "core/Entity.h"
#include "support/EngineWorldTest.h"
#include "core/EntityManager.h"
#include "core/Time.h"
#include "core/Trace.h"
#include "core/Transform.h"
#include "physics/ColliderPool.h"
#include "support/TakeEveryCollider.h"

#include <glm/glm.hpp>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// The physics tests' world, with helpers to place bodies in it.
class PhysicsTest : public EngineWorldTest {
protected:
    // An entity with a Transform, kept in the entity manager.
    static std::shared_ptr<fb::Entity> Spawn(const std::string& name, glm::vec2 position, glm::vec2 scale,
                                             float rotation = 0.0f)
    {
        auto entity = std::make_shared<fb::Entity>(name);
        entity->AddComponent(std::make_shared<fb::cmp::Transform>(position, scale, rotation));
        EntityManager::Add(entity);
        return entity;
    }

    // A pool collider on `parent` (or on nobody), bound to its quad.
    static fb::BoxCollider* Take(const std::shared_ptr<fb::Entity>& parent, fb::CollisionLayer layer)
    {
        fb::BoxCollider* collider = GetBoxCollider();
        collider->SetParent(parent);
        collider->SetLayer(layer);
        collider->SetBound(true);
        return collider;
    }

    // A pool collider with no parent: a world-space box.
    static fb::BoxCollider* TakeLoose(glm::vec2 center, glm::vec2 size, fb::CollisionLayer layer)
    {
        fb::BoxCollider* collider = GetBoxCollider();
        collider->SetParent(std::weak_ptr<fb::Entity>());
        collider->SetCenter(center);
        collider->SetSize(size);
        collider->SetLayer(layer);
        collider->SetBound(false);
        return collider;
    }

    static void StepFrames(int count)
    {
        for (int i = 0; i < count; ++i)
            EntityManager::Update();
    }

    static glm::vec2 PositionOf(const std::shared_ptr<fb::Entity>& entity)
    {
        return entity->GetComponent<fb::cmp::Transform>()->GetPosition();
    }

    static void TakeAllColliders()
    {
        TakeEveryCollider();
    }


};
