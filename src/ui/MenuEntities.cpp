#include "ui/MenuEntities.h"

#include "core/Entity.h"
#include "core/Transform.h"
#include "render/CamManager.h"
#include "render/Sprite.h"
#include "ui/Button.h"

std::shared_ptr<fb::Entity> MakeMenuPicture(const std::string& name, const std::string& image, int layer,
                                            glm::vec2 position, glm::vec2 scale)
{
    auto entity = std::make_shared<fb::Entity>(name);
    entity->AddComponent(std::make_shared<Sprite>(image, 1.0f, layer));
    entity->AddComponent(std::make_shared<fb::cmp::Transform>(position, scale, 0.0f));
    return entity;
}

MenuButton MakeMenuButton(const std::string& name, const std::string& image, int layer, glm::vec2 position,
                          glm::vec2 scale)
{
    MenuButton made{MakeMenuPicture(name, image, layer, position, scale), std::make_shared<Button>()};
    made.entity->AddComponent(made.button);
    return made;
}

void LinkButton(Button& button, Button* up, Button* left, Button* right, Button* down)
{
    button.up = up;
    button.left = left;
    button.right = right;
    button.down = down;
}

void ActivateMenuCamera(glm::vec2 centre, float height)
{
    CamManager::SetActiveCamera(std::make_shared<CamManager::Camera>(centre, 0.0f, height, height));
}

bool WasPressed(const std::shared_ptr<Button>& button)
{
    return button && button->IsPressed();
}
