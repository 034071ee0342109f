#pragma once

namespace fb {

// A screen or mode of the game. The state manager calls Load and Init when
// the state begins, Update once a frame, and Exit and Unload when it ends.
class GS {
public:
    virtual ~GS() = default;
    virtual void Init() {}
    virtual void Update() {}
    virtual void Exit() {}
    virtual void Load() {}
    virtual void Unload() {}
};

} // namespace fb
