#pragma once

// Turns the loaded level (Level.h) into the game's entities, and draws its
// tiles. Build after the AI spawner file is loaded: the spawner tiles look
// their kinds up in it.
//
// World space: one unit per tile, the origin at the map's centre, y up.

// Makes the solid rectangles ("Collider"), the jump-through platforms
// ("Passthrough Platform"), the alien spawners, the goal zones and the
// portals, and fills the level's spawn points, random-event areas and
// portal records. An object that lacks what its type needs (a portal
// without a Direction, a goal zone without an area) is traced and skipped.
void BuildLevel();
// Queues every tile of the Background, then the Foreground layer, on
// renderer layer 2. Once a frame.
void DrawLevelTiles();
