#pragma once

// The cameras with their focus points and shake.
namespace CamManager {

void Update(float dt);

} // namespace CamManager
