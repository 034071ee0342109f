#include "game/SlimeUI.h"

#include "core/EntityManager.h"
#include "core/Input.h"
#include "core/Time.h"
#include "core/Trace.h"
#include "core/Transform.h"
#include "game/Character.h"
#include "game/GoalZones.h"
#include "game/Players.h"
#include "render/CamManager.h"
#include "render/ParticleEffects.h"
#include "render/PunchFX.h"
#include "render/Renderer.h"
#include "render/Sprite.h"
#include "render/TextureManager.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kSlots = 4;
constexpr int kScreenLayer = 5;
constexpr int kIconLayer = 2;
// The level fills this much of its box's height when the box is full.
constexpr float kFullShare = 0.95f;
constexpr float kLevelWidthShare = 0.8f;
constexpr float kRiseSpeed = 4.0f;
constexpr float kFallSpeed = 16.0f;
constexpr float kSplashSize = 4.0f;

const std::array<const char*, kSlots> kBoxImages = {
    "./assets/img/RedSlimebox.png", "./assets/img/BlueSlimebox.png", "./assets/img/YellowSlimebox.png",
    "./assets/img/GreySlimebox.png"};

struct SlimeBoxSlot {
    std::shared_ptr<fb::Entity> box;
    std::shared_ptr<fb::Entity> level;
};

struct MagazineSlot {
    std::shared_ptr<fb::Entity> magazine;
};

std::array<int, kSlots> gBoxCount{};
std::array<float, kSlots> gLevelShown{};
std::array<float, kSlots> gLevelTarget{};
int gWinningPlayer = -1;
int gWinCount = 1;
bool gHudVisible = false;
std::array<SlimeBoxSlot, kSlots> gSlimeBoxes;
std::array<MagazineSlot, kSlots> gMagazines;
Texture gNormalSlimeIcon("./assets/img/NeonAlien.png");
Texture gGoldenSlimeIcon("./assets/img/AlienGolden.png");

bool ValidPlayer(int player)
{
    return player >= 0 && player < kSlots;
}

std::shared_ptr<fb::cmp::Transform> TransformOf(const std::shared_ptr<fb::Entity>& entity)
{
    return entity->GetComponent<fb::cmp::Transform>();
}

void SetOpacity(const std::shared_ptr<fb::Entity>& entity, float opacity)
{
    entity->GetComponent<Sprite>()->SetOpacity(opacity);
}

// An archetype entity of the display. Without its file the piece is made
// plain (a unit transform and a sprite of `image`), so the display keeps
// working, only without its look.
std::shared_ptr<fb::Entity> BuildPiece(const std::string& archetype, const std::string& image)
{
    std::shared_ptr<fb::Entity> entity = EntityManager::LoadArchetype(archetype);
    if (!entity) {
        Trace("-SlimeUI- Could not build \"" + archetype + "\"; using a plain piece", 3);
        entity = std::make_shared<fb::Entity>(archetype);
    }
    if (!entity->GetComponent<fb::cmp::Transform>())
        entity->AddComponent(std::make_shared<fb::cmp::Transform>());
    if (!entity->GetComponent<Sprite>())
        entity->AddComponent(std::make_shared<Sprite>(image, 1.0f, kScreenLayer));
    entity->GetComponent<Sprite>()->SetLayer(kScreenLayer);
    return entity;
}

// A slime burst at a point of the screen-fixed display.
void Splash(glm::vec2 point)
{
    const glm::mat3 toWorld = CamManager::GetInverseViewMatrix() * CamManager::GetWorld2NDC() * Sprite::ScreenTransform();
    const glm::vec3 world = toWorld * glm::vec3(point, 1.0f);
    MakeSquishParticle(kSplashSize, glm::vec2(world.x, world.y));
}

void SplashLevelTop(int player)
{
    auto level = TransformOf(gSlimeBoxes[player].level);
    const glm::vec2 position = level->GetPosition();
    Splash({position.x, position.y + level->GetScale().y * 0.5f});
}

