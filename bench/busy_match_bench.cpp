// CPU cost of the busiest frame of a real match: the match state running on
// the largest shipped map with four players on pads (they run, jump and
// punch), 40 aliens, a storm of six slime meteors, a wormhole pair, golden
// sparkles, trails, streaks and every other effect alive. It times the whole
// update of 2000 frames (the state's update, the entity update, input and
// camera) and splits each frame into the round (the match state's update:
// zones, alien walks, events, slime display), the bodies of players and
// aliens (their physics with their sprites and trails), the particle
// effects, and the rest. Each figure is printed beside its baseline.
//
// The textures need an OpenGL context: run it with a display, for instance
// under xvfb-run.

#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/EventChannels.h"
#include "core/Input.h"
#include "core/Random.h"
#include "core/StateManager.h"
#include "core/Trace.h"
#include "core/Time.h"
#include "core/Window.h"
#include "game/AISpawner.h"
#include "game/AISpawnerGlobals.h"
#include "game/GoalZones.h"
#include "game/Players.h"
#include "game/RandomEvents.h"
#include "game/SlimeMeteor.h"
#include "game/TolveyTestState.h"
#include "level/Level.h"
#include "level/Portal.h"
#include "physics/AdvancedBody.h"
#include "physics/ColliderPool.h"
#include "render/CamManager.h"
#include "render/GLSupport.h"
#include "render/ParticleSystem.h"
#include "render/Renderer.h"

#include <SDL.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWarmUpFrames = 300;
constexpr int kMeasuredFrames = 2000;
constexpr int kPads = 4;
constexpr int kMeteors = 6;
constexpr const char* kMap = "assets/levels/red_mesa.json";

// Milliseconds a frame when the benchmark was written (8 shared cores,
// RelWithDebInfo, under load from other builds).
constexpr double kBaselineMedian = 1.966;
constexpr double kBaselineWorst = 18.966;
constexpr double kBaselineRound = 1.300;
constexpr double kBaselineBodies = 0.407;
constexpr double kBaselineParticles = 0.246;

// Time spent in the entity update, by what the entities are.
struct EntityTimes {
    Clock::duration bodies{};
    Clock::duration particles{};
    Clock::duration other{};
};
EntityTimes gEntityTimes;
Clock::time_point gEntityStart;

// Probes that the component walk runs first and last on every entity (it
// walks in the byte order of the class names), so that the time between
// them is the entity's own.
class AAProbeStart : public fb::cmp::Component {
public:
    void Update() override { gEntityStart = Clock::now(); }
};

class ZZProbeEnd : public fb::cmp::Component {
public:
    void Update() override
    {
        const Clock::duration spent = Clock::now() - gEntityStart;
        std::shared_ptr<fb::Entity> owner = GetOwner().lock();
        if (owner && owner->GetComponent<fb::cmp::AdvancedBody>())
            gEntityTimes.bodies += spent;
        else if (owner && owner->GetComponent<ParticleSystem>())
            gEntityTimes.particles += spent;
        else
            gEntityTimes.other += spent;
    }
};

// Puts the probes on every entity that joins the entity manager.
class ProbeFitter : public fb::evt::SubjectObserver<fb::evt::EntityEvent> {
public:
    void OnNotify(const fb::evt::EntityEvent& event) override
    {
        std::shared_ptr<fb::Entity> entity = event.entity.lock();
        if (!entity || entity->GetComponent<AAProbeStart>())
            return;
        entity->AddComponent(std::make_shared<AAProbeStart>());
        entity->AddComponent(std::make_shared<ZZProbeEnd>());
    }
};

// Four game pads that SDL takes for real ones; the players on them run
// back and forth, jump and punch.
class Pads {
public:
    Pads()
    {
        SDL_InitSubSystem(SDL_INIT_JOYSTICK);
        for (int i = 0; i < kPads; ++i) {
            const int device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                                         SDL_CONTROLLER_BUTTON_MAX, 0);
            if (device >= 0)
                mJoysticks.push_back(SDL_JoystickOpen(device));
        }
    }
    ~Pads()
    {
        for (SDL_Joystick* joystick : mJoysticks)
            SDL_JoystickClose(joystick);
    }

    void Play(int frame)
    {
        for (std::size_t i = 0; i < mJoysticks.size(); ++i) {
            const int phase = frame + static_cast<int>(i) * 37;
            const Sint16 x = (phase / 90) % 2 == 0 ? 32767 : -32767;
            SDL_JoystickSetVirtualAxis(mJoysticks[i], SDL_CONTROLLER_AXIS_LEFTX, x);
            SDL_JoystickSetVirtualButton(mJoysticks[i], SDL_CONTROLLER_BUTTON_A, phase % 50 < 12);
            SDL_JoystickSetVirtualButton(mJoysticks[i], SDL_CONTROLLER_BUTTON_B, phase % 45 == 20);
        }
    }

private:
    std::vector<SDL_Joystick*> mJoysticks;
};

