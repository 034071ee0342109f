#pragma once

#include "render/CamManager.h"

#include <memory>

// The camera the game starts with: a fresh default camera made active, and
// any shake an earlier test started run out.
inline void UseStillCamera()
{
    constexpr float kLongerThanAnyShake = 1000.0f;
    CamManager::SetActiveCamera(std::make_shared<CamManager::Camera>());
    CamManager::Update(kLongerThanAnyShake);
}
