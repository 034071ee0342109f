#pragma once

// Once a frame of the match, before the goal zones and the slime display:
// for every player, keeps the movement flags in step with what its body
// touches, switches gravity on and off, counts the punch cool-down down,
// feeds the camera, takes the slime of the aliens it lands on and delivers
// its carried slime, one value a second, while it stands in the active goal
// zone. Does nothing while the game is paused (time scale 0).
void UpdateRound();
