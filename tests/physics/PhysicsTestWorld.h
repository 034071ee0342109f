#pragma once

#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/Time.h"
#include "core/Trace.h"
#include "core/Transform.h"
#include "physics/ColliderPool.h"

#include <glm/glm.hpp>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// A fresh pool and entity list with a fixed 1/60 s frame time, and the
// traces of the test collected.
class PhysicsTest : public ::testing::Test {
protected:
    static constexpr float kFrame = 1.0f / 60.0f;

    void SetUp() override
    {
        InitBoxColliders();
        EntityManager::Init();
        Time::Init();
        Time::SetDt(kFrame);
        mOldSink = SetTraceSink([this](const std::string& message, int level) {
            if (level > 0)
                mTraces.push_back(message);
        });
    }

    void TearDown() override
    {
        EntityManager::Clear();
        ShutdownBoxColliders();
        SetTraceSink(mOldSink);
    }

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
        while (GetBoxCollider()) {
        }
    }

    bool Traced(const std::string& text) const
    {
        for (const std::string& message : mTraces) {
            if (message.find(text) != std::string::npos)
                return true;
        }
        return false;
    }

    std::vector<std::string> mTraces;

private:
    TraceSink mOldSink;
};
