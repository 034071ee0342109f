// CPU cost, per call, of the sound engine's frame update and of raising one
// character event that the sound sets bind, while 64 channels play. Each is
// printed beside a baseline: the update with no channel, and raising an
// event that no set binds (the dispatch alone).
//
// Run from the repository root: build/bench/audio_bench

#include "audio/AudioEngine.h"
#include "audio/SoundBinder.h"
#include "core/EventChannels.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kCalls = 20000;
constexpr int kChannels = 64;
constexpr const char* kBusySound = "./assets/sound/zoneChange.wav";
constexpr const char* kJumpSound = "./assets/sound/jump.wav";

// Mean microseconds of call, timed one call at a time; between calls
// runs untimed.
double MicrosecondsPerCall(const std::function<void()>& call, const std::function<void()>& between)
{
    Clock::duration total{};
    for (int i = 0; i < kCalls; ++i) {
        const Clock::time_point start = Clock::now();
        call();
        total += Clock::now() - start;
        between();
    }
    return std::chrono::duration<double, std::micro>(total).count() / kCalls;
}

void Raise(std::uint32_t type)
{
    fb::evt::CharacterEventSubject::Get()->Notify(fb::evt::CharacterEvent(type, nullptr));
}

void Print(const char* what, double cost, const char* baselineWhat, double baseline)
{
    std::printf("%-44s %9.3f us   %-40s %9.3f us   ratio %6.2f\n", what, cost, baselineWhat, baseline, cost / baseline);
}

} // namespace

int main()
{
    // Mixed but not heard, on any machine.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    AudioEngine::Initialize();
    fb::SoundBinder binder;
    binder.LoadFile("CharacterSounds.json");
    binder.LoadFile("GameSounds.json");
    const auto nothing = [] {};

    const double idleUpdate = MicrosecondsPerCall(AudioEngine::Update, nothing);
    AudioEngine::LoadSound(kBusySound, true, false);
    for (int i = 0; i < kChannels; ++i)
        AudioEngine::PlaySound(kBusySound, "Ambience", 0.1f, false);
    const double busyUpdate = MicrosecondsPerCall(AudioEngine::Update, nothing);
    Print("AudioEngine::Update, 64 channels busy", busyUpdate, "AudioEngine::Update, no channel", idleUpdate);

    // Each jump plays on the one free channel, which unloading it frees again.
    const auto freeOneChannel = [] { AudioEngine::UnloadSound(kJumpSound); };
    AudioEngine::UnloadSound(kBusySound);
    AudioEngine::LoadSound(kBusySound, true, false);
    for (int i = 0; i < kChannels - 1; ++i)
        AudioEngine::PlaySound(kBusySound, "Ambience", 0.1f, false);
    const double unbound = MicrosecondsPerCall([] { Raise(fb::evt::CharacterEventType::RoundWin); }, nothing);
    const double jump = MicrosecondsPerCall([] { Raise(fb::evt::CharacterEventType::Jump); }, freeOneChannel);
    Print("raise \"jump\" (plays), 63 + 1 channels busy", jump, "raise \"roundWin\" (bound to nothing)", unbound);

    AudioEngine::Shutdown();
    return 0;
}
