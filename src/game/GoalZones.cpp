#include "game/GoalZones.h"

namespace GoalZones {

void ResetGlobals() {}

} // namespace GoalZones
