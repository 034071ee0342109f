#include "game/CharacterGlobals.h"

#include "core/Trace.h"

#include <fstream>
#include <rapidjson/istreamwrapper.h>

namespace {

float gAcceleration = 0.0f;
float gJumpSpeed = 0.0f;
float gMaxSpeed = 0.0f;
float gGravity = 0.0f;
int gDrag = 1;

// In the order they are checked; the last one is the integer "drag".
constexpr const char* kKeys[] = {"acceleration", "jumpspeed", "maxspeed", "gravity", "drag"};

} // namespace

std::shared_ptr<rapidjson::Document> gCharacterGlobalsDocument;

namespace CharacterGlobals {

void SetAcceleration(float acceleration)
{
    gAcceleration = acceleration;
}

void SetJumpSpeed(float jumpSpeed)
{
    gJumpSpeed = jumpSpeed;
}

void SetMaxSpeed(float maxSpeed)
{
    gMaxSpeed = maxSpeed;
}

void SetGravity(float gravity)
{
    gGravity = gravity;
}

void SetDrag(int drag)
{
    if (drag < 1) {
        Trace("Character drag " + std::to_string(drag) + " is below 1; using 1", 3);
        drag = 1;
    }
    gDrag = drag;
}

float GetAcceleration()
{
    return gAcceleration;
}

float GetJumpSpeed()
{
    return gJumpSpeed;
}

float GetMaxSpeed()
{
    return gMaxSpeed;
}

float GetGravity()
{
    return gGravity;
}

int GetDrag()
{
    return gDrag;
}

} // namespace CharacterGlobals

bool LoadCharacterGlobals(std::string file)
{
    const std::string path = "assets/json/" + file;
    std::ifstream stream(path);
    if (!stream) {
        Trace("Failed to load character globals (" + path + ")", 4);
        return false;
    }
    gCharacterGlobalsDocument = std::make_shared<rapidjson::Document>();
    rapidjson::Document& document = *gCharacterGlobalsDocument;
    rapidjson::IStreamWrapper wrapper(stream);
    document.ParseStream(wrapper);
    if (document.HasParseError()) {
        Trace("Failed to parse JSON: " + std::to_string(document.GetParseError()) + " in " + path, 4);
        return false;
    }
    for (const char* key : kKeys) {
        if (!document.IsObject() || !document.HasMember(key)) {
            Trace("Failed to parse JSON: Missing one or more global values in " + path, 3);
            return false;
        }
    }
    for (const char* key : kKeys) {
        if (!document[key].IsNumber()) {
            Trace(std::string("Character global \"") + key + "\" is not a number in " + path, 3);
            return false;
        }
    }
    if (!document["drag"].IsInt()) {
        Trace("Character global \"drag\" is not an integer in " + path, 3);
        return false;
    }

    CharacterGlobals::SetAcceleration(document["acceleration"].GetFloat());
    CharacterGlobals::SetJumpSpeed(document["jumpspeed"].GetFloat());
    CharacterGlobals::SetMaxSpeed(document["maxspeed"].GetFloat());
    CharacterGlobals::SetGravity(document["gravity"].GetFloat());
    CharacterGlobals::SetDrag(document["drag"].GetInt());
    return true;
}
