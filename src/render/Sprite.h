#pragma once

#include "core/Component.h"
#include "core/Transform.h"
#include "render/Texture.h"

#include <glm/glm.hpp>
#include <memory>
#include <rapidjson/document.h>
#include <string>

// Makes its entity visible: one texture drawn as a quad through the entity's
// Transform, with an opacity, a left-right flip and a draw layer. Update
// queues the draw; the renderer draws it at the end of the frame. Layer 1
// never blooms; layer 5 is fixed to the screen.
class Sprite : public fb::cmp::Component {
public:
    // The texture is loaded by Init. The opacity should lie in 0..1.
    Sprite(std::string fileName, float opacity, int layer);
    // Takes the owner, transform, opacity, flip and layer; the texture keeps
    // its name and is looked up again by Init.
    Sprite(Sprite&& other) noexcept;

    void Init() override;
    void OnComponentAdded(std::weak_ptr<fb::cmp::Component> added) override;
    void Update() override;
    // A plain sprite of the same image and opacity on layer 2.
    Sprite* Clone() override;
    virtual void Draw();

    int GetLayer() const { return mLayer; }
    void SetLayer(int layer) { mLayer = layer; }
    float GetOpacity() const { return mOpacity; }
    void SetOpacity(float opacity) { mOpacity = opacity; }
    bool IsFlipped() const { return mFlipped; }
    void SetFlipped(bool flipped) { mFlipped = flipped; }
    const Texture& GetTexture() const { return mTexture; }
    // Loads the texture if it is not loaded yet.
    void SetTexture(const Texture& texture);

    // Keeps screen-fixed pieces the same size on screen while the following
    // camera zooms: diag(k, k, 1) with k = the camera's height over the
    // level's smaller side, or the identity without a level or a following
    // camera.
    static glm::mat3 ScreenTransform();

    // The "Sprite" creator: "filename" and "opacity"; always on layer 2.
    static std::shared_ptr<fb::cmp::Component> FromJson(const rapidjson::Value& object);

protected:
    Texture mTexture;
    std::weak_ptr<fb::cmp::Transform> mTransform;
    float mOpacity;
    bool mFlipped = false;
    int mLayer;
};
