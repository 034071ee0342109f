#include "render/CamManager.h"

#include "core/Random.h"
#include "core/Trace.h"
#include "core/Window.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct FocusPoint {
    float x;
    float y;
    unsigned weight;
};

struct FollowParams {
    float targetX = 0.0f;
    float targetY = 0.0f;
    float extentA = 0.0f;
    float extentB = 0.0f;
};

struct ShakeState {
    float duration = 0.0f;
    float remaining = 0.0f;
    float strength = 0.0f;
    bool active = false;
};

// Below this the rotation snaps back to 0.
constexpr float kRotationSnap = 0.01f;

std::shared_ptr<CamManager::Camera> gActive = std::make_shared<CamManager::Camera>();
std::vector<FocusPoint> gFocusPoints;
FollowParams gFollow;
ShakeState gShake;

glm::mat3 gWorld2NDC{1.0f};
glm::mat3 gView{1.0f};
glm::mat3 gInverseView{1.0f};
glm::mat3 gNDC2World{1.0f};

// An easing factor of the frame time. A long frame (a stall, a slow load)
// lands on the goal instead of overshooting it and mirroring the view.
float Ease(float factor)
{
    return std::min(factor, 1.0f);
}

void FollowFocusPoints(CamManager::Camera& camera, float dt)
{
    float weights = 0.0f;
    glm::vec2 centre(0.0f);
    for (const FocusPoint& point : gFocusPoints) {
        const float weight = static_cast<float>(point.weight);
        centre += glm::vec2(point.x, point.y) * weight;
        weights += weight;
    }
    if (gFocusPoints.empty() || weights == 0.0f)
        return;
    centre /= weights;

    const float aspect = camera.scale.x != 0.0f ? camera.scale.y / camera.scale.x : 1.0f;
    float spread = 0.0f;
    for (const FocusPoint& point : gFocusPoints) {
        spread = std::max(spread, std::abs((point.x - centre.x) * aspect));
        spread = std::max(spread, std::abs(point.y - centre.y));
    }
    const float zoom = std::max(spread, 1.0f) * 2.6f;
    const float factor = Ease(dt);
    camera.position.x += (centre.x - camera.position.x) * factor;
    camera.position.y += (centre.y - camera.position.y) * factor;
    camera.scale.x += (zoom - camera.scale.x) * factor;
    camera.scale.y += (zoom - camera.scale.y) * factor;
    camera.scale.z = camera.scale.y;
    camera.dirty = true;
}

void FollowTarget(CamManager::Camera& camera, float dt)
{
    const float zoom = std::max(gFollow.extentA, gFollow.extentB) * 5.2f;
    const float factor = Ease(dt);
    const float zoomFactor = Ease(2.0f * dt);
    camera.position.x += (gFollow.targetX - camera.position.x) * factor;
    camera.position.y += (gFollow.targetY - camera.position.y) * factor;
    camera.scale.x += (zoom - camera.scale.x) * zoomFactor;
    camera.scale.y += (zoom - camera.scale.y) * zoomFactor;
    camera.scale.z = camera.scale.y;
    camera.dirty = true;
}

// Eases the rotation back toward 0 by dt radians, without passing it.
void Straighten(CamManager::Camera& camera, float dt)
{
    if (camera.up.y == 1.0f)
        return;
    float rotation = camera.GetRotation();
    const float step = std::min(dt, std::abs(rotation));
    rotation += rotation > 0.0f ? -step : step;
    if (std::abs(rotation) < kRotationSnap)
        rotation = 0.0f;
    camera.SetRotation(rotation);
}

