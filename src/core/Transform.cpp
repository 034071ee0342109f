#include "core/Transform.h"

#include "core/ComponentFactory.h"
#include "core/Entity.h"
#include "core/JsonMembers.h"
#include "core/JsonWriting.h"

#include <algorithm>
#include <cmath>

namespace fb::cmp {

namespace {

// Deeper chains than this are treated as a cycle and end there.
constexpr int kMaxChainDepth = 64;

// A number beyond the range of a float reads as 0, like a missing one.
float ReadFloat(const rapidjson::Value& object, const char* key)
{
    const rapidjson::Value* value = fb::FindJsonMember(object, key);
    const float read = value && value->IsNumber() ? value->GetFloat() : 0.0f;
    return std::isfinite(read) ? read : 0.0f;
}

ComponentFactory::Registration gRegistration("Transform", Transform::FromJson);

// Never destroyed: transforms that outlive main may still leave it.
std::vector<Transform*>& Changed()
{
    static auto* changed = new std::vector<Transform*>();
    return *changed;
}

unsigned gParentLinkChanges = 0;
// Counts every change that may give a transform a parent: parent links, and
// transforms that join an entity.
unsigned gParentChains = 1;

} // namespace

Transform::~Transform()
{
    if (mWatch.listed)
        Changed().erase(std::find(Changed().begin(), Changed().end(), this));
}

void Transform::Init()
{
    ++gParentChains;
    NoteChange();
}

void Transform::NoteChange()
{
    mDirty = true;
    if (mWatch.slot >= 0 && !mWatch.listed) {
        mWatch.listed = true;
        Changed().push_back(this);
    }
}

void Transform::TakeChanged(std::vector<Transform*>& changed)
{
    for (Transform* transform : Changed())
        transform->mWatch.listed = false;
    changed.swap(Changed());
    Changed().clear();
}

unsigned Transform::GetParentLinkChanges()
{
    return gParentLinkChanges;
}

void Transform::NoteParentLinkChange()
{
    ++gParentLinkChanges;
    ++gParentChains;
}

Transform::Transform(const glm::vec2& position, const glm::vec2& scale, float rotation)
    : mPosition(position)
    , mScale(scale)
    , mRotation(rotation)
{
}

void Transform::SetPosition(float x, float y)
{
    mPosition = {x, y};
    NoteChange();
}

void Transform::SetPosition(const glm::vec2& position)
{
    mPosition = position;
    NoteChange();
}

void Transform::SetScale(float x, float y)
{
    mScale = {x, y};
    NoteChange();
}

void Transform::SetScale(const glm::vec2& scale)
{
    mScale = scale;
    NoteChange();
}

void Transform::SetRotation(float radians)
{
    mRotation = radians;
    NoteChange();
}

Transform* Transform::FindParent() const
{
    if (mNoParentChains == gParentChains)
        return nullptr;
    Transform* found = nullptr;
    if (std::shared_ptr<Entity> owner = GetOwner().lock()) {
        if (std::shared_ptr<Entity> parent = owner->GetParent())
            found = parent->GetComponent<Transform>().get();
    }
    if (!found)
        mNoParentChains = gParentChains;
    return found;
}

glm::vec2 Transform::GetPosition() const
{
    glm::vec2 position = mPosition;
    const Transform* parent = FindParent();
    for (int depth = 0; parent && depth < kMaxChainDepth; ++depth) {
        position += parent->mPosition;
        parent = parent->FindParent();
    }
    return position;
}

glm::vec2 Transform::GetScale() const
{
    glm::vec2 scale = mScale;
    const Transform* parent = FindParent();
    for (int depth = 0; parent && depth < kMaxChainDepth; ++depth) {
        scale *= parent->mScale;
        parent = parent->FindParent();
    }
    return scale;
}

glm::mat3& Transform::GetMatrix()
{
    return MatrixAtDepth(0);
}

glm::mat3& Transform::MatrixAtDepth(int depth)
{
    Transform* parent = depth < kMaxChainDepth ? FindParent() : nullptr;
    glm::mat3 parentMatrix(1.0f);
    if (parent)
        parentMatrix = parent->MatrixAtDepth(depth + 1);
    if (!mDirty && !parent)
        return mWorld;
    // A matrix made under a parent stays dirty, so that it is rebuilt
    // should the parent go.
    mDirty = parent != nullptr;
    glm::mat3 scale(1.0f);
    scale[0] *= mScale.x;
    scale[1] *= mScale.y;
    const float c = std::cos(mRotation);
    const float s = std::sin(mRotation);
    glm::mat3 rotation(1.0f);
    rotation[0] = glm::vec3(c, s, 0.0f);
    rotation[1] = glm::vec3(-s, c, 0.0f);
    glm::mat3 translation(1.0f);
    translation[2] = glm::vec3(mPosition.x, mPosition.y, 1.0f);
    mLocal = translation * rotation * scale;
    mWorld = parentMatrix * mLocal;
    return mWorld;
}

std::shared_ptr<Component> Transform::FromJson(const rapidjson::Value& object)
{
    return std::make_shared<Transform>(glm::vec2(ReadFloat(object, "posX"), ReadFloat(object, "posY")),
                                       glm::vec2(ReadFloat(object, "scaleX"), ReadFloat(object, "scaleY")),
                                       ReadFloat(object, "rotation"));
}

void Transform::ToJson(rapidjson::Value& object) const
{
    if (!object.IsObject())
        return;
    auto write = [&object](const char* key, float value) {
        auto member = object.FindMember(key);
        if (member != object.MemberEnd())
            SetJsonFloat(member->value, value);
    };
    write("scaleX", mScale.x);
    write("scaleY", mScale.y);
    write("rotation", mRotation);
}

} // namespace fb::cmp