void ApplyVisibility(bool visible)
{
    if (!visible) {
        for (const SlimeBoxSlot& slot : gSlimeBoxes)
            SetOpacity(slot.box, 0.0f);
        for (const SlimeBoxSlot& slot : gSlimeBoxes)
            SetOpacity(slot.level, 0.0f);
        return;
    }
    // Only the boxes of the players the pads ask for; the others keep their opacity.
    for (int k = 0; k < kSlots; ++k) {
        if (k < Input::CountPlayerSlots())
            SetOpacity(gSlimeBoxes[k].box, 1.0f);
    }
    for (int k = 0; k < kSlots; ++k) {
        if (k < Input::CountPlayerSlots())
            SetOpacity(gSlimeBoxes[k].level, 1.0f);
    }
}

void AnimateLevel(int k, float dt)
{
    auto box = TransformOf(gSlimeBoxes[k].box);
    auto level = TransformOf(gSlimeBoxes[k].level);
    const glm::vec2 boxScale = box->GetScale();
    const float fullHeight = kFullShare * boxScale.y;
    // The splashes are entities that run down on game time: while it stands
    // still (the end menu) they would pile up without end.
    const bool splashes = Time::GetScaledDt() != 0.0f;
    float& shown = gLevelShown[k];
    const float target = gLevelTarget[k];

    if (target > shown) {
        shown += dt * kRiseSpeed;
    } else if (shown > target) {
        if (splashes)
            SplashLevelTop(k);
        shown -= dt * kFallSpeed;
        CamManager::Shake(0.013f, 0.008f);
    }
    if (dt * kRiseSpeed > std::fabs(shown - target))
        shown = target;
    if (shown == target && shown == fullHeight && splashes)
        SplashLevelTop(k);

    level->SetScale(boxScale.x * kLevelWidthShare, shown);
    const glm::vec2 boxPosition = box->GetPosition();
    level->SetPosition(boxPosition.x, boxPosition.y - boxScale.y * kFullShare * 0.5f + level->GetScale().y * 0.5f);
}

void DrawIcons(int k)
{
    Character* player = GetPlayer(k);
    if (!player)
        return;
    const std::vector<std::int32_t>& carried = player->GetSlimeStack();
    auto magazine = TransformOf(gMagazines[k].magazine);
    const glm::vec2 scale = magazine->GetScale();
    const glm::vec2 position = magazine->GetPosition();
    const float spacing = scale.y / 5.0f;
    const float iconSize = scale.y / 9.0f;
    const float base = position.y - scale.y / 1.71f;

    TextureManager::Get(gNormalSlimeIcon);
    TextureManager::Get(gGoldenSlimeIcon);
    Renderer::SetTexture(gNormalSlimeIcon);
    for (std::size_t i = 1; i <= carried.size(); ++i) {
        Renderer::SetTexture(carried[i - 1] == 5 ? gGoldenSlimeIcon : gNormalSlimeIcon);
        glm::mat3 model(1.0f);
        model[2] = glm::vec3(position.x, base + static_cast<float>(i) * spacing, 1.0f);
        glm::mat3 size(1.0f);
        size[0][0] = iconSize;
        size[1][1] = iconSize;
        Renderer::SetTransformFromMatrix(Sprite::ScreenTransform() * model * size);
        Renderer::SetOpacity(1.0f);
        Renderer::Submit(kIconLayer);
    }
}

} // namespace

