#pragma once

#include <glm/glm.hpp>

// The per-player slime display and the win rule. Each player has, fixed on
// the screen, a slime box in its colour whose level rises with the slime
// delivered into it, and a magazine of small alien icons, one per carried
// slime. The first box to reach 20 makes its player the winner.
namespace SlimeUI {

// The capacity of a box; the box that reaches it wins.
constexpr int kSlimeBoxMax = 20;

// Builds the display afresh: counts, levels, winner (none) and win count
// (1), new entities for every box, level and magazine, all hidden.
void Initialize();
// Delivers one slime value into a player's box (clipped at 20); the box
// that fills names the winner, clears the aliens and every player's
// carried slime. Nothing counts once there is a winner.
void UpdatePlayer(int amount, int player);
// Once a frame: shows or hides the boxes and levels when `visible` changes
// (the boxes of the players the pads ask for only), then moves each level toward its
// target and places it in its box.
void Update(bool visible);
// Once a frame: the magazines with an icon per carried slime, or nothing
// while game time stands still.
void Draw();

// -1 while nobody has won.
int GetWinningPlayer();
void SetWinningPlayer(int player);
// 1 after Initialize, one more for each filled box.
int GetWinCount();

// World scale and placement of a player's box and magazine. Another index
// than 0 to 3 is ignored; the getters return (0, 0) for it.
glm::vec2 GetSlimeboxScale(int player);
// Moves the box and its level.
void SetSlimeboxPosition(float x, float y, int player);
// The box only, not its level.
void SetSlimeboxScale(glm::vec2 scale, int player);
glm::vec2 GetMagazineScale(int player);
void SetMagazinePosition(float x, float y, int player);
void SetMagazineScale(glm::vec2 scale, int player);

} // namespace SlimeUI
