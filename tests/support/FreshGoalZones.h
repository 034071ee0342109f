#pragma once

#include "game/AISpawnerGlobals.h"
#include "game/GoalZones.h"
#include "game/SlimeUI.h"

// The goal-zone module as a run starts it, with no round counted as won
// before: a new match goes on with the spawner cycle and the win count that
// the module last saw, so a test that wants a fresh start sets them here.
inline void StartGoalZonesFresh()
{
    GoalZones::ResetGlobals();
    gLastWinCount = SlimeUI::GetWinCount();
}

// The slime display as a match starts it, its win count the one the goal
// zones last saw.
inline void StartSlimeDisplay()
{
    SlimeUI::Initialize();
    gLastWinCount = SlimeUI::GetWinCount();
}
