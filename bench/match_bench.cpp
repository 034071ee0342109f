// The busiest frame of a match: four players and 40 aliens walking the
// arena with their detector queries, three meteors falling with slime
// trails, the players' trails and 50 particle effects of about 100 live
// particles each, every body and sprite queued for drawing. The update's
// CPU time (this thread) over 2000 frames, its median, 99th percentile and
// maximum, and the allocations each frame makes, beside the figures
// measured on this machine before the broad phase, the sprite batches and
// the particle arrays.
//
// The textures need an OpenGL context: run it with a display, for instance
//   xvfb-run -a build/bench/match_bench

#include "BenchArena.h"
#include "core/Time.h"
#include "core/Window.h"
#include "physics/ColliderPool.h"
#include "render/AbsorbEmitter.h"
#include "render/BasicEmitter.h"
#include "render/GLSupport.h"
#include "render/ParticleEffects.h"
#include "render/ParticleSystem.h"
#include "render/Renderer.h"
#include "render/Sprite.h"
#include "render/SquareEmitter.h"

#include <SDL.h>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>
#include <stdexcept>
#include <vector>

namespace {

std::atomic<long> gAllocations{0};

} // namespace

// Every allocation of the program is counted.
void* operator new(std::size_t size)
{
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace {

constexpr int kWarmUpFrames = 240;
constexpr int kMeasuredFrames = 2000;
constexpr int kEffects = 50;
constexpr int kMeteors = 3;
// One particle every 5 ms, each living half a second: 100 alive.
constexpr float kEmitDelay = 0.005f;
constexpr float kLifetime = 0.5f;

// Measured here before the broad phase, the batches and the particle arrays.
constexpr double kMedianBefore = 1.9;
constexpr double kP99Before = 2.9;
constexpr double kAllocationsBefore = 5300.0;

const char* const kTextures[] = {"assets/img/particles/trail_red.png", "assets/img/particles/portal_cyan.png",
                                 "assets/img/particles/slime_glow.png", "assets/img/particles/void_dark.png",
                                 "assets/img/particles/spark_yellow.png"};

double ThreadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

// Endless effects over the arena with the game's three emitter kinds.
std::vector<std::shared_ptr<fb::Entity>> SpawnEffects()
{
    std::vector<std::shared_ptr<fb::Entity>> effects;
    for (int i = 0; i < kEffects; ++i) {
        auto entity = std::make_shared<fb::Entity>("effect");
        entity->AddComponent(std::make_shared<fb::cmp::Transform>(
            glm::vec2(Random::Float(-30, 30), Random::Float(-15, 17)), glm::vec2(0, 0), 0.0f));
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
        EntityManager::Add(entity);
        effects.push_back(entity);
    }
    return effects;
}

// A trail from the game's particle files that follows the entity.
void AttachTrail(const std::shared_ptr<fb::Entity>& owner, const std::string& name)
{
    if (std::shared_ptr<fb::Entity> trail = MakeParticleEntity(name, 3.0f, {0.0f, 0.0f}, false)) {
        trail->SetParent(owner);
        EntityManager::Add(trail);
    }
}

// Players and aliens get their sprites and the players their trails; meteors
// fall from the top and start again when they have fallen through.
std::vector<std::shared_ptr<fb::Entity>> Dress(std::vector<bench::Mover>& movers)
{
    const char* const players[] = {"./assets/img/PlayerRed.png", "./assets/img/PlayerBlue.png",
                                   "./assets/img/PlayerYellow.png", "./assets/img/PlayerGrey.png"};
    int player = 0;
    for (bench::Mover& mover : movers) {
        mover.entity->AddComponent(
            std::make_shared<Sprite>(mover.player ? players[player] : "./assets/img/Alien.png", 1.0f, 3));
        if (mover.player)
            AttachTrail(mover.entity, "CharacterTrail" + std::to_string(++player));
    }
    std::vector<std::shared_ptr<fb::Entity>> meteors;
    for (int i = 0; i < kMeteors; ++i) {
        auto meteor = std::make_shared<fb::Entity>("meteor");
        meteor->AddComponent(std::make_shared<fb::cmp::Transform>(glm::vec2(-20.0f + 20.0f * i, 20.0f),
                                                                  glm::vec2(1.2f, 1.2f), 0.0f));
        meteor->AddComponent(std::make_shared<Sprite>("assets/img/slimestack.png", 1.0f, 3));
        EntityManager::Add(meteor);
        AttachTrail(meteor, "SlimeSpew");
        meteors.push_back(meteor);
    }
    return meteors;
}

void FallMeteors(const std::vector<std::shared_ptr<fb::Entity>>& meteors)
{
    for (const auto& meteor : meteors) {
        auto transform = meteor->GetComponent<fb::cmp::Transform>();
        glm::vec2 at = transform->GetLocalPosition() + glm::vec2(0.0f, -12.0f * Time::GetScaledDt());
        if (at.y < -20.0f)
            at.y = 20.0f;
        transform->SetPosition(at);
    }
}

struct Figure {
    double median;
    double p99;
    double max;
};

Figure Summarise(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values[values.size() * 99 / 100], values.back()};
}

int RunBench()
{
    InitBoxColliders();
    EntityManager::Init();
    Time::Init();
    Time::SetDt(1.0f / 60.0f);
    Random::Seed(7);
    Renderer::SetBackground(Texture("assets/img/Background.png"));

    const int boxes = bench::BuildArena();
    std::vector<bench::Mover> movers = bench::SpawnMovers(4, 40);
    const std::vector<std::shared_ptr<fb::Entity>> meteors = Dress(movers);
    const std::vector<std::shared_ptr<fb::Entity>> effects = SpawnEffects();
    auto frame = [&movers, &meteors] {
        Renderer::BeginFrame();
        FallMeteors(meteors);
        EntityManager::Update();
        bench::RunDetectors(movers);
    };
    for (int i = 0; i < kWarmUpFrames; ++i)
        frame();

    std::vector<double> times;
    std::vector<double> allocations;
    times.reserve(kMeasuredFrames);
    allocations.reserve(kMeasuredFrames);
    std::size_t liveParticles = 0;
    for (int i = 0; i < kMeasuredFrames; ++i) {
        const long allocationsBefore = gAllocations.load();
        const double start = ThreadMilliseconds();
        frame();
        times.push_back(ThreadMilliseconds() - start);
        allocations.push_back(static_cast<double>(gAllocations.load() - allocationsBefore));
        for (const auto& effect : effects)
            liveParticles += effect->GetComponent<ParticleSystem>()->GetParticles().size();
    }

    const Figure time = Summarise(times);
    const Figure allocated = Summarise(allocations);
    std::printf("busiest match frame: 4 players, 40 aliens, %d meteors, %d effects (%.1f live particles each) "
                "and 7 trails, %d static boxes, %zu entities, %zu colliders; %d frames\n",
                kMeteors, kEffects, static_cast<double>(liveParticles) / kMeasuredFrames / kEffects, boxes,
                EntityManager::GetEntities().size(), GetActiveBoxColliders().size(), kMeasuredFrames);
    std::printf("  update CPU median      %8.3f ms   before %6.3f ms   %6.1fx faster\n", time.median, kMedianBefore,
                kMedianBefore / time.median);
    std::printf("  update CPU 99th pct    %8.3f ms   before %6.3f ms   %6.1fx faster\n", time.p99, kP99Before,
                kP99Before / time.p99);
    std::printf("  update CPU max         %8.3f ms\n", time.max);
    std::printf("  allocations a frame    %8.0f median, %.0f at the 99th pct, %.0f at most   before %.0f\n",
                allocated.median, allocated.p99, allocated.max, kAllocationsBefore);

    EntityManager::Exit();
    ShutdownBoxColliders();
    return 0;
}

} // namespace

int main()
{
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::printf("match_bench needs a display for its textures: %s\n", SDL_GetError());
        return 1;
    }
    int result = 1;
    {
        Window window("Vendrabolt bench", 320, 200, 0, 0);
        if (window.IsValid()) {
            window.Update();
            try {
                StartGlew("match_bench");
                result = RunBench();
            } catch (const std::runtime_error& error) {
                std::printf("match_bench: %s\n", error.what());
            }
        } else {
            std::printf("match_bench could not open its window: %s\n", SDL_GetError());
        }
    }
    SDL_Quit();
    return result;
}
