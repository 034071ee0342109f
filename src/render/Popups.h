#pragma once

#include <glm/glm.hpp>
#include <string>

// Makers of the floating labels: each builds an entity with its pop-up and
// a KillClock and adds it to the entity manager.

// Lives number * 0.1 + lifetime seconds: bigger numbers stay longer.
void CreatePopupNumber(int number, const glm::vec3& colour, float x, float y, float riseSpeed, float lifetime);
void CreatePopupText(const std::string& text, const glm::vec3& colour, float x, float y, float riseSpeed,
                     float lifetime, bool outline);
// With a slot other than -1 whose earlier pop-up still lives, that pop-up
// shows the new text, colour, place, speed and outline instead, and keeps
// its remaining lifetime; nothing new is made.
void CreateScreenspacePopupText(const std::string& text, const glm::vec3& colour, float x, float y,
                                float riseSpeed, float lifetime, bool outline, int slot);
