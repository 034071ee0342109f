#include "level/TutorialHints.h"

#include "core/Entity.h"
#include "core/Transform.h"
#include "level/Level.h"
#include "render/CamManager.h"
#include "render/Renderer.h"
#include "render/Sprite.h"
#include "render/TextRenderer.h"

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kHintLayer = 6;
constexpr float kHintScale = 1.5f;

struct HintText {
    const char* text;
    float x;
    float y;
    float scale;
};

// The gaps in the texts leave room for the button pictures.
const HintText kTexts[] = {
    {"Stand at an active goal to deposit slimes", 0.0f, 9.0f, 1.0f},
    {"Press     in midair to double jump", 0.0f, 3.0f, 0.75f},
    {"+", 0.0f, -3.0f, 0.75f},
    {"Hold     to", -30.0f, 0.0f, 1.0f},
    {"Hold     to", 30.0f, 0.0f, 1.0f},
    {"wall climb", -30.0f, -2.0f, 1.0f},
    {"wall climb", 30.0f, -2.0f, 1.0f},
};

// Made on the first tutorial frame; kept alive here, outside the entity manager.
bool gHintsCreated = false;
std::vector<std::shared_ptr<fb::Entity>> gHintEntities;
std::vector<std::shared_ptr<Sprite>> gHintSprites;

void AddHint(const std::string& name, const std::string& image, glm::vec2 position, float rotation = 0.0f)
{
    auto entity = std::make_shared<fb::Entity>(name);
    auto sprite = std::make_shared<Sprite>(image, 1.0f, kHintLayer);
    entity->AddComponent(sprite);
    entity->AddComponent(std::make_shared<fb::cmp::Transform>(position, glm::vec2(kHintScale, kHintScale), rotation));
    gHintEntities.push_back(entity);
    gHintSprites.push_back(sprite);
}

void CreateHints()
{
    AddHint("L-stick image", "assets/img/360 controller images/360_Left_Stick.png", {-2.5f, -2.5f});
    // A quarter turn makes the left arrow point down.
    AddHint("down arrow image", "assets/img/left_arrow.png", {-1.25f, -2.5f}, 1.5707964f);
    for (const glm::vec2& point : CurrentLevel().tutorialHints)
        AddHint("A button image", "assets/img/360 controller images/360_A.png", point);
    gHintsCreated = true;
}

} // namespace

void ShowTutorialHints()
{
    if (GetLevelName() != "Tutorial")
        return;
    Renderer::SetBloom(false);
    if (!gHintsCreated)
        CreateHints();
    for (const HintText& hint : kTexts)
        TextRenderer::AddTextWorld(hint.text, hint.x, hint.y, hint.scale, glm::vec3(1.0f, 1.0f, 1.0f), true);
    for (const std::shared_ptr<Sprite>& sprite : gHintSprites)
        sprite->Draw();
    CamManager::AddFocusPoint(25.0f, 0.0f, 1);
    CamManager::AddFocusPoint(-25.0f, 0.0f, 1);
    Renderer::SetBloom(true);
}
