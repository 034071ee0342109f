#include "tools/Editor.h"

#include "audio/AudioEngine.h"
#include "core/StateManager.h"
#include "core/Time.h"
#include "game/SlimeUI.h"
#include "tools/DeveloperLayout.h"
#include "tools/EditorWidgets.h"
#include "tools/FileList.h"
#include "tools/StringListIndex.h"
#include "tools/StringListItemGetter.h"

#include <SDL.h>
#include <imgui.h>

std::shared_ptr<fb::edt::Editor> gEditor = std::make_shared<fb::edt::Editor>();

namespace {

// The "Gamestate Selector" keeps its choice for the whole run, whatever
// editor draws it.
int gSelectedStateIndex = 0;

bool ChordHeld(SDL_Scancode first, SDL_Scancode second)
{
    int count = 0;
    const Uint8* keys = SDL_GetKeyboardState(&count);
    return keys && first < count && second < count && keys[first] && keys[second];
}

std::vector<std::string> ListPaths(const std::string& folder, const std::string& extension)
{
    std::vector<std::string> paths;
    for (const auto& file : ListFiles(folder, extension))
        paths.push_back(file.string());
    return paths;
}

} // namespace

namespace fb::edt {

Editor::Editor() = default;

void Editor::OnNotify(const evt::EntityEvent& event)
{
    if (event.kind == 0 || event.kind == 1)
        mEntityListStale = true;
}

void Editor::Update()
{
    if (!mOpen) {
        mOpen = ChordHeld(SDL_SCANCODE_LSHIFT, SDL_SCANCODE_COMMA);
        return;
    }
    if (ChordHeld(SDL_SCANCODE_LSHIFT, SDL_SCANCODE_SLASH)) {
        mOpen = false;
        return;
    }
    if (!ImGui::GetCurrentContext())
        return;
    SDL_ShowCursor(1);
    DrawOptions();
    if (mCheatMenu)
        DrawCheatMenu();
    if (mDebugEditMenu)
        DrawDebugWindows();
}

void Editor::DrawOptions()
{
    BeginDeveloperWindow("Editor Options", developer_layout::kEditorOptions);
    ImGui::PushItemWidth(-1);
    if (ImGui::Button("Cheat Menu"))
        mCheatMenu = !mCheatMenu;
    if (ImGui::Button("Debug/Edit menu"))
        mDebugEditMenu = !mDebugEditMenu;
    ImGui::PopItemWidth();
    ImGui::End();
}

void Editor::DrawCheatMenu()
{
    BeginDeveloperWindow("Cheat Menu", developer_layout::kCheatMenu);
    if (ImGui::Button("Mute Music")) {
        mMusicMuted = !mMusicMuted;
        if (mMusicMuted) {
            mSavedMusicVolume = AudioEngine::GetGroupVolume("Music");
            AudioEngine::SetGroupVolume("Music", 0.0f);
        } else {
            AudioEngine::SetGroupVolume("Music", mSavedMusicVolume);
        }
    }
    // A running match ends at its next update as won by the first player.
    if (ImGui::Button("End Round (\"I lose\" button)"))
        SlimeUI::SetWinningPlayer(0);
    ImGui::End();
}

void Editor::DrawDebugWindows()
{
    const float dt = Time::GetDt();
    mSpriteListTimer.Update(dt);
    if (mSpriteListTimer.IsDone()) {
        RefreshSpriteList();
        mSpriteListTimer.Reset();
    }
    mSoundListTimer.Update(dt);
    if (mSoundListTimer.IsDone()) {
        RefreshSoundList();
        mSoundListTimer.Reset();
    }
    if (mEntityListStale)
        RefreshEntityList();
    DrawEntitySelector();
    DrawEntityEditor();
    DrawSpriteSelector();
    DrawSoundSelector();
    DrawSoundSets();
    DrawStateSelector();
    DrawFramerate();
}

void Editor::RefreshSpriteList()
{
    mSpritePaths = ListPaths("assets/img", ".png");
    KeepIndexInside(mSelectedSpriteIndex, mSpritePaths);
}

void Editor::RefreshSoundList()
{
    mSoundPaths = ListPaths("assets/sound", ".wav");
    KeepIndexInside(mSelectedSoundIndex, mSoundPaths);
}

void Editor::DrawStateSelector()
{
    std::vector<std::string> names = StateManager::GetStateNames();
    BeginDeveloperWindow("Gamestate Selector", developer_layout::kStateSelector);
    ImGui::PushItemWidth(-1);
    ImGui::Text("Select a state from the list");
    ImGui::ListBox("##states", &gSelectedStateIndex, StringListItemGetter, &names, static_cast<int>(names.size()),
                   10);
    if (ImGui::Button("Go To Selected State") && IsInside(gSelectedStateIndex, names))
        StateManager::SetNextState(names[static_cast<std::size_t>(gSelectedStateIndex)]);
    ImGui::PopItemWidth();
    ImGui::End();
}

void Editor::DrawFramerate()
{
    // A copy: dragging the figure changes nothing.
    const float dt = Time::GetDt();
    int framesPerSecond = dt > 0.0f ? static_cast<int>(1.0f / dt) : 0;
    BeginDeveloperWindow("Framerate", developer_layout::kFramerate);
    PushFieldWidthBeside("FPS");
    ImGui::DragInt("FPS", &framesPerSecond, 1.0f, 0, 0, "%.0f");
    ImGui::PopItemWidth();
    ImGui::End();
}

} // namespace fb::edt
