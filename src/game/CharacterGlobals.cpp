#include "game/CharacterGlobals.h"

#include "core/JsonFile.h"
#include "core/NumberText.h"
#include "core/Trace.h"

#include <cmath>

namespace {

float gAcceleration = 0.0f;
float gJumpSpeed = 0.0f;
float gMaxSpeed = 0.0f;
float gGravity = 0.0f;
int gDrag = 1;

// In the order they are checked, each with the values a playable character
// can have; the last one is the integer "drag". Gravity pulls down, so it
// may be negative.
struct Tunable {
    const char* key;
    double lowest;
    double highest;
};
constexpr Tunable kTunables[] = {
    {"acceleration", 0.0, 10000.0}, {"jumpspeed", 0.0, 10000.0}, {"maxspeed", 0.0, 10000.0},
    {"gravity", -10000.0, 10000.0}, {"drag", 0.0, 1000.0},
};

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
    auto document = std::make_shared<rapidjson::Document>();
    std::string error;
    const fb::JsonFileStatus status = fb::ReadJsonFile(path, *document, error);
    if (status == fb::JsonFileStatus::Missing) {
        Trace("Failed to load character globals (" + path + ")", 4);
        return false;
    }
    gCharacterGlobalsDocument = document;
    if (status == fb::JsonFileStatus::Invalid) {
        Trace("Failed to parse JSON: " + error, 4);
        return false;
    }
    for (const Tunable& tunable : kTunables) {
        if (!document->IsObject() || !document->HasMember(tunable.key)) {
            Trace("Failed to parse JSON: Missing one or more global values in " + path, 3);
            return false;
        }
    }
    for (const Tunable& tunable : kTunables) {
        const rapidjson::Value& value = (*document)[tunable.key];
        if (!value.IsNumber()) {
            Trace(std::string("Character global \"") + tunable.key + "\" is not a number in " + path, 3);
            return false;
        }
        const double number = value.GetDouble();
        if (!(number >= tunable.lowest && number <= tunable.highest)) {
            Trace(std::string("Character global \"") + tunable.key + "\" is " + NumberText(number) +
                      ", outside " + NumberText(tunable.lowest) + " to " + NumberText(tunable.highest) +
                      ", in " + path,
                  3);
            return false;
        }
    }
    if (!(*document)["drag"].IsInt()) {
        Trace("Character global \"drag\" is not an integer in " + path, 3);
        return false;
    }

    CharacterGlobals::SetAcceleration((*document)["acceleration"].GetFloat());
    CharacterGlobals::SetJumpSpeed((*document)["jumpspeed"].GetFloat());
    CharacterGlobals::SetMaxSpeed((*document)["maxspeed"].GetFloat());
    CharacterGlobals::SetGravity((*document)["gravity"].GetFloat());
    CharacterGlobals::SetDrag((*document)["drag"].GetInt());
    return true;
}
