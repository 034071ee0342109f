#pragma once

#include <memory>
#include <rapidjson/document.h>
#include <string>

// The movement tunables shared by every character, read from a small JSON
// file under "assets/json/" when a match starts.
namespace CharacterGlobals {

void SetAcceleration(float acceleration);
void SetJumpSpeed(float jumpSpeed);
void SetMaxSpeed(float maxSpeed);
void SetGravity(float gravity);
// The divisor of the acceleration in the air. Anything below 1 would stall
// or flip airborne steering (0 would make it infinite), so it is traced and
// taken as 1.
void SetDrag(int drag);

float GetAcceleration();
float GetJumpSpeed();
float GetMaxSpeed();
float GetGravity();
int GetDrag();

} // namespace CharacterGlobals

// The document the last load parsed.
extern std::shared_ptr<rapidjson::Document> gCharacterGlobalsDocument;

// Reads "acceleration", "jumpspeed", "maxspeed", "gravity" (numbers) and
// "drag" (an integer) from "assets/json/" + file. All or nothing: a file that
// cannot be read or parsed, that is not an object, or that lacks a value or
// has one of the wrong type is traced, sets nothing and gives false.
bool LoadCharacterGlobals(std::string file);
