#pragma once

#include "game/Character.h"

#include <cstdint>
#include <vector>

// The players of the match, in player-index order: player i plays with pad
// i, is named "Player i" and has slot i on the slime display. The list owns
// the records.
extern std::vector<Character*> gPlayers;
// Whether the input step drives the players.
extern bool gPlayerControlEnabled;

// One player per pad slot up to the last connected pad (Input::
// CountPlayerSlots), at least one and at most four: a body from
// the archetype "PlayerA" to "PlayerD" with an AdvancedBody on the player
// layer and its detector sets, and a fist (in the entity manager already)
// that follows the body. Control stays off; the bodies join the entity
// manager in ActivatePlayers, once placed.
void CreatePlayers();
void PlacePlayer(std::int32_t index, float x, float y);
// Adds every body to the entity manager and turns control on.
void ActivatePlayers();

// Record i, or null when there is no such player.
Character* GetPlayer(std::int32_t index);
std::int32_t GetPlayerCount();
bool IsPlayerControlEnabled();
void SetPlayerControlEnabled(bool enabled);

// Empties every player's carried slime.
void ClearAllSlime();
// Deletes the records and turns control off. The bodies and fists stay in
// the entity manager until it is cleared.
void DestroyPlayers();
