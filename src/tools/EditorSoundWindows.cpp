#include "audio/SoundBinder.h"
#include "audio/SoundBinding.h"
#include "audio/SoundSet.h"
#include "core/Game.h"
#include "tools/DeveloperLayout.h"
#include "tools/Editor.h"
#include "tools/EditorWidgets.h"
#include "tools/StringListIndex.h"
#include "tools/StringListItemGetter.h"

#include <imgui.h>

namespace fb::edt {

void Editor::DrawSoundSelector()
{
    BeginDeveloperWindow("Sound Selector", developer_layout::kSoundSelector);
    ImGui::PushItemWidth(-1);
    ImGui::Text("Select a Sound from the list");
    ImGui::ListBox("##sounds", &mSelectedSoundIndex, StringListItemGetter, &mSoundPaths,
                   static_cast<int>(mSoundPaths.size()), 10);
    // Each press starts another playback.
    if (ImGui::Button("Play Sound") && IsInside(mSelectedSoundIndex, mSoundPaths)) {
        mPreviewSound.SetGroup("Effects");
        mPreviewSound.SetFile(mSoundPaths[static_cast<std::size_t>(mSelectedSoundIndex)]);
        mPreviewSound.SetVolume(0.5f);
        mPreviewSound.Play();
    }
    ImGui::PopItemWidth();
    ImGui::End();
}

SoundBinding* Editor::FindSelectedBinding() const
{
    SoundBinder* binder = GetSoundBinder();
    SoundSet* set = binder ? binder->FindSet(mSelectedBindingSetName) : nullptr;
    return set ? set->FindBinding(mEventName) : nullptr;
}

void Editor::DrawSoundSets()
{
    SoundBinder* binder = GetSoundBinder();
    if (!binder)
        return;
    BeginDeveloperWindow("Sound Sets", developer_layout::kSoundSets);
    ImGui::PushItemWidth(200);
    ImGui::Text("Select a Sound Set to Modify");
    binder->GetSetNames(mSetNames);
    const int setBefore = mSelectedSetIndex;
    ImGui::ListBox("##sets", &mSelectedSetIndex, StringListItemGetter, &mSetNames, static_cast<int>(mSetNames.size()),
                   10);
    if (IsInside(mSelectedSetIndex, mSetNames)) {
        if (mSelectedSetIndex != setBefore) {
            mSelectedSetName = mSetNames[static_cast<std::size_t>(mSelectedSetIndex)];
            mEventNames.clear();
            if (SoundSet* set = binder->FindSet(mSelectedSetName))
                set->GetBindingNames(mEventNames);
        }
        ImGui::SameLine();
        const int eventBefore = mSelectedEventIndex;
        ImGui::ListBox("SoundEvents", &mSelectedEventIndex, StringListItemGetter, &mEventNames,
                       static_cast<int>(mEventNames.size()), 10);
        // A new click picks a binding; one picked in another set stays
        // shown, and stays the one edited, until then.
        if (mSelectedEventIndex != eventBefore && IsInside(mSelectedEventIndex, mEventNames)) {
            mSelectedBindingSetName = mSelectedSetName;
            mEventName = mEventNames[static_cast<std::size_t>(mSelectedEventIndex)];
            if (SoundBinding* binding = FindSelectedBinding()) {
                mEventStart = binding->GetEventStart();
                mEventEnd = binding->GetEventEnd();
                mEventFile = binding->GetFile();
                mLooping = binding->GetLoop();
            }
        }
        if (mSelectedEventIndex >= 0) {
            if (SoundBinding* binding = FindSelectedBinding())
                DrawBinding(*binding);
        }
    }
    ImGui::PopItemWidth();
    ImGui::End();
}

void Editor::DrawBinding(SoundBinding& binding)
{
    ImGui::Text("Name: %s", mEventName.c_str());
    ImGui::SameLine();
    // A set that could not be read refuses to be saved.
    if (ImGui::Button("Update changes")) {
        SoundSet* set = GetSoundBinder()->FindSet(mSelectedSetName);
        mSoundSetStatus.Show(set && set->Save() ? "json saved!" : "json NOT saved: see the trace");
    }
    ImGui::Text("File: %s", mEventFile.c_str());
    ImGui::SameLine();
    if (ImGui::Button("Update") && IsInside(mSelectedSoundIndex, mSoundPaths)) {
        mEventFile = mSoundPaths[static_cast<std::size_t>(mSelectedSoundIndex)];
        binding.SetFile(mEventFile);
    }
    ImGui::Text("Volume: %4.2f", binding.GetVolume());
    ImGui::SameLine();
    ImGui::PushItemWidth(50);
    ImGui::InputText("##volume", mVolumeText, kTextSize);
    ImGui::PopItemWidth();
    ImGui::SameLine();
    float volume = 0.0f;
    if (ImGui::Button("Updt Vol")) {
        if (ReadFiniteNumber(mVolumeText, volume))
            binding.SetVolume(volume);
        else
            mSoundSetStatus.Show("Volume takes only finite numbers; it stays as it was");
    }
    ImGui::Text("Event Start: %s", mEventStart.c_str());
    ImGui::Text("Event End: %s", mEventEnd.c_str());
    if (ImGui::Checkbox("Looping", &mLooping))
        binding.SetLoop(mLooping);
    mSoundSetStatus.Draw();
}

} // namespace fb::edt
