#include "core/EntityManager.h"
#include "core/JsonWriting.h"
#include "core/KeptFiles.h"
#include "core/NameRegardlessOfCase.h"
#include "core/PlainFileName.h"
#include "core/Trace.h"
#include "core/Transform.h"
#include "render/Sprite.h"
#include "tools/Editor.h"

#include <cstring>
#include <string_view>

namespace {

// Overwrites a member the object has; adds none.
void SetExisting(rapidjson::Value& object, const char* key, rapidjson::Value value)
{
    auto member = object.FindMember(key);
    if (member != object.MemberEnd())
        member->value = std::move(value);
}

bool IsType(const rapidjson::Value& component, const char* type)
{
    if (!component.IsObject())
        return false;
    auto member = component.FindMember("type");
    return member != component.MemberEnd() && member->value.IsString() &&
           std::strcmp(member->value.GetString(), type) == 0;
}

// The sprite's image is written only when it is not the one the document
// names, that is when another one was switched on.
void WriteSprite(rapidjson::Value& object, const Sprite& sprite, rapidjson::Document::AllocatorType& allocator)
{
    auto filename = object.FindMember("filename");
    const std::string& shown = sprite.GetTexture().name;
    const bool named = filename != object.MemberEnd() && filename->value.IsString() &&
                       shown == std::string_view(filename->value.GetString(), filename->value.GetStringLength());
    if (!named)
        SetExisting(object, "filename", rapidjson::Value(shown.c_str(), allocator));
    if (auto opacity = object.FindMember("opacity"); opacity != object.MemberEnd())
        fb::SetJsonFloat(opacity->value, sprite.GetOpacity());
}

} // namespace

namespace fb::edt {

bool Editor::SaveArchetype()
{
    std::shared_ptr<Entity> entity = mSelectedEntity.lock();
    if (!entity) {
        Trace("Editor: the entity to save no longer exists", 3);
        return false;
    }
    std::shared_ptr<rapidjson::Document> document = entity->GetArchetype();
    if (!document || !document->IsObject()) {
        Trace("Editor: \"" + entity->GetName() + "\" was not made from an archetype file; nothing is saved", 3);
        return false;
    }
    auto name = document->FindMember("name");
    if (name == document->MemberEnd() || !name->value.IsString() ||
        !IsPlainFileName(std::string_view(name->value.GetString(), name->value.GetStringLength()))) {
        Trace("Editor: the archetype of \"" + entity->GetName() +
                  "\" has no \"name\" that is a plain file name; nothing is saved",
              3);
        return false;
    }
    // The game reads "playerA.json" for the archetype "PlayerA": the file it
    // was read from is written where that is the archetype's own name in
    // another case, else the one the name means where case is not told apart.
    const std::string folder = "assets/json/";
    const std::string ownFile = std::string(name->value.GetString()) + ".json";
    const std::string readFrom = EntityManager::GetArchetypeFile(name->value.GetString());
    const std::string path =
        folder + (SameRegardlessOfCase(readFrom, ownFile) ? readFrom : NameRegardlessOfCase(folder, ownFile));

    // The entity goes into a copy, which takes the document's place only once
    // it is on disk: a refused save changes neither the file nor later spawns.
    rapidjson::Document edited;
    edited.CopyFrom(*document, edited.GetAllocator());
    auto components = edited.FindMember("components");
    if (components != edited.MemberEnd() && components->value.IsArray()) {
        std::shared_ptr<cmp::Transform> transform = entity->GetComponent<cmp::Transform>();
        std::shared_ptr<Sprite> sprite = entity->GetComponent<Sprite>();
        for (auto& component : components->value.GetArray()) {
            if (IsType(component, "Transform") && transform)
                transform->ToJson(component);
            else if (IsType(component, "Sprite") && sprite)
                WriteSprite(component, *sprite, edited.GetAllocator());
        }
    }

    std::string error;
    if (!SaveJsonFile(path, edited, JsonLayout::Compact, error)) {
        Trace("Editor: " + error, 4);
        return false;
    }
    document->Swap(edited);
    KeptFiles::Forget(path);
    return true;
}

} // namespace fb::edt
