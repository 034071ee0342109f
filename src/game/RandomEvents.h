#pragma once

#include "level/Level.h"

#include <string>

// The random events of a match. Each starts at one of the level's event
// areas ("RandomEvent" objects) and is announced by a banner for 5 s:
// "Slimepocalypse!" throws a slime meteor into the area, "King of the
// Slimes!" sweeps the aliens away and puts a giant in their place, "Gold
// Rush!" spawns three golden aliens around it, and "Wormhole Invasion!"
// opens a portal pair between two areas.

// Seconds until the next event: 20 at the start of a match, 40 after each.
extern float gRandomEventTimer;
// The title of the last event; it stays after its banner is gone.
extern std::string gRandomEventTitle;
// Seconds the banner still shows; it keeps falling below 0 while none does.
extern float gRandomEventAnnounceTime;

// The values of a new match: first event in 20 s, no title, no banner.
void ResetRandomEvents();

// Picks an area and an event and starts it; nothing on a level without
// event areas.
void StartRandomEvent();
void StartGoldRush(LevelArea area);
void StartSlimepocalypse(LevelArea area);

// Once a frame of play with the scaled frame time: counts down to the next
// event, starts it once the timer is below 0, and queues the banner while
// it shows.
void TriggerRandomEvent(float dt);
