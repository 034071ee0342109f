#include "render/Animation.h"

#include "core/ComponentFactory.h"
#include "core/Entity.h"
#include "core/NumberText.h"
#include "core/Time.h"
#include "core/Trace.h"

#include <cmath>

namespace {

// A frame delay below this could not take its frame off the elapsed time
// of a long frame (float steps), so stepping would never end.
constexpr float kMinFrameDelay = 0.001f;
// However long a step, it moves on at most this many frames and drops the
// rest of the backlog.
constexpr int kMaxFramesPerStep = 10000;

ComponentFactory::Registration gBasic("BasicAnimation", BasicAnimation::FromJson);
ComponentFactory::Registration gAdvanced("AdvancedAnimation", AnimationAdvanced::FromJson);

std::weak_ptr<SpriteAnimated> SpriteOf(const std::weak_ptr<fb::Entity>& owner)
{
    std::shared_ptr<fb::Entity> entity = owner.lock();
    return entity ? entity->GetComponent<SpriteAnimated>() : nullptr;
}

} // namespace

BasicAnimation::BasicAnimation(std::uint32_t start, std::uint32_t end, float framedelay, bool active, bool looping)
    : mStart(start)
    , mEnd(end)
    , mFrameDelay(framedelay)
    , mLooping(looping)
    , mActive(active)
{
    Assert(start < end, "Warning: animation created where start < end");
    if (!(framedelay >= kMinFrameDelay) && active) {
        Trace("Animation with a frame delay of " + NumberText(framedelay) + " s (below " +
                  NumberText(kMinFrameDelay) + " s) could never catch up with the time; made inactive",
              3);
        mActive = false;
    }
}

void BasicAnimation::Init()
{
    mTarget = SpriteOf(GetOwner());
}

void BasicAnimation::OnComponentAdded(std::weak_ptr<fb::cmp::Component> added)
{
    if (auto sprite = std::dynamic_pointer_cast<SpriteAnimated>(added.lock()))
        mTarget = sprite;
}

void BasicAnimation::Update()
{
    StepFrame(Time::GetDt());
}

BasicAnimation* BasicAnimation::Clone()
{
    return new BasicAnimation(mStart, mEnd, mFrameDelay, mActive, mLooping);
}

void BasicAnimation::StepFrame(float dt)
{
    std::shared_ptr<SpriteAnimated> target = mTarget.lock();
    Assert(target != nullptr, "Animaion with no target!");
    if (!mActive || !target)
        return;
    mElapsed += dt;
    int frames = 0;
    while (mElapsed >= mFrameDelay && mActive) {
        if (++frames > kMaxFramesPerStep) {
            mElapsed = std::fmod(mElapsed, mFrameDelay);
            break;
        }
        target->NextFrame();
        mElapsed -= mFrameDelay;
        if (target->GetFrame() > mEnd) {
            if (mLooping) {
                target->SetFrame(mStart);
            } else {
                mActive = false;
                target->SetFrame(mEnd);
            }
        }
    }
}

std::shared_ptr<fb::cmp::Component> BasicAnimation::FromJson(const rapidjson::Value& object)
{
    const bool complete = object.IsObject() && object.HasMember("start") && object["start"].IsUint() &&
                          object.HasMember("end") && object["end"].IsUint() && object.HasMember("framedelay") &&
                          object["framedelay"].IsNumber() && object.HasMember("active") &&
                          object["active"].IsBool() && object.HasMember("looping") && object["looping"].IsBool();
    if (!complete) {
        Trace("BasicAnimation needs \"start\", \"end\" (whole numbers), \"framedelay\" (a number), \"active\" and "
              "\"looping\" (true or false); made inactive",
              3);
        return std::make_shared<BasicAnimation>(0, 1, 1.0f, false, false);
    }
    return std::make_shared<BasicAnimation>(object["start"].GetUint(), object["end"].GetUint(),
                                            object["framedelay"].GetFloat(), object["active"].IsTrue(),
                                            object["looping"].IsTrue());
}

AnimationAdvanced::AnimationAdvanced(std::vector<FrameData> frames, bool active, bool looping)
    : mFrames(std::move(frames))
    , mLooping(looping)
    , mActive(active)
{
    if (active && mFrames.empty()) {
        Trace("Advanced animation without frames; made inactive", 3);
        mActive = false;
    }
}

void AnimationAdvanced::Init()
{
    mTarget = SpriteOf(GetOwner());
}

void AnimationAdvanced::OnComponentAdded(std::weak_ptr<fb::cmp::Component> added)
{
    if (auto sprite = std::dynamic_pointer_cast<SpriteAnimated>(added.lock()))
        mTarget = sprite;
}

AnimationAdvanced* AnimationAdvanced::Clone()
{
    return new AnimationAdvanced(mFrames, mActive, mLooping);
}

void AnimationAdvanced::Advance(float dt)
{
    std::shared_ptr<SpriteAnimated> target = mTarget.lock();
    Assert(target != nullptr, "Advanced animation with no attached sprite!");
    if (!mActive || !target)
        return;
    mElapsed += dt;
    while (mActive && mFrames[mIndex].duration <= mElapsed) {
        // A frame of no duration is passed over, but only one a step, so
        // that a list of them cannot spin for ever.
        const bool instant = !(mFrames[mIndex].duration > 0.0f);
        mElapsed -= mFrames[mIndex].duration;
        ++mIndex;
        if (mIndex < mFrames.size()) {
            target->SetFrame(static_cast<unsigned>(mFrames[mIndex].frame));
        } else if (mLooping) {
            mIndex = 0;
            target->SetFrame(static_cast<unsigned>(mFrames[0].frame));
        } else {
            mActive = false;
            mIndex = static_cast<std::uint32_t>(mFrames.size() - 1);
            target->SetFrame(static_cast<unsigned>(mFrames[mIndex].frame));
        }
        if (instant)
            break;
    }
}

std::shared_ptr<fb::cmp::Component> AnimationAdvanced::FromJson(const rapidjson::Value& object)
{
    std::vector<FrameData> frames;
    if (!object.IsObject() || !object.HasMember("FrameData") || !object["FrameData"].IsArray()) {
        Trace("AdvancedAnimation needs a \"FrameData\" array; made inactive", 3);
        return std::make_shared<AnimationAdvanced>(frames, false, true);
    }
    for (const rapidjson::Value& entry : object["FrameData"].GetArray()) {
        if (!entry.IsNumber() || entry.GetDouble() < 0.0 || entry.GetDouble() != std::floor(entry.GetDouble()) ||
            entry.GetDouble() > 1.0e6) {
            Trace("AdvancedAnimation \"FrameData\" holds something that is not a whole frame number; made inactive",
                  3);
            return std::make_shared<AnimationAdvanced>(std::vector<FrameData>(), false, true);
        }
        const auto frame = static_cast<std::int32_t>(entry.GetDouble());
        frames.push_back({frame, static_cast<float>(frame)});
    }
    return std::make_shared<AnimationAdvanced>(frames, true, true);
}
