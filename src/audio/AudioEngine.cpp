#include "audio/AudioEngine.h"

namespace AudioEngine {

void Initialize() {}

void Update() {}

void Shutdown() {}

} // namespace AudioEngine
