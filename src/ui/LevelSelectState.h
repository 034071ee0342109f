#pragma once

#include "audio/SoundEvent.h"
#include "core/GameState.h"
#include "ui/LevelSelector.h"
#include "ui/MenuCursor.h"
#include "ui/UIFramework.h"

#include <memory>
#include <string>

class Button;

namespace fb {

// The players step through the maps with two arrows, each shown at once as
// a live preview with its name, see how many players the game found, and
// start the match on the map shown (Play) or go back to the main menu.
class LevelSelectState : public GS {
public:
    void Init() override;
    void Update() override;
    void Exit() override;
    void Load() override;
    void Unload() override;

    // The chosen map's place in the list; it survives between visits.
    int GetIndex() const { return mIndex; }
    // Whether a map is loaded and shown, so that Play can start it.
    static bool IsMapLoaded();
    // "Players Detected: " and the number of players the match will make: one
    // for every pad slot up to the last pad plugged in, at least 1.
    static std::string PlayersDetectedText();

private:
    // Reads the map at the index in place of the one loaded; an index past
    // the list becomes 0. A map that cannot be read is traced and leaves
    // nothing loaded.
    void LoadChosenMap();

    int mIndex = 0;
    SoundEvent mMusic;
    LevelSelector mSelector;
    UIFramework mUI;
    MenuCursor mCursor;
    std::shared_ptr<Button> mPlay;
    std::shared_ptr<Button> mBack;
    std::shared_ptr<Button> mRight;
    std::shared_ptr<Button> mLeft;
};

} // namespace fb
