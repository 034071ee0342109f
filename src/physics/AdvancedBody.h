#pragma once

#include "core/Component.h"
#include "core/Subject.h"
#include "physics/AdvancedBodyEvent.h"
#include "physics/BoxCollider.h"
#include "physics/CollisionLayer.h"
#include "physics/CollisionResult.h"

#include <array>
#include <glm/glm.hpp>
#include <unordered_map>

namespace fb::cmp {

// The moving body of players and aliens. Each step it integrates velocity
// and acceleration, moves its entity and pushes it out of whatever its
// collider's mask accepts, stopping, sliding or bouncing on contact.
//
// Detector sets are seven small colliders around the body, each set keyed by
// the layer bits it looks for; game code asks them where the body touches.
// When the pool runs dry the body moves without colliding and a missing
// detector reports nothing.
class AdvancedBody : public Component, public evt::Subject<evt::SubjectObserver<AdvancedBodyEvent>, AdvancedBodyEvent> {
public:
    enum Detector : int { Body, Top, Bottom, Left, Right, FootLeft, FootRight, DetectorCount };
    using DetectorSet = std::array<BoxCollider*, DetectorCount>;

    // Motion is capped at this many seconds a step, however long the frame.
    static constexpr float kMaxStep = 0.016f;

    explicit AdvancedBody(CollisionLayer layer);
    AdvancedBody(const AdvancedBody&) = delete;
    AdvancedBody& operator=(const AdvancedBody&) = delete;
    // Returns the body collider and every detector to the pool.
    ~AdvancedBody() override;

    void Init() override;
    void Update() override;

    void SetVelocity(const glm::vec2& velocity) { mVelocity = velocity; }
    glm::vec2 GetVelocity() const { return mVelocity; }
    void SetAcceleration(const glm::vec2& acceleration) { mAcceleration = acceleration; }
    glm::vec2 GetAcceleration() const { return mAcceleration; }
    void SetLayer(int layer, int mask);
    CollisionLayer GetLayer() const { return mLayer; }
    // The share of the velocity along a contact that survives it.
    void SetFriction(float friction) { mFriction = friction; }
    // Restitution; 0 or less stops the body on contact.
    void SetBounce(float bounce) { mBounce = bounce; }
    // With notify on, each step ends by running every detector and sending
    // a body event for each one that touches something.
    void SetNotify(bool notify) { mNotify = notify; }

    // Null when the pool was exhausted.
    const BoxCollider* GetBodyCollider() const { return mCollider; }

    // Makes the seven detectors of set `key` on the current owner. A key that
    // exists already is traced and left alone.
    void CreateDetectorSet(int key);
    // An empty result for a missing set, detector or collider.
    CollisionResult RunDetection(int key, int detector);
    bool CollisionDetected(int key, int detector);

private:
    void RespondToContact(const glm::vec2& mtv);
    void NotifyDetections();

    BoxCollider* mCollider = nullptr;
    std::unordered_map<int, DetectorSet> mDetectorSets;
    glm::vec2 mVelocity{0.0f, 0.0f};
    glm::vec2 mAcceleration{0.0f, 0.0f};
    float mFriction = 1.0f;
    bool mNotify = false;
    float mBounce = 0.0f;
    CollisionLayer mLayer;
};

} // namespace fb::cmp
