#include "render/CamManager.h"

#include <cmath>

namespace CamManager {

Camera::Camera() = default;

Camera::Camera(const glm::vec2& position, float rotation, float width, float height)
    : position(position, 1.0f)
    , scale(width, height, width)
{
    SetRotation(rotation);
}

void Camera::SetPosition(const glm::vec2& newPosition)
{
    position = glm::vec3(newPosition, 1.0f);
    dirty = true;
}

void Camera::SetRotation(float radians)
{
    up = glm::vec3(-std::sin(radians), std::cos(radians), 0.0f);
    right = glm::vec3(std::cos(radians), std::sin(radians), 0.0f);
    dirty = true;
}

void Camera::Rotate(float radians)
{
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    auto turn = [c, s](const glm::vec3& axis) {
        return glm::vec3(axis.x * c - axis.y * s, axis.x * s + axis.y * c, 0.0f);
    };
    up = turn(up);
    right = turn(right);
    dirty = true;
}

void Camera::SetScale(const glm::vec2& newScale)
{
    scale = glm::vec3(newScale.x, newScale.y, newScale.y);
    dirty = true;
}

float Camera::GetRotation() const
{
    return std::atan2(-up.x, up.y);
}

} // namespace CamManager