bool IsFinite(const glm::vec3& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

bool HasFinitePlacement(const CamManager::Camera& camera)
{
    return IsFinite(camera.position) && IsFinite(camera.up) && IsFinite(camera.right) && IsFinite(camera.scale);
}

void FitToWindow(CamManager::Camera& camera)
{
    if (!Window::WasResized())
        return;
    const auto [width, height] = GetWindowSize();
    if (height <= 0)
        return;
    camera.scale.y = camera.scale.z;
    camera.scale.x = static_cast<float>(width) / static_cast<float>(height) * camera.scale.z;
    camera.dirty = true;
}

glm::mat3 Projection(const CamManager::Camera& camera)
{
    glm::mat3 projection(1.0f);
    projection[0][0] = 2.0f / camera.scale.x;
    projection[1][1] = 2.0f / camera.scale.y;
    return projection;
}

glm::vec2 ShakeOffset()
{
    if (!gShake.active)
        return glm::vec2(0.0f);
    if (gShake.remaining <= 0.0f) {
        gShake.active = false;
        return glm::vec2(0.0f);
    }
    const float amount = gShake.remaining / gShake.duration * gShake.strength;
    const float dx = Random::Float(-amount, amount);
    const float dy = Random::Float(-amount, amount);
    return {dx, dy};
}

} // namespace

namespace CamManager {

void SetActiveCamera(std::shared_ptr<Camera> camera)
{
    gActive = std::move(camera);
    Update(0.0f);
}

std::shared_ptr<Camera> GetActiveCamera()
{
    return gActive;
}

void AddFocusPoint(float x, float y, unsigned weight)
{
    gFocusPoints.push_back({x, y, weight});
}

void SetFollowParams(float targetX, float targetY, float extentA, float extentB)
{
    gFollow = {targetX, targetY, extentA, extentB};
}

void Shake(float duration, float strength)
{
    Assert(duration > 0.0f, "non-positive camera shake time specified");
    gShake = {duration, duration, strength, true};
}

const glm::mat3& GetWorld2NDC()
{
    return gWorld2NDC;
}

const glm::mat3& GetViewMatrix()
{
    return gView;
}

const glm::mat3& GetInverseViewMatrix()
{
    return gInverseView;
}

const glm::mat3& GetNDC2World()
{
    return gNDC2World;
}

void Update(float dt)
{
    if (dt != 0.0f)
        gShake.remaining -= dt;

    if (!gActive) {
        Trace("World2NDC transform requested, CamManager inactive/no camera", 2);
        gWorld2NDC = glm::mat3(1.0f);
        gView = glm::mat3(1.0f);
        return;
    }
    Camera& camera = *gActive;

    // A step toward points or sizes out of float's range would leave a
    // camera that shows nothing from then on; it keeps its last placement.
    const Camera before = camera;
    if (camera.follow) {
        if (gFollow.targetX == 0.0f)
            FollowFocusPoints(camera, dt);
        else
            FollowTarget(camera, dt);
        Straighten(camera, dt);
    }
    gFocusPoints.clear();
    gFollow.targetX = 0.0f;
    gFollow.targetY = 0.0f;

    FitToWindow(camera);
    if (!HasFinitePlacement(camera))
        camera = before;
    // A camera that shows nothing has no projection; keep the last picture.
    if (camera.scale.x == 0.0f || camera.scale.y == 0.0f)
        return;

    const glm::mat3 projection = Projection(camera);
    if (camera.dirty) {
        const glm::mat3 placement(camera.right, camera.up, camera.position);
        camera.matrix = projection * glm::inverse(placement);
        camera.dirty = false;
    }
    gWorld2NDC = projection;

    glm::mat3 view = camera.matrix;
    const glm::vec2 shake = ShakeOffset();
    view[2][0] += shake.x;
    view[2][1] += shake.y;

    // The menus map the mouse with this; their cameras sit at the origin
    // unrotated, where it is the inverse of the projection.
    const glm::mat3 axes(glm::vec3(camera.right.x, camera.right.y, camera.position.x),
                         glm::vec3(camera.up.x, camera.up.y, camera.position.y), glm::vec3(0.0f, 0.0f, 1.0f));
    gNDC2World = glm::inverse(projection * glm::inverse(axes));

    gView = view;
    gInverseView = glm::inverse(view);
}

} // namespace CamManager
