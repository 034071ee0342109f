#include "render/CamManager.h"

namespace CamManager {

void Update(float) {}

} // namespace CamManager
