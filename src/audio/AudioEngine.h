#pragma once

// The sound engine with its channel groups "Music", "Effects" and "Ambience".
namespace AudioEngine {

void Initialize();
void Update();
void Shutdown();

} // namespace AudioEngine
