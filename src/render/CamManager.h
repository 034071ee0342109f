#pragma once

#include <glm/glm.hpp>
#include <memory>

// The active camera: it follows the frame's points of interest, shakes, and
// publishes the matrices that map between world space and normalised device
// coordinates (NDC, -1 to 1 on both axes).
namespace CamManager {

class Camera {
public:
    // At the origin, unrotated, showing 2 by 2 world units; not following.
    Camera();
    Camera(const glm::vec2& position, float rotation, float width, float height);

    void SetPosition(const glm::vec2& position);
    void SetRotation(float radians);
    // Turns counter-clockwise by the given angle.
    void Rotate(float radians);
    // The view shows scale.x by scale.y world units.
    void SetScale(const glm::vec2& scale);
    glm::vec2 GetScale() const { return {scale.x, scale.y}; }
    glm::vec2 GetPosition() const { return {position.x, position.y}; }
    float GetRotation() const;

    // A following camera is moved and zoomed by CamManager::Update.
    void SetFollow(bool follow) { this->follow = follow; }
    bool IsFollowing() const { return follow; }

    // (x, y, 1).
    glm::vec3 position{0.0f, 0.0f, 1.0f};
    // (-sin a, cos a, 0) and (cos a, sin a, 0) for the rotation a.
    glm::vec3 up{0.0f, 1.0f, 0.0f};
    glm::vec3 right{1.0f, 0.0f, 0.0f};
    // (width, height, zoom) in world units.
    glm::vec3 scale{2.0f, 2.0f, 2.0f};
    bool dirty = true;
    // World to NDC for this camera, without shake.
    glm::mat3 matrix{1.0f};
    bool follow = false;
};

void SetActiveCamera(std::shared_ptr<Camera> camera);
std::shared_ptr<Camera> GetActiveCamera();

// Points of interest for this frame only; the camera centres on their
// weighted mean and zooms out with their spread.
void AddFocusPoint(float x, float y, unsigned weight);
// An explicit target for this frame; a target x of 0 counts as none.
void SetFollowParams(float targetX, float targetY, float extentA, float extentB);
// Jolts the picture by up to strength NDC units, fading out over duration seconds.
void Shake(float duration, float strength);

// The projection only: the camera's scale, not its position, rotation or shake.
const glm::mat3& GetWorld2NDC();
// World to NDC through the camera and its shake.
const glm::mat3& GetViewMatrix();
const glm::mat3& GetInverseViewMatrix();
// NDC to world for a camera at the origin without rotation (the menus' cameras).
const glm::mat3& GetNDC2World();

// Once a frame with the scaled frame time. A step that would take the
// camera out of float's range leaves it where it was.
void Update(float dt);

} // namespace CamManager
