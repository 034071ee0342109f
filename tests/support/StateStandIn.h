#pragma once

#include "core/GameState.h"
#include "core/StateManager.h"

#include <string>

// Registers a test's own state under a name for as long as this lives, then
// puts back what was registered there before (or nothing), so that the
// game's own states are the ones the next test meets.
class StateStandIn {
public:
    StateStandIn(std::string name, fb::GS& state)
        : mName(std::move(name))
        , mEarlier(StateManager::GetState(mName))
    {
        StateManager::Register(mName, &state);
    }
    ~StateStandIn() { StateManager::Register(mName, mEarlier); }
    StateStandIn(const StateStandIn&) = delete;
    StateStandIn& operator=(const StateStandIn&) = delete;

private:
    std::string mName;
    fb::GS* mEarlier;
};
