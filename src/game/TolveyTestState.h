#pragma once

#include "audio/SoundEvent.h"
#include "game/PauseMenu.h"
#include "core/GameState.h"
#include "core/Timer.h"
#include "render/CamManager.h"
#include "ui/LevelSelector.h"
#include "ui/MenuCursor.h"
#include "ui/UIFramework.h"

#include <memory>
#include <string>

// The match, registered as "GameplayState". Entering it builds the loaded
// level and runs a round in four phases: the start countdown (4 to 1, a
// second each, players frozen), play (goal zones, aliens, random events),
// the winner's announcement (6 s of real time, the camera on the winner),
// and the end menu (time stands still; NextMap, ReplayMap or MainMenu).
// NextMap and ReplayMap reload a level in place: the state stays current.
//
// A map, AI spawner or tuning file that cannot be read does not end the
// game: the error is traced and the match asks for "MainMenuState" (or
// "LevelSelectState" when it was entered without a level).

// The camera of the match, sized to the level by Init.
extern std::shared_ptr<CamManager::Camera> gGameplayCamera;
// Seconds of the winner's announcement left; 6 while nobody has won.
extern float gGameEndTimer;
// The buttons of the match's menus, for pad navigation; Init empties it.
extern UIFramework gGameplayUI;

namespace fb {

class TolveyTestState : public GS {
public:
    // The AI spawner file, and the level already loaded is built.
    void Load() override;
    // Players at their spawn points, zones, slime display, music, trails,
    // screen wrap; the countdown starts at 4 and nobody can move.
    void Init() override;
    void Update() override;
    // Zones, level, every entity and the players go; time runs at 1 again.
    void Exit() override;
    // Forgets the tile set.
    void Unload() override;

    // The end menu's three choices. NextMap plays the map after the current
    // one in the level list (the first after the last); ReplayMap plays the
    // current map again. A map that cannot be read is traced and nothing
    // changes; an error once the match is torn down leads to the main menu.
    void NextMap();
    void ReplayMap();
    void MainMenu();
    // Tears the match down and starts it again on that map, as above.
    void ReloadLevel(const std::string& mapPath);

    // The match's music, one of four tracks picked by Init.
    SoundEvent& GetMusic() { return mMusic; }
    // Countdown steps still to show: 4 after Init, 0 once the round runs.
    int GetCountdown() const { return mCountdown; }
    bool IsPaused() const { return mPauseMenu.IsPaused(); }
    // Escape or Start: the game stands still under a menu.
    const PauseMenu& GetPauseMenu() const { return mPauseMenu; }
    // The load or start failed and the match waits to be left.
    bool HasFailed() const { return mFailed; }
    // The pointer the end menu draws for a mouse player (the pause menu
    // shows the system's).
    const MenuCursor& GetCursor() const { return mCursor; }

private:
    void Start();
    void StartMusic();
    void PlacePlayers();
    void PlaceSlimeDisplay();
    void AddTrails();
    void Fail(const std::string& message, const std::string& nextState);

    // False while the countdown still runs.
    bool UpdateCountdown();
    // A winner's index, or -1 when nobody (or no present player) has won.
    int Winner() const;
    void UpdateWinner(int winner);
    // True when a choice of the end menu reloaded or left the match.
    bool UpdateEndMenu();
    void ShowWinnerTexts(int winner);
    void UpdateSkyStreaks();

    PauseMenu mPauseMenu;
    SoundEvent mMusic;
    LevelSelector mLevelSelector;
    int mCountdown = 4;
    Timer mCountdownTimer;
    float mColourPhase = 10.0f;
    bool mEndButtonsPending = false;
    float mStreakTime = 0.0f;
    bool mFailed = false;
    MenuCursor mCursor;
};

} // namespace fb
