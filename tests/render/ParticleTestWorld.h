#pragma once

#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/Random.h"
#include "core/Time.h"
#include "physics/ColliderPool.h"
#include "render/Renderer.h"
#include "support/GLTestWindow.h"
#include "support/TraceLog.h"

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A game world for effects: a real window for the textures, a fresh pool
// and entity list, a seeded generator, a fixed 1/60 s frame, and the
// traces of the test collected.
class EffectsTest : public ::testing::Test {
protected:
    static constexpr float kFrame = 1.0f / 60.0f;

    void SetUp() override
    {
        window = std::make_unique<GLTestWindow>();
        InitBoxColliders();
        EntityManager::Init();
        Time::Init();
        Time::SetDt(kFrame);
        Random::Seed(12345);
        traceLog.emplace();
    }

    void TearDown() override
    {
        EntityManager::Clear();
        ShutdownBoxColliders();
        traceLog.reset();
        window.reset();
    }

    // One game frame: the draw queue emptied, then every entity updated.
    static void Frame()
    {
        Renderer::BeginFrame();
        EntityManager::Update();
    }

    static void Frames(int count)
    {
        for (int i = 0; i < count; ++i)
            Frame();
    }

    // Enough frames for `seconds` of scaled time to have passed.
    static int FramesFor(float seconds) { return static_cast<int>(seconds / kFrame) + 1; }

    static std::size_t EntityCount() { return EntityManager::GetEntities().size(); }

    static std::shared_ptr<fb::Entity> Newest()
    {
        const auto& entities = EntityManager::GetEntities();
        return entities.empty() ? nullptr : entities.back();
    }

    bool Traced(const std::string& text, int level = 0) const { return traceLog->Traced(text, level); }

    // Traces of bad data (level 3 and up), ignoring the missing background
    // image of a renderer that was never given one.
    std::vector<std::string> Complaints() const
    {
        std::vector<std::string> found;
        for (const auto& trace : traceLog->records) {
            if (trace.level >= 3 && trace.message.find("invalid texture") == std::string::npos)
                found.push_back(trace.message);
        }
        return found;
    }

    std::optional<TraceLog> traceLog;
    std::unique_ptr<GLTestWindow> window;
};
