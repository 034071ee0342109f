#pragma once

#include "core/Entity.h"
#include "core/GameState.h"

#include <memory>

namespace fb {

// A physics test bench ("EditorTest"): a small bouncing body with a child
// entity above a wide body that stays put. Holding Space rebuilds the
// scene; holding 1 pushes the small body upward.
class ZorvSandboxState : public GS {
public:
    void Init() override;
    void Update() override;
    void Exit() override;

private:
    std::weak_ptr<Entity> testDyn;
};

} // namespace fb
