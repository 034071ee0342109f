#pragma once

#include "audio/SoundEvent.h"
#include "core/Entity.h"
#include "core/EntityEvent.h"
#include "core/Subject.h"
#include "core/Timer.h"
#include "tools/StatusLine.h"

#include <memory>
#include <string>
#include <vector>

namespace fb {
class SoundBinding;
}

namespace fb::edt {

// The developer menu over every game state. Left Shift + comma opens it,
// Left Shift + slash closes it. While open it draws Dear ImGui windows: the
// options, the cheat menu, and with "Debug/Edit menu" the entity selector
// and editor, the sprite and sound lists, the sound sets, the game-state
// selector and the frame rate. It hears of every entity added to the game.
class Editor : public evt::SubjectObserver<evt::EntityEvent> {
public:
    static constexpr int kTextSize = 20;

    Editor();

    // Kinds 0 and 1 mark the entity list for a rebuild.
    void OnNotify(const evt::EntityEvent& event) override;
    // Once a frame, inside the ImGui frame.
    void Update();

    // The image files of "assets/img" and the sound files of "assets/sound".
    void RefreshSpriteList();
    void RefreshSoundList();
    // "Update values": the four text fields onto the selected entity; none
    // of them when one does not read as a finite number.
    void ApplyEntityValues();
    // "Save Archetype File": the selected entity back into the archetype
    // document it was made from, written to "assets/json/" + its "name" +
    // ".json". False, traced, when nothing was written.
    bool SaveArchetype();

private:
    void DrawOptions();
    void DrawCheatMenu();
    void DrawDebugWindows();
    void RefreshEntityList();
    void DrawEntitySelector();
    void SelectEntity(int index);
    void DrawEntityEditor();
    void DrawSpriteSelector();
    void SwitchSprite();
    void DrawSoundSelector();
    void DrawSoundSets();
    void DrawBinding(SoundBinding& binding);
    // The binding picked last, looked up afresh, or null.
    SoundBinding* FindSelectedBinding() const;
    void DrawStateSelector();
    void DrawFramerate();

    std::vector<std::string> mEntityNames;
    std::vector<int> mEntityIDs;
    bool mEntityListStale = true;
    int mEntityCount = 0;
    int mSelectedEntityIndex = -1;
    std::weak_ptr<Entity> mSelectedEntity;
    std::vector<std::string> mSpritePaths;
    int mSelectedSpriteIndex = -1;
    char mScaleXText[kTextSize] = {};
    char mScaleYText[kTextSize] = {};
    char mRotationText[kTextSize] = {};
    char mOpacityText[kTextSize] = {};
    int mSelectedSoundIndex = -1;
    std::vector<std::string> mSoundPaths;
    std::vector<std::string> mSetNames;
    std::vector<std::string> mEventNames;
    std::string mEventName;
    std::string mEventStart;
    std::string mEventEnd;
    std::string mEventFile;
    char mVolumeText[kTextSize] = {};
    bool mLooping = false;
    Timer mSoundListTimer{3.0f};
    SoundEvent mPreviewSound;
    int mSelectedSetIndex = -1;
    // Sets and bindings are found by name when used: the binder that holds
    // them may be made anew.
    std::string mSelectedSetName;
    int mSelectedEventIndex = -1;
    std::string mSelectedBindingSetName;
    Timer mSpriteListTimer{3.0f};
    // What the last save came to, or why a typed value was refused.
    StatusLine mEntityStatus;
    StatusLine mSoundSetStatus;
    bool mOpen = false;
    bool mPhysicsDebug = false;
    bool mDebugEditMenu = false;
    bool mCheatMenu = false;
    float mSavedMusicVolume = 0.0f;
    bool mMusicMuted = false;
};

} // namespace fb::edt

extern std::shared_ptr<fb::edt::Editor> gEditor;
