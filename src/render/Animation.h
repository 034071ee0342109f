#pragma once

#include "core/Component.h"
#include "render/SpriteAnimated.h"

#include <cstdint>
#include <memory>
#include <rapidjson/document.h>
#include <vector>

// Frame animations: they step the frame of a SpriteAnimated on the same
// entity and draw nothing themselves. Made from archetype files as
// "BasicAnimation" and "AdvancedAnimation".
//
// A frame delay below a millisecond (0 or less included) would never let
// time run out, and an empty frame list has nothing to show: such an
// animation is made inactive and traced.

struct FrameData {
    std::int32_t frame = 0;
    float duration = 0.0f;
};

// Runs through the frames start to end (inclusive) at a fixed delay.
class BasicAnimation : public fb::cmp::Component {
public:
    BasicAnimation(std::uint32_t start, std::uint32_t end, float framedelay, bool active, bool looping);

    void Init() override;
    void OnComponentAdded(std::weak_ptr<fb::cmp::Component> added) override;
    // Steps by the unscaled frame time.
    void Update() override;
    // The same range, delay and flags, from the start, with no sprite yet.
    BasicAnimation* Clone() override;

    // Moves on one frame per delay gathered; past the end it loops back to
    // the start or stops on the last frame for good.
    void StepFrame(float dt);
    bool IsActive() const { return mActive; }
    float GetElapsed() const { return mElapsed; }

    // The "BasicAnimation" creator: "start", "end", "framedelay", "active",
    // "looping". A missing or mistyped key gives an inactive animation.
    static std::shared_ptr<fb::cmp::Component> FromJson(const rapidjson::Value& object);

private:
    float mElapsed = 0.0f;
    std::uint32_t mStart;
    std::uint32_t mEnd;
    float mFrameDelay;
    std::weak_ptr<SpriteAnimated> mTarget;
    bool mLooping;
    bool mActive;
};

// Plays a list of frames, each shown for its own duration. Its Update does
// nothing: its user steps it with Advance. A frame of no duration is passed
// over at the next step.
class AnimationAdvanced : public fb::cmp::Component {
public:
    AnimationAdvanced(std::vector<FrameData> frames, bool active, bool looping);

    void Init() override;
    void OnComponentAdded(std::weak_ptr<fb::cmp::Component> added) override;
    AnimationAdvanced* Clone() override;

    void Advance(float dt);
    bool IsActive() const { return mActive; }
    std::uint32_t GetIndex() const { return mIndex; }

    // The "AdvancedAnimation" creator: "FrameData", an array of whole
    // numbers, each both the frame and its duration in seconds; always
    // active and looping.
    static std::shared_ptr<fb::cmp::Component> FromJson(const rapidjson::Value& object);

private:
    float mElapsed = 0.0f;
    std::vector<FrameData> mFrames;
    std::weak_ptr<SpriteAnimated> mTarget;
    bool mLooping;
    bool mActive;
    std::uint32_t mIndex = 0;
};
