#pragma once

#include "core/Component.h"

#include <glm/glm.hpp>
#include <memory>
#include <rapidjson/document.h>
#include <vector>

struct lua_State;

namespace fb::cmp {

// Places an entity in the world. The parent is the transform of the owning
// entity's parent. The world matrix goes through the whole parent matrix,
// while the world position is the plain sum of the local positions along
// the chain and the world scale their product.
class Transform : public Component {
public:
    Transform() = default;
    Transform(const glm::vec2& position, const glm::vec2& scale, float rotation);
    ~Transform() override;

    // Its owner has changed, and with it perhaps its parent.
    void Init() override;

    void SetPosition(float x, float y);
    void SetPosition(const glm::vec2& position);
    void SetScale(float x, float y);
    void SetScale(const glm::vec2& scale);
    void SetRotation(float radians);

    glm::vec2 GetPosition() const;
    glm::vec2 GetScale() const;
    float GetRotation() const { return mRotation; }
    glm::mat3& GetMatrix();

    glm::vec2 GetLocalPosition() const { return mPosition; }
    glm::vec2 GetLocalScale() const { return mScale; }
    // There is a parent transform, whose changes move this one too.
    bool HasParent() const { return FindParent() != nullptr; }

    // Whoever keeps a copy of where a transform is (the collision grid)
    // watches it under a slot number of its own (-1: not watched). The
    // watched transforms that change are listed, each once, until taken.
    void SetWatchSlot(int slot) { mWatch.slot = slot; }
    int GetWatchSlot() const { return mWatch.slot; }
    static void TakeChanged(std::vector<Transform*>& changed);
    // Counts the changes of parent links between entities, which move
    // transforms under them without a call here.
    static unsigned GetParentLinkChanges();
    static void NoteParentLinkChange();

    // The "Transform" creator: "posX", "posY", "scaleX", "scaleY", "rotation".
    static std::shared_ptr<Component> FromJson(const rapidjson::Value& object);
    // Writes the local "scaleX", "scaleY" and "rotation" over the keys the
    // object has; a number that reads as the value already is left as written.
    void ToJson(rapidjson::Value& object) const;

    // Registers the "Transform" and "vec2" types with a script's state (src/script).
    static void BindLua(lua_State* state);

private:
    // Not copied with the transform: a copy is watched by nobody.
    struct Watch {
        Watch() = default;
        Watch(const Watch&) {}
        Watch& operator=(const Watch&) { return *this; }
        int slot = -1;
        bool listed = false;
    };

    void NoteChange();
    Transform* FindParent() const;
    glm::mat3& MatrixAtDepth(int depth);

    glm::vec2 mPosition{0.0f, 0.0f};
    glm::vec2 mScale{1.0f, 1.0f};
    float mRotation = 0.0f;
    bool mDirty = true;
    glm::mat3 mLocal{1.0f};
    glm::mat3 mWorld{1.0f};
    // While the parent chains are as they were when FindParent found no
    // parent, it finds none without looking.
    mutable unsigned mNoParentChains = 0;
    Watch mWatch;
};

} // namespace fb::cmp
