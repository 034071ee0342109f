#include "physics/ColliderPool.h"

#include "core/Trace.h"
#include "physics/BroadPhase.h"

#include <array>
#include <string>

namespace {

struct Pool {
    // Numbered from the start, so that a record is always known by its
    // index (the broad phase relies on it).
    Pool()
    {
        for (unsigned int i = 0; i < kBoxColliderCount; ++i)
            records[i].SetID(i);
    }

    std::array<fb::BoxCollider, kBoxColliderCount> records;
    std::list<fb::BoxCollider*> active;
    std::array<std::uint32_t, kBoxColliderCount> generations{};
};

// Never destroyed: entities held by other statics return their colliders
// after main has ended.
Pool& ThePool()
{
    static Pool* pool = new Pool();
    return *pool;
}

// Builds the records before main, as the start-up order expects.
const Pool& gPoolAtStart = ThePool();

} // namespace

void InitBoxColliders()
{
    Pool& pool = ThePool();
    for (unsigned int i = 0; i < kBoxColliderCount; ++i)
        pool.records[i].SetID(i);
}

fb::BoxCollider* GetBoxCollider()
{
    Pool& pool = ThePool();
    for (fb::BoxCollider& record : pool.records) {
        if (record.IsInUse())
            continue;
        record.SetInUse(true);
        pool.active.push_back(&record);
        BroadPhase::Add(record);
        return &record;
    }
    return nullptr;
}

void FreeBoxCollider(unsigned int id)
{
    if (id >= kBoxColliderCount) {
        Trace("FreeBoxCollider given " + std::to_string(id) + ", which is not a pool ID", 3);
        return;
    }
    Pool& pool = ThePool();
    fb::BoxCollider& record = pool.records[id];
    BroadPhase::Remove(record);
    record.SetInUse(false);
    record.SetParent(std::weak_ptr<fb::Entity>());
    ++pool.generations[id];
    for (auto it = pool.active.begin(); it != pool.active.end(); ++it) {
        if ((*it)->GetID() == id) {
            pool.active.erase(it);
            break;
        }
    }
}

void ShutdownBoxColliders()
{
    Pool& pool = ThePool();
    BroadPhase::Clear();
    for (unsigned int i = 0; i < kBoxColliderCount; ++i) {
        if (pool.records[i].IsInUse())
            ++pool.generations[i];
        pool.records[i].SetInUse(false);
    }
    pool.active.clear();
}

const std::uint32_t& BoxColliderGeneration(unsigned int id)
{
    return ThePool().generations[id];
}

void DrawBoxColliders()
{
    for (const fb::BoxCollider& record : ThePool().records) {
        if (record.IsInUse() && !record.GetParent().expired())
            record.DebugDraw();
    }
}

const std::list<fb::BoxCollider*>& GetActiveBoxColliders()
{
    return ThePool().active;
}
