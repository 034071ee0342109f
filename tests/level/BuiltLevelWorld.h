#pragma once

#include "core/EntityManager.h"
#include "core/Random.h"
#include "core/Time.h"
#include "game/AISpawner.h"
#include "game/GoalZones.h"
#include "level/Level.h"
#include "level/LevelBuilder.h"
#include "level/TestMap.h"
#include "physics/ColliderPool.h"
#include "render/Renderer.h"
#include "support/EntitiesNamed.h"
#include "support/FreshGoalZones.h"
#include "support/GLTestWindow.h"
#include "support/TraceLog.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

// A match world: a real window for the textures, a fresh pool, entity list
// and goal-zone module, a seeded generator, a fixed 1/60 s frame, the real
// AI spawner file, and the traces of the test collected.
class BuiltLevelTest : public ::testing::Test {
protected:
    static constexpr float kFrame = 1.0f / 60.0f;
    static constexpr const char* kAIFile = "./assets/json/aitest.json";

    void SetUp() override
    {
        window = std::make_unique<GLTestWindow>();
        InitBoxColliders();
        EntityManager::Init();
        Time::Init();
        Time::SetDt(kFrame);
        Random::Seed(4242);
        StartGoalZonesFresh();
        UnloadLevel();
        UnloadTileset();
        traceLog.emplace();
    }

    void TearDown() override
    {
        GoalZones::Shutdown();
        EntityManager::Clear();
        UnloadLevel();
        UnloadTileset();
        ShutdownBoxColliders();
        traceLog.reset();
        std::filesystem::remove_all(scratch);
        window.reset();
    }

    // As a match loads a level: the AI spawner file, the map, its entities.
    static void Build(const std::string& path)
    {
        AISpawner::LoadFile(kAIFile);
        LoadLevel(path);
        BuildLevel();
    }

    void BuildMap(const TestMap& map) { Build(map.Write(scratch)); }

    // One game frame: the draw queue emptied, then every entity updated.
    static void Frame()
    {
        Renderer::BeginFrame();
        EntityManager::Update();
    }


    bool Traced(const std::string& text, int level = 3) const { return traceLog->Traced(text, level); }

    std::optional<TraceLog> traceLog;
    std::unique_ptr<GLTestWindow> window;
    const std::filesystem::path scratch =
        std::filesystem::temp_directory_path() / ("vendrabolt-level-" + std::to_string(getpid()));

};
