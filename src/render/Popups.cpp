#include "render/Popups.h"

#include "core/Entity.h"
#include "core/EntityManager.h"
#include "render/KillClock.h"
#include "render/PopupNumber.h"
#include "render/ScreenspacePopupText.h"

#include <map>
#include <memory>

namespace {

constexpr int kNoSlot = -1;

std::map<int, std::weak_ptr<ScreenspacePopupText>> gSlots;

void Spawn(std::shared_ptr<fb::Entity> entity, float lifetime)
{
    entity->AddComponent<KillClock>(std::make_shared<KillClock>(lifetime));
    EntityManager::Add(std::move(entity));
}

} // namespace

void CreatePopupNumber(int number, const glm::vec3& colour, float x, float y, float riseSpeed, float lifetime)
{
    auto entity = std::make_shared<fb::Entity>("Popup Number");
    entity->AddComponent<PopupNumber>(std::make_shared<PopupNumber>(number, colour, x, y, riseSpeed));
    Spawn(std::move(entity), static_cast<float>(number) * 0.1f + lifetime);
}

void CreatePopupText(const std::string& text, const glm::vec3& colour, float x, float y, float riseSpeed,
                     float lifetime, bool outline)
{
    auto entity = std::make_shared<fb::Entity>("Popup Text: " + text);
    entity->AddComponent<PopupText>(std::make_shared<PopupText>(text, colour, x, y, riseSpeed, outline));
    Spawn(std::move(entity), lifetime);
}

void CreateScreenspacePopupText(const std::string& text, const glm::vec3& colour, float x, float y,
                                float riseSpeed, float lifetime, bool outline, int slot)
{
    if (slot != kNoSlot) {
        auto found = gSlots.find(slot);
        if (found != gSlots.end()) {
            if (std::shared_ptr<ScreenspacePopupText> earlier = found->second.lock()) {
                earlier->Set(text, colour, x, y, riseSpeed, outline);
                return;
            }
        }
    }
    auto entity = std::make_shared<fb::Entity>("Popup Text: " + text);
    auto popup = std::make_shared<ScreenspacePopupText>(text, colour, x, y, riseSpeed, outline);
    entity->AddComponent<ScreenspacePopupText>(popup);
    Spawn(std::move(entity), lifetime);
    gSlots[slot] = popup;
}
