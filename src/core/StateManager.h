#pragma once

#include "core/GameState.h"

#include <string>
#include <vector>

// The registry of game states by name, the current and next state, and the
// running flag of the main loop. Switches happen at the next Update.
namespace StateManager {

// Registering nullptr takes the name out of the registry.
void Register(std::string name, fb::GS* state);
// The state registered under the name, or nullptr.
fb::GS* GetState(const std::string& name);
// Makes the named state current and runs it. An unknown name leaves the game
// stopped with no current state.
void Start(std::string name);
void SetNextState(std::string name);
void Restart();
void Quit();
bool IsRunning();
fb::GS* GetCurrentState();
std::vector<std::string> GetStateNames();
void Update();
// Leaves the state that was entered (Exit) and unloads the one that was
// loaded (Unload), each once, and clears the running flag, so that nothing
// a state made outlives the game: called once the main loop has ended,
// however it ended. After a state threw part-way through a switch these
// are the states whose Init and Load had begun. An Exit or Unload that
// throws a std::exception is traced (level 4) and the shutdown goes on, so
// a game stopping for one exception is not ended by a second.
void Shutdown();

// Registers a state object from a global initialiser.
struct Registration {
    Registration(const char* name, fb::GS* state) { Register(name, state); }
};

} // namespace StateManager
