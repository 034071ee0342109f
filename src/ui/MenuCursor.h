#pragma once

#include "core/Entity.h"
#include "core/Transform.h"

#include <glm/glm.hpp>
#include <memory>

// The pointer a menu screen draws for the mouse: a wobbling picture on the
// screen-fixed layer that the screen moves and updates itself (it is not in
// the entity manager). With a game pad driving the menus it is parked far
// out of sight.
class MenuCursor {
public:
    // Where the cursor waits while a game pad drives the menus.
    static constexpr glm::vec2 kParked{-10000.0f, -10000.0f};

    // A new "Cursor" entity of the given size at the origin.
    void Build(float size);
    // In mouse mode, at the mouse's point plus the offset (both in units of
    // the screen-fixed layer); else parked.
    void Place(glm::vec2 offset);
    // Out of sight, whatever the input mode.
    void Park();
    // Draws it and lets it wobble.
    void Update();

    std::shared_ptr<fb::Entity> GetEntity() const { return mEntity; }
    glm::vec2 GetPosition() const;

    // The mouse's point in the view of a menu camera, relative to the
    // camera's centre, in world units.
    static glm::vec2 MousePoint();

private:
    std::shared_ptr<fb::Entity> mEntity;
    std::shared_ptr<fb::cmp::Transform> mTransform;
};