namespace SlimeUI {

void Initialize()
{
    gWinCount = 1;
    gBoxCount.fill(0);
    gWinningPlayer = -1;

    for (int k = 0; k < kSlots; ++k) {
        auto level = std::make_shared<fb::Entity>("player" + std::to_string(k + 1) + " slime contents");
        level->AddComponent(std::make_shared<fb::cmp::Transform>(glm::vec2(0.0f), glm::vec2(0.0f), 0.0f));
        level->AddComponent(std::make_shared<Sprite>("assets/img/slimestack.png", 1.0f, kScreenLayer));
        gSlimeBoxes[k].level = level;
    }
    gLevelShown.fill(0.0f);
    gLevelTarget.fill(0.0f);
    for (const SlimeBoxSlot& slot : gSlimeBoxes)
        EntityManager::Add(slot.level);

    EntityManager::LoadJson("slimebox.json");
    for (int k = 0; k < kSlots; ++k) {
        gSlimeBoxes[k].box = BuildPiece("slimebox", kBoxImages[k]);
        gSlimeBoxes[k].box->GetComponent<Sprite>()->SetTexture(Texture(kBoxImages[k]));
    }
    for (const SlimeBoxSlot& slot : gSlimeBoxes)
        SetOpacity(slot.box, 0.0f);

    EntityManager::LoadJson("slimemagazine.json");
    for (MagazineSlot& slot : gMagazines)
        slot.magazine = BuildPiece("slimemagazine", "");
    for (const MagazineSlot& slot : gMagazines)
        EntityManager::Add(slot.magazine);
    for (const MagazineSlot& slot : gMagazines)
        SetOpacity(slot.magazine, 0.0f);

    for (const SlimeBoxSlot& slot : gSlimeBoxes)
        EntityManager::Add(slot.box);
}

void UpdatePlayer(int amount, int player)
{
    if (!ValidPlayer(player) || gWinningPlayer != -1)
        return;
    gBoxCount[player] = std::min(gBoxCount[player] + amount, kSlimeBoxMax);

    const std::shared_ptr<fb::Entity>& box = gSlimeBoxes[player].box;
    box->AddComponent(std::make_shared<PunchFX>(0.0f, static_cast<float>(amount / 100.0 + 0.09), 1.0f));
    const float boxHeight = TransformOf(box)->GetScale().y;
    gLevelTarget[player] =
        (static_cast<float>(gBoxCount[player]) * (boxHeight * kFullShare)) / static_cast<float>(kSlimeBoxMax);
    SplashLevelTop(player);

    if (gBoxCount[player] >= kSlimeBoxMax) {
        Splash(TransformOf(box)->GetPosition());
        gWinningPlayer = player;
        ++gWinCount;
        GoalZones::SlimeStreak(nullptr);
        ClearAllSlime();
    }
}

void Update(bool visible)
{
    if (visible != gHudVisible) {
        gHudVisible = visible;
        ApplyVisibility(visible);
    }
    const float dt = Time::GetDt();
    const int players = GetPlayerCount();
    for (int k = 0; k < kSlots; ++k) {
        if (k == 0 || k < players)
            AnimateLevel(k, dt);
    }
}

void Draw()
{
    if (Time::GetScaledDt() <= 0.001f) {
        for (const MagazineSlot& slot : gMagazines)
            SetOpacity(slot.magazine, 0.0f);
        return;
    }
    const int players = GetPlayerCount();
    for (int k = 0; k < kSlots; ++k) {
        if (k == 0 || players >= k + 1)
            SetOpacity(gMagazines[k].magazine, 1.0f);
    }
    for (int k = 0; k < kSlots; ++k) {
        if (k == 0 || k < players)
            DrawIcons(k);
    }
}

int GetWinningPlayer()
{
    return gWinningPlayer;
}

void SetWinningPlayer(int player)
{
    gWinningPlayer = player;
}

int GetWinCount()
{
    return gWinCount;
}

glm::vec2 GetSlimeboxScale(int player)
{
    if (!ValidPlayer(player) || !gSlimeBoxes[player].box)
        return {0.0f, 0.0f};
    return TransformOf(gSlimeBoxes[player].box)->GetScale();
}

void SetSlimeboxPosition(float x, float y, int player)
{
    if (!ValidPlayer(player) || !gSlimeBoxes[player].box)
        return;
    TransformOf(gSlimeBoxes[player].box)->SetPosition(x, y);
    TransformOf(gSlimeBoxes[player].level)->SetPosition(x, y);
}

void SetSlimeboxScale(glm::vec2 scale, int player)
{
    if (!ValidPlayer(player) || !gSlimeBoxes[player].box)
        return;
    TransformOf(gSlimeBoxes[player].box)->SetScale(scale);
}

glm::vec2 GetMagazineScale(int player)
{
    if (!ValidPlayer(player) || !gMagazines[player].magazine)
        return {0.0f, 0.0f};
    return TransformOf(gMagazines[player].magazine)->GetScale();
}

void SetMagazinePosition(float x, float y, int player)
{
    if (!ValidPlayer(player) || !gMagazines[player].magazine)
        return;
    TransformOf(gMagazines[player].magazine)->SetPosition(x, y);
}

void SetMagazineScale(glm::vec2 scale, int player)
{
    if (!ValidPlayer(player) || !gMagazines[player].magazine)
        return;
    TransformOf(gMagazines[player].magazine)->SetScale(scale);
}

} // namespace SlimeUI
