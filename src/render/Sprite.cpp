#include "render/Sprite.h"

#include "core/ComponentFactory.h"
#include "core/Entity.h"
#include "core/Trace.h"
#include "level/Level.h"
#include "render/CamManager.h"
#include "render/Renderer.h"
#include "render/SpriteJson.h"
#include "render/TextureManager.h"

#include <algorithm>

namespace {

ComponentFactory::Registration gRegistration("Sprite", Sprite::FromJson);

constexpr int kNoBloomLayer = 1;
constexpr int kScreenLayer = 5;
constexpr int kFileLayer = 2;

} // namespace

Sprite::Sprite(std::string fileName, float opacity, int layer)
    : mTexture(fileName)
    , mOpacity(opacity)
    , mLayer(layer)
{
    Assert(opacity >= 0.0f && opacity <= 1.0f, "Invalid opacity given to Sprite constructor");
}

Sprite::Sprite(Sprite&& other) noexcept
    : Component(other)
    , mTexture(other.mTexture.name)
    , mTransform(std::move(other.mTransform))
    , mOpacity(other.mOpacity)
    , mFlipped(other.mFlipped)
    , mLayer(other.mLayer)
{
}

void Sprite::Init()
{
    TextureManager::Get(mTexture);
    if (std::shared_ptr<fb::Entity> owner = GetOwner().lock())
        mTransform = owner->GetComponent<fb::cmp::Transform>();
}

void Sprite::OnComponentAdded(std::weak_ptr<fb::cmp::Component> added)
{
    if (auto transform = std::dynamic_pointer_cast<fb::cmp::Transform>(added.lock()))
        mTransform = transform;
}

void Sprite::Update()
{
    Renderer::SetFlipped(mFlipped);
    Draw();
}

Sprite* Sprite::Clone()
{
    return new Sprite(mTexture.name, mOpacity, kFileLayer);
}

void Sprite::Draw()
{
    TextureManager::Refresh(mTexture);
    std::shared_ptr<fb::cmp::Transform> transform = mTransform.lock();
    if (!transform) {
        Trace("Sprite with no given transform", 2);
        Renderer::SetOpacity(mOpacity);
        Renderer::SetTextureId(mTexture.id);
        Renderer::Submit(mLayer);
        return;
    }
    if (mLayer == kScreenLayer) {
        Renderer::SetTransformFromMatrix(ScreenTransform() * transform->GetMatrix());
        Renderer::SetOpacity(mOpacity);
        Renderer::SetTextureId(mTexture.id);
        Renderer::Submit(kScreenLayer);
        return;
    }
    if (mLayer == kNoBloomLayer) {
        Renderer::SetBloom(false);
        Renderer::SetTransform(transform->GetMatrix());
        Renderer::SetOpacity(mOpacity);
        Renderer::SetTextureId(mTexture.id);
        Renderer::Submit(kNoBloomLayer);
        // The next record blooms unless it says otherwise.
        Renderer::SetBloom(true);
        return;
    }
    Renderer::SetTransform(transform->GetMatrix());
    Renderer::SetOpacity(mOpacity);
    Renderer::SetTextureId(mTexture.id);
    Renderer::Submit(mLayer);
}

void Sprite::SetTexture(const Texture& texture)
{
    mTexture = texture;
    TextureManager::Get(mTexture);
}

glm::mat3 Sprite::ScreenTransform()
{
    const auto [width, height] = GetLevelSize();
    const std::shared_ptr<CamManager::Camera> camera = CamManager::GetActiveCamera();
    if (width == 0 || height == 0 || !camera || !camera->IsFollowing())
        return glm::mat3(1.0f);
    const float k = camera->scale.y / static_cast<float>(std::min(width, height));
    glm::mat3 scale(1.0f);
    scale[0][0] = k;
    scale[1][1] = k;
    return scale;
}

std::shared_ptr<fb::cmp::Component> Sprite::FromJson(const rapidjson::Value& object)
{
    Sprite sprite(SpriteJson::FileName(object, "Sprite"), SpriteJson::Opacity(object, "Sprite"), kFileLayer);
    return std::make_shared<Sprite>(std::move(sprite));
}
