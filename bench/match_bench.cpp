// CPU cost of one frame of a busy match's effects and bodies: 50 particle
// effects of about 100 live particles each, updated and queued for drawing,
// and 60 bodies (4 players, 56 aliens) stepping against a level's 300 static
// boxes, with the share of the collision queries in it.
//
// The particle textures need an OpenGL context: run it with a display, for
// instance under xvfb-run.

#include "BenchArena.h"
#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/Random.h"
#include "core/Time.h"
#include "core/Transform.h"
#include "core/Window.h"
#include "physics/AdvancedBody.h"
#include "physics/ColliderPool.h"
#include "physics/CollisionQuery.h"
#include "physics/StaticBody.h"
#include "render/AbsorbEmitter.h"
#include "render/BasicEmitter.h"
#include "render/GLSupport.h"
#include "render/ParticleSystem.h"
#include "render/Renderer.h"
#include "render/SquareEmitter.h"

#include <SDL.h>
#include <chrono>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWarmUpFrames = 120;
constexpr int kMeasuredFrames = 1200;
constexpr int kEffects = 50;
constexpr int kPlayers = 4;
constexpr int kAliens = 56;
// One particle every 5 ms, each living half a second: 100 alive.
constexpr float kEmitDelay = 0.005f;
constexpr float kLifetime = 0.5f;

const char* const kTextures[] = {"assets/img/particles/trail_red.png", "assets/img/particles/portal_cyan.png",
                                 "assets/img/particles/slime_glow.png", "assets/img/particles/void_dark.png",
                                 "assets/img/particles/spark_yellow.png"};

std::shared_ptr<fb::Entity> Spawn(const char* name, glm::vec2 position, glm::vec2 scale)
{
    auto entity = std::make_shared<fb::Entity>(name);
    entity->AddComponent<fb::cmp::Transform>(std::make_shared<fb::cmp::Transform>(position, scale, 0.0f));
    return entity;
}

std::vector<std::shared_ptr<fb::cmp::AdvancedBody>> SpawnBodies()
{
    std::vector<std::shared_ptr<fb::cmp::AdvancedBody>> bodies;
    for (int i = 0; i < kPlayers + kAliens; ++i) {
        const bool player = i < kPlayers;
        auto entity = Spawn(player ? "Player" : "aliendude", {Random::Float(-30, 30), Random::Float(-15, 17)},
                            player ? glm::vec2(1.5f, 1.5f) : glm::vec2(1, 1));
        auto body = std::make_shared<fb::cmp::AdvancedBody>(player ? fb::CollisionLayer(4, 2)
                                                                   : fb::CollisionLayer(32, 130));
        entity->AddComponent<fb::cmp::AdvancedBody>(body);
        body->SetAcceleration({0, -30});
        body->SetVelocity({i % 2 == 0 ? 4.0f : -4.0f, 0});
        EntityManager::Add(entity);
        bodies.push_back(body);
    }
    return bodies;
}

// Endless effects over the arena with the game's three emitter kinds.
std::vector<std::shared_ptr<fb::Entity>> SpawnEffects()
{
    std::vector<std::shared_ptr<fb::Entity>> effects;
    for (int i = 0; i < kEffects; ++i) {
        auto entity = Spawn("effect", {Random::Float(-30, 30), Random::Float(-15, 17)}, {0, 0});
        entity->AddComponent<ParticleSystem>(std::make_shared<ParticleSystem>(
            Texture(kTextures[i % 5]), 0, 0.4f, kEmitDelay, 0.001f, 1.57f, 3.14f, 1.0f, 0.5f, kLifetime, 0.0f,
            1.0f, true, true));
        std::shared_ptr<ParticleEmitter> emitter;
        switch (i % 3) {
        case 0:
            emitter = std::make_shared<BasicEmitter>(0.3f, 0.0f, 0.5f);
            break;
        case 1:
            emitter = std::make_shared<AbsorbEmitter>(1.0f, 3.0f);
            break;
        default:
            emitter = std::make_shared<SquareEmitter>(glm::vec2(0.5f, 1.0f), glm::vec2(0.0f, 0.8f));
            break;
        }
        entity->AddComponent<ParticleEmitter>(emitter);
        effects.push_back(entity);
    }
    return effects;
}

double Milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

} // namespace

int main()
{
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::printf("match_bench needs a display for its textures: %s\n", SDL_GetError());
        return 1;
    }
    int result = 0;
    {
        Window window("Vendrabolt bench", 320, 200, 0, 0);
        if (!window.IsValid()) {
            std::printf("match_bench could not open its window: %s\n", SDL_GetError());
            SDL_Quit();
            return 1;
        }
        window.Update();
        try {
            StartGlew("match_bench");
        } catch (const std::runtime_error& error) {
            std::printf("match_bench: %s\n", error.what());
            result = 1;
        }
        if (result == 0) {
            InitBoxColliders();
            EntityManager::Init();
            Time::Init();
            Time::SetDt(1.0f / 60.0f);
            Random::Seed(7);
            Renderer::SetBackground(Texture("assets/img/Background.png"));

            const int boxes = bench::BuildArena();
            std::vector<std::shared_ptr<fb::cmp::AdvancedBody>> bodies = SpawnBodies();
            std::vector<std::shared_ptr<fb::Entity>> effects = SpawnEffects();
            auto frame = [&effects] {
                Renderer::BeginFrame();
                for (const auto& effect : effects)
                    effect->Update();
                EntityManager::Update();
            };
            for (int i = 0; i < kWarmUpFrames; ++i)
                frame();

            // Each frame is timed in its parts; the bodies' own collision
            // queries are then run once more, alone, to give their share.
            Clock::duration queue{};
            Clock::duration particles{};
            Clock::duration physics{};
            Clock::duration queries{};
            std::size_t liveParticles = 0;
            for (int i = 0; i < kMeasuredFrames; ++i) {
                const Clock::time_point start = Clock::now();
                Renderer::BeginFrame();
                const Clock::time_point cleared = Clock::now();
                for (const auto& effect : effects)
                    effect->Update();
                const Clock::time_point drawn = Clock::now();
                EntityManager::Update();
                const Clock::time_point stepped = Clock::now();
                for (const auto& body : bodies)
                    RunBoxCollision(const_cast<fb::BoxCollider*>(body->GetBodyCollider()));
                queries += Clock::now() - stepped;
                physics += stepped - drawn;
                particles += drawn - cleared;
                queue += cleared - start;
                for (const auto& effect : effects)
                    liveParticles += effect->GetComponent<ParticleSystem>()->GetParticles().size();
            }

            const double frames = kMeasuredFrames;
            const double queueMs = Milliseconds(queue) / frames;
            const double particleMs = Milliseconds(particles) / frames;
            const double physicsMs = Milliseconds(physics) / frames;
            const double queryMs = Milliseconds(queries) / frames;
            const double totalMs = queueMs + particleMs + physicsMs;
            std::printf("match: %d effects (%.1f live particles each), %d bodies (%d players, %d aliens), "
                        "%d static boxes\n",
                        kEffects, static_cast<double>(liveParticles) / frames / kEffects, kPlayers + kAliens,
                        kPlayers, kAliens, boxes);
            std::printf("  draw queue emptied                       %8.3f ms/frame\n", queueMs);
            std::printf("  particle systems (update and queueing)   %8.3f ms/frame\n", particleMs);
            std::printf("  bodies and static colliders              %8.3f ms/frame\n", physicsMs);
            std::printf("  total                                    %8.3f ms/frame\n", totalMs);
            std::printf("  collision queries (the bodies' steps)    %8.3f ms/frame, %4.1f%% of the total\n", queryMs,
                        100.0 * queryMs / totalMs);

            effects.clear();
            bodies.clear();
            EntityManager::Exit();
            ShutdownBoxColliders();
        }
    }
    SDL_Quit();
    return result;
}
