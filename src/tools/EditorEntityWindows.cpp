#include "core/EntityManager.h"
#include "core/Trace.h"
#include "core/Transform.h"
#include "physics/ColliderPool.h"
#include "render/Sprite.h"
#include "render/TextureManager.h"
#include "tools/DeveloperLayout.h"
#include "tools/Editor.h"
#include "tools/EditorWidgets.h"
#include "tools/StringListIndex.h"
#include "tools/StringListItemGetter.h"

#include <cstdio>
#include <imgui.h>
#include <tuple>

namespace {

void PrintValue(char (&text)[fb::edt::Editor::kTextSize], float value)
{
    std::snprintf(text, sizeof text, "%4.2f", value);
}

} // namespace

namespace fb::edt {

void Editor::RefreshEntityList()
{
    mEntityNames.clear();
    mEntityIDs.clear();
    mEntityCount = 0;
    mSelectedEntityIndex = -1;
    for (const auto& entity : EntityManager::GetEntities()) {
        mEntityIDs.push_back(entity->GetID());
        mEntityNames.push_back(entity->GetName());
        ++mEntityCount;
    }
    mEntityListStale = false;
}

void Editor::DrawEntitySelector()
{
    const int before = mSelectedEntityIndex;
    BeginDeveloperWindow("Entity Selector", developer_layout::kEntitySelector);
    ImGui::PushItemWidth(-1);
    ImGui::ListBox("##entities", &mSelectedEntityIndex, StringListItemGetter, &mEntityNames, mEntityCount, 4);
    if (ImGui::Button("Physics Debug Toggle"))
        mPhysicsDebug = !mPhysicsDebug;
    if (mPhysicsDebug)
        DrawBoxColliders();
    ImGui::PopItemWidth();
    ImGui::End();
    if (mSelectedEntityIndex != before)
        SelectEntity(mSelectedEntityIndex);
}

void Editor::SelectEntity(int index)
{
    if (index < 0 || index >= mEntityCount)
        return;
    mSelectedEntity = EntityManager::FindByID(mEntityIDs[static_cast<std::size_t>(index)]);
    std::shared_ptr<Entity> entity = mSelectedEntity.lock();
    if (!entity)
        return;
    if (auto transform = entity->GetComponent<cmp::Transform>()) {
        PrintValue(mScaleXText, transform->GetScale().x);
        PrintValue(mScaleYText, transform->GetScale().y);
        PrintValue(mRotationText, transform->GetRotation());
    }
    if (auto sprite = entity->GetComponent<Sprite>())
        PrintValue(mOpacityText, sprite->GetOpacity());
}

void Editor::DrawEntityEditor()
{
    BeginDeveloperWindow("Entity Editor", developer_layout::kEntityEditor);
    ImGui::PushItemWidth(-1);
    std::shared_ptr<Entity> entity = mSelectedEntity.lock();
    if (!entity) {
        ImGui::Text("Select an entity in the Selector tool to modify it's archetype");
    } else {
        ImGui::Text("Name: %s", entity->GetName().c_str());
        if (entity->GetComponent<Sprite>()) {
            if (ImGui::Button("Switch to Selected Sprite"))
                SwitchSprite();
            ImGui::PushItemWidth(50);
            ImGui::InputText("ScaleX", mScaleXText, kTextSize);
            ImGui::SameLine();
            ImGui::InputText("ScaleY", mScaleYText, kTextSize);
            ImGui::SameLine();
            ImGui::InputText("Rotation", mRotationText, kTextSize);
            ImGui::SameLine();
            ImGui::InputText("Opacity", mOpacityText, kTextSize);
            ImGui::SameLine();
            ImGui::PopItemWidth();
            if (ImGui::Button("Update values"))
                ApplyEntityValues();
            if (ImGui::Button("Save Archetype File"))
                mEntityStatus.Show(SaveArchetype() ? "json saved!" : "json NOT saved: see the trace", 1.0f);
            mEntityStatus.Draw();
        }
    }
    ImGui::PopItemWidth();
    ImGui::End();
}

void Editor::SwitchSprite()
{
    std::shared_ptr<Entity> entity = mSelectedEntity.lock();
    std::shared_ptr<Sprite> sprite = entity ? entity->GetComponent<Sprite>() : nullptr;
    // Without a picked image there is nothing to switch to.
    if (!sprite || !IsInside(mSelectedSpriteIndex, mSpritePaths))
        return;
    sprite->SetTexture(TextureManager::Load(mSpritePaths[static_cast<std::size_t>(mSelectedSpriteIndex)]));
}

void Editor::ApplyEntityValues()
{
    std::shared_ptr<Entity> entity = mSelectedEntity.lock();
    if (!entity) {
        Trace("Editor tried to edit values of an entity that no longer exists!", 3);
        return;
    }
    float scaleX = 0.0f;
    float scaleY = 0.0f;
    float rotation = 0.0f;
    float opacity = 0.0f;
    for (auto [label, text, value] : {std::tuple{"ScaleX", mScaleXText, &scaleX}, {"ScaleY", mScaleYText, &scaleY},
                                      {"Rotation", mRotationText, &rotation}, {"Opacity", mOpacityText, &opacity}}) {
        if (!ReadFiniteNumber(text, *value)) {
            mEntityStatus.Show(std::string(label) + " takes only finite numbers; nothing was changed");
            return;
        }
    }
    if (auto sprite = entity->GetComponent<Sprite>())
        sprite->SetOpacity(opacity);
    if (auto transform = entity->GetComponent<cmp::Transform>()) {
        transform->SetScale(scaleX, scaleY);
        transform->SetRotation(rotation);
    }
}

void Editor::DrawSpriteSelector()
{
    BeginDeveloperWindow("Sprite Selector", developer_layout::kSpriteSelector);
    ImGui::PushItemWidth(-1);
    ImGui::Text("Select a Sprite from the list");
    ImGui::ListBox("##sprites", &mSelectedSpriteIndex, StringListItemGetter, &mSpritePaths,
                   static_cast<int>(mSpritePaths.size()), 10);
    ImGui::PopItemWidth();
    ImGui::End();
}

} // namespace fb::edt
