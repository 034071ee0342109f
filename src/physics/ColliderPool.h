#pragma once

// The fixed pool of box colliders.
void InitBoxColliders();
void ShutdownBoxColliders();
