#pragma once

// The goal zones and the alien spawners of a match.
namespace GoalZones {

void ResetGlobals();

} // namespace GoalZones
