#pragma once

#include <glm/glm.hpp>
#include <memory>
#include <string>

class Button;
namespace fb {
class Entity;
}

// The pieces every menu screen builds its page from.

// An entity with a Sprite of the image (opacity 1) and then a Transform
// (rotation 0).
std::shared_ptr<fb::Entity> MakeMenuPicture(const std::string& name, const std::string& image, int layer,
                                            glm::vec2 position, glm::vec2 scale);

struct MenuButton {
    std::shared_ptr<fb::Entity> entity;
    std::shared_ptr<Button> button;
};

// A picture with a new Button (active, unselected) added last.
MenuButton MakeMenuButton(const std::string& name, const std::string& image, int layer, glm::vec2 position,
                          glm::vec2 scale);

// The neighbours a game pad moves the focus to; null where there is none.
void LinkButton(Button& button, Button* up, Button* left, Button* right, Button* down);

// Makes a new camera the active one: unturned, centred on the point and
// showing `height` world units from top to bottom.
void ActivateMenuCamera(glm::vec2 centre, float height);

// Whether there is such a button and it was pressed in this frame.
bool WasPressed(const std::shared_ptr<Button>& button);
