#pragma once

#include "physics/BoxCollider.h"

#include <cstdint>
#include <list>

// The fixed pool of box colliders. Records are handed out lowest free index
// first and returned by ID; a returned record keeps its old settings, so
// whoever takes it sets what they rely on. The pool outlives every static
// object, so owners destroyed after the game has shut down may still return
// their colliders.

constexpr unsigned int kBoxColliderCount = 1000;

// Numbers the records 0 to 999.
void InitBoxColliders();
// The lowest free record, now in use; null when all are taken.
fb::BoxCollider* GetBoxCollider();
// Returns record `id` to the pool and forgets its parent. IDs outside the
// pool are traced and ignored.
void FreeBoxCollider(unsigned int id);
// Marks every record free.
void ShutdownBoxColliders();
// How many times record `id` has gone back to the pool. Whoever keeps a
// record's address can keep this count beside it and tell whether the record
// has been freed since (and perhaps taken by someone else). The counter lives
// as long as the pool; `id` must be below kBoxColliderCount.
const std::uint32_t& BoxColliderGeneration(unsigned int id);
// Outlines every record in use whose entity is alive, in pool order.
void DrawBoxColliders();

// The records in use, in the order in which they were taken.
const std::list<fb::BoxCollider*>& GetActiveBoxColliders();
