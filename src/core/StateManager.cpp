#include "core/StateManager.h"

#include "core/Trace.h"

#include <exception>
#include <iostream>
#include <map>
#include <utility>

namespace {

// Never destroyed: the states live for the whole run, and registering them
// from global initialisers must not depend on the order of static teardown.
std::map<std::string, fb::GS*>& Registry()
{
    static auto* registry = new std::map<std::string, fb::GS*>();
    return *registry;
}

fb::GS* gCurrent = nullptr;
fb::GS* gNext = nullptr;
bool gRunning = false;
bool gRestart = false;
// The state whose Init ran and whose Exit has not, and the one whose Load
// ran and whose Unload has not. Each is marked before the call, so that a
// state that throws part-way is still left, and never twice.
fb::GS* gEntered = nullptr;
fb::GS* gLoaded = nullptr;

void Load(fb::GS* state)
{
    gLoaded = state;
    state->Load();
}

void Enter(fb::GS* state)
{
    gEntered = state;
    state->Init();
}

void Leave(fb::GS* state)
{
    if (gEntered == state)
        gEntered = nullptr;
    state->Exit();
}

void Unload(fb::GS* state)
{
    if (gLoaded == state)
        gLoaded = nullptr;
    state->Unload();
}

// Shutdown runs while the game may already be stopping for an exception, so
// a state that throws here, whatever it throws, is traced as a fault the game
// goes on past and the rest of the shutdown goes on.
void CallAtShutdown(fb::GS* state, void (fb::GS::*operation)(), const char* name)
{
    const std::string failed = std::string("StateManager: ") + name + " failed at shutdown: ";
    try {
        (state->*operation)();
    } catch (const std::exception& error) {
        Trace(failed + error.what(), 3);
    } catch (...) {
        Trace(failed + "it threw something other than a std::exception", 3);
    }
}

} // namespace

namespace StateManager {

void Register(std::string name, fb::GS* state)
{
    if (state)
        Registry()[name] = state;
    else
        Registry().erase(name);
}

fb::GS* GetState(const std::string& name)
{
    auto found = Registry().find(name);
    return found == Registry().end() ? nullptr : found->second;
}

void Start(std::string name)
{
    fb::GS* state = GetState(name);
    if (!state) {
        Trace("StateManager: no state registered as \"" + name + "\"", 4);
        std::cerr << "Cannot start: no game state named \"" << name << "\"\n";
        gCurrent = gNext = gEntered = gLoaded = nullptr;
        gRunning = false;
        return;
    }
    gCurrent = gNext = state;
    Load(state);
    Enter(state);
    gRunning = true;
    gRestart = false;
}

void SetNextState(std::string name)
{
    auto found = Registry().find(name);
    if (found != Registry().end())
        gNext = found->second;
}

void Restart()
{
    gRestart = true;
}

void Quit()
{
    gRunning = false;
}

bool IsRunning()
{
    return gRunning;
}

fb::GS* GetCurrentState()
{
    return gCurrent;
}

std::vector<std::string> GetStateNames()
{
    std::vector<std::string> names;
    for (const auto& entry : Registry())
        names.push_back(entry.first);
    return names;
}

void Update()
{
    if (!gRunning || !gCurrent)
        return;
    if (gRestart) {
        Leave(gCurrent);
        Enter(gCurrent);
        gRestart = false;
    } else if (gNext == gCurrent) {
        gCurrent->Update();
    } else {
        // A request made by the new state's Load or Init stays pending.
        fb::GS* next = gNext;
        Leave(gCurrent);
        Unload(gCurrent);
        Load(next);
        Enter(next);
        gCurrent = next;
    }
}

void Shutdown()
{
    fb::GS* const entered = std::exchange(gEntered, nullptr);
    fb::GS* const loaded = std::exchange(gLoaded, nullptr);
    gCurrent = gNext = nullptr;
    gRunning = false;
    gRestart = false;
    if (entered)
        CallAtShutdown(entered, &fb::GS::Exit, "Exit");
    if (loaded)
        CallAtShutdown(loaded, &fb::GS::Unload, "Unload");
}

} // namespace StateManager