void StartTheStorm()
{
    const std::vector<LevelArea> areas = GetRandomEventPoints();
    const auto [width, height] = GetLevelSize();
    for (int i = 0; i < kMeteors; ++i) {
        const LevelArea& area = areas[static_cast<std::size_t>(i) % areas.size()];
        const glm::vec2 start(static_cast<float>(width) * (i % 2 == 0 ? -0.5f : 0.5f), static_cast<float>(height));
        SpawnSlimeMeteor(start, {area.x, area.y}, 120.0f, 10);
    }
    CreatePortalPair({"Wormhole", "Omni", areas[0].x, areas[0].y, 1.0f, 1.0f},
                     {"Wormhole", "Omni", areas[1].x, areas[1].y, 1.0f, 1.0f});
    for (const LevelArea& area : areas)
        StartGoldRush(area);
    // No random event or meteor impact during the measurement.
    gRandomEventTimer = 1.0e9f;
    gRandomEventAnnounceTime = 1.0e9f;
}

// The players take aliens; new ones come in at the event areas.
void KeepFortyAliens()
{
    const std::vector<LevelArea> areas = GetRandomEventPoints();
    for (std::size_t i = 0; gAliveAliens < AISpawner::kMaxAliveAliens; ++i) {
        const LevelArea& area = areas[i % areas.size()];
        AISpawner::SpawnAlienRandomOffset({area.x, area.y}, AlienKind::Normal, "Steam");
    }
}

double Milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

void PrintLine(const char* what, double ms, double baseline)
{
    std::printf("  %-44s %8.3f ms   baseline %8.3f ms   ratio %5.2f\n", what, ms, baseline, ms / baseline);
}

int Run()
{
    // The squash-and-stretch effects complain at every jump; the figures
    // are what this program prints.
    SetTraceSink([](const std::string&, int) {});
    InitBoxColliders();
    EntityManager::Init();
    Time::Init();
    Time::SetDt(1.0f / 60.0f);
    Random::Seed(7);
    GoalZones::ResetGlobals();
    Pads pads;
    Input::Init();
    auto fitter = std::make_shared<ProbeFitter>();
    fb::evt::EntitySubject::Get()->Attach(fitter);

    AISpawner::LoadFile("./assets/json/aitest.json");
    LoadLevel(kMap);
    StateManager::Start("GameplayState");
    if (GetPlayerCount() != kPads || GetRandomEventPoints().size() < 2) {
        std::printf("busy_match_bench: the match did not start with four players on %s\n", kMap);
        return 1;
    }
    auto frame = [&pads](int number) {
        pads.Play(number);
        Renderer::BeginFrame();
        StateManager::Update();
        EntityManager::Update();
        Input::Update();
        CamManager::Update(Time::GetScaledDt());
    };
    int number = 0;
    for (; number < kWarmUpFrames; ++number)
        frame(number);
    StartTheStorm();
    for (int i = 0; i < 60; ++i, ++number) {
        KeepFortyAliens();
        frame(number);
    }

    std::vector<double> totals;
    Clock::duration round{};
    gEntityTimes = {};
    int aliens = 0;
    for (int i = 0; i < kMeasuredFrames; ++i, ++number) {
        KeepFortyAliens();
        pads.Play(number);
        const Clock::time_point start = Clock::now();
        Renderer::BeginFrame();
        StateManager::Update();
        const Clock::time_point stateDone = Clock::now();
        EntityManager::Update();
        Input::Update();
        CamManager::Update(Time::GetScaledDt());
        totals.push_back(Milliseconds(Clock::now() - start));
        round += stateDone - start;
        aliens += gAliveAliens;
    }

    std::sort(totals.begin(), totals.end());
    const double frames = kMeasuredFrames;
    const double median = totals[totals.size() / 2];
    const double worst = totals.back();
    double mean = 0.0;
    for (double total : totals)
        mean += total / frames;
    const double roundMs = Milliseconds(round) / frames;
    const double bodiesMs = Milliseconds(gEntityTimes.bodies) / frames;
    const double particlesMs = Milliseconds(gEntityTimes.particles) / frames;
    const double otherMs = Milliseconds(gEntityTimes.other) / frames;
    std::printf("busy match on %s: %d players, %.1f aliens on average, %d meteors, %zu entities\n", kMap,
                GetPlayerCount(), aliens / frames, kMeteors, EntityManager::GetEntities().size());
    PrintLine("update, median frame", median, kBaselineMedian);
    PrintLine("update, worst frame", worst, kBaselineWorst);
    PrintLine("round (match state update), mean", roundMs, kBaselineRound);
    PrintLine("bodies (physics, sprites, trails), mean", bodiesMs, kBaselineBodies);
    PrintLine("particle effects, mean", particlesMs, kBaselineParticles);
    std::printf("  shares of the mean %.3f ms: round %.0f%%, bodies %.0f%%, particles %.0f%%, other entities %.0f%%\n",
                mean, 100.0 * roundMs / mean, 100.0 * bodiesMs / mean, 100.0 * particlesMs / mean,
                100.0 * otherMs / mean);

    fb::GS* match = StateManager::GetCurrentState();
    match->Exit();
    match->Unload();
    Input::Shutdown();
    EntityManager::Exit();
    ShutdownBoxColliders();
    return 0;
}

} // namespace

int main()
{
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::printf("busy_match_bench needs a display for its textures: %s\n", SDL_GetError());
        return 1;
    }
    int result = 1;
    {
        Window window("Vendrabolt bench", 320, 200, 0, 0);
        if (window.IsValid()) {
            window.Update();
            try {
                StartGlew("busy_match_bench");
                result = Run();
            } catch (const std::exception& error) {
                std::printf("busy_match_bench: %s\n", error.what());
            }
        } else {
            std::printf("busy_match_bench could not open its window: %s\n", SDL_GetError());
        }
    }
    SDL_Quit();
    return result;
}
