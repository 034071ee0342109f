#include "physics/ColliderPool.h"

void InitBoxColliders() {}

void ShutdownBoxColliders() {}
