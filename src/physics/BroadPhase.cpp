#include "physics/BroadPhase.h"

#include "core/Transform.h"
#include "physics/ColliderPool.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

using fb::BoxCollider;
using fb::cmp::Transform;

constexpr float kCellSize = 2.0f;
// Boxes wider or taller than this many cells are offered to every query.
constexpr float kMaxCellsAcross = 4.0f;
// Beyond this the cell numbers would not fit; such boxes go everywhere too.
constexpr float kFarthest = 1.0e6f;
constexpr std::size_t kBucketCount = 1024;

enum class Place : std::uint8_t { Nowhere, Grid, Everywhere };

struct CellRange {
    int x0 = 0;
    int y0 = 0;
    int x1 = -1;
    int y1 = -1;
    bool operator==(const CellRange&) const = default;
};

struct Record {
    BoxCollider* collider = nullptr;
    std::uint64_t order = 0;
    bool taken = false;
    bool dirty = false;
    Place place = Place::Nowhere;
    CellRange cells;
    // The layer bits its bucket entries carry.
    std::int32_t layer = 0;
    // The watched Transform this collider hangs on, and its neighbours there.
    int slot = -1;
    int previousInSlot = -1;
    int nextInSlot = -1;
};

struct Entry {
    std::uint16_t id;
    std::int32_t layer;
};

struct Slot {
    Transform* transform = nullptr;
    int first = -1;
};

struct Candidate {
    std::uint64_t order;
    std::uint16_t id;
};

// Everything the grid knows, and the walk under way.
struct Grid {
    std::array<Record, kBoxColliderCount> records;
    std::array<std::vector<Entry>, kBucketCount> buckets;
    std::vector<std::uint16_t> everywhere;
    std::vector<std::uint16_t> dirty;
    std::vector<Slot> slots;
    std::vector<int> freeSlots;
    std::vector<Transform*> changed;
    unsigned seenParentLinkChanges = Transform::GetParentLinkChanges();
    std::uint64_t nextOrder = 1;

    std::vector<Candidate> candidates;
    std::size_t next = 0;
    std::array<std::uint32_t, kBoxColliderCount> offered{};
    std::uint32_t walkNumber = 0;
    std::int32_t mask = 0;
    unsigned queryID = 0;
};

// Room for the crowd around a few players, so that the buckets seldom
// grow during play.
constexpr std::size_t kBucketRoom = 128;

Grid* MakeGrid()
{
    auto* grid = new Grid();
    for (std::vector<Entry>& bucket : grid->buckets)
        bucket.reserve(kBucketRoom);
    grid->everywhere.reserve(kBoxColliderCount);
    grid->dirty.reserve(kBoxColliderCount);
    grid->candidates.reserve(kBoxColliderCount);
    return grid;
}

// Never destroyed, like the pool: entities that outlive main still return
// their colliders.
Grid& TheGrid()
{
    static Grid* grid = MakeGrid();
    return *grid;
}

std::vector<Entry>& Bucket(int x, int y)
{
    Grid& grid = TheGrid();
    const std::uint32_t hash = static_cast<std::uint32_t>(x) * 73856093u ^ static_cast<std::uint32_t>(y) * 19349663u;
    return grid.buckets[hash % kBucketCount];
}

// The cells that the bounds reach; false when they are too large or not
// finite to be kept in cells.
bool CellsOf(const BoxCollider::Bounds& bounds, CellRange& cells)
{
    const glm::vec2 size = bounds.max - bounds.min;
    const bool fits = std::abs(bounds.min.x) < kFarthest && std::abs(bounds.min.y) < kFarthest &&
                      std::abs(bounds.max.x) < kFarthest && std::abs(bounds.max.y) < kFarthest &&
                      size.x <= kCellSize * kMaxCellsAcross && size.y <= kCellSize * kMaxCellsAcross;
    if (!fits)
        return false;
    cells.x0 = static_cast<int>(std::floor(bounds.min.x / kCellSize));
    cells.y0 = static_cast<int>(std::floor(bounds.min.y / kCellSize));
    cells.x1 = static_cast<int>(std::floor(bounds.max.x / kCellSize));
    cells.y1 = static_cast<int>(std::floor(bounds.max.y / kCellSize));
    return true;
}

void MarkDirty(std::uint16_t id)
{
    Grid& grid = TheGrid();
    Record& record = grid.records[id];
    if (record.dirty)
        return;
    record.dirty = true;
    grid.dirty.push_back(id);
}

void Unlink(std::uint16_t id)
{
    Grid& grid = TheGrid();
    Record& record = grid.records[id];
    if (record.slot < 0)
        return;
    Slot& slot = grid.slots[static_cast<std::size_t>(record.slot)];
    if (record.previousInSlot >= 0)
        grid.records[static_cast<std::size_t>(record.previousInSlot)].nextInSlot = record.nextInSlot;
    else
        slot.first = record.nextInSlot;
    if (record.nextInSlot >= 0)
        grid.records[static_cast<std::size_t>(record.nextInSlot)].previousInSlot = record.previousInSlot;
    if (slot.first < 0) {
        slot.transform->SetWatchSlot(-1);
        slot.transform = nullptr;
        grid.freeSlots.push_back(record.slot);
    }
    record.slot = record.previousInSlot = record.nextInSlot = -1;
}

void Link(std::uint16_t id, Transform& transform)
{
    Grid& grid = TheGrid();
    Record& record = grid.records[id];
    int slotIndex = transform.GetWatchSlot();
    if (slotIndex < 0) {
        if (grid.freeSlots.empty()) {
            grid.slots.push_back({});
            slotIndex = static_cast<int>(grid.slots.size()) - 1;
        } else {
            slotIndex = grid.freeSlots.back();
            grid.freeSlots.pop_back();
        }
        grid.slots[static_cast<std::size_t>(slotIndex)] = {&transform, -1};
        transform.SetWatchSlot(slotIndex);
    }
    Slot& slot = grid.slots[static_cast<std::size_t>(slotIndex)];
    record.slot = slotIndex;
    record.previousInSlot = -1;
    record.nextInSlot = slot.first;
    if (slot.first >= 0)
        grid.records[static_cast<std::size_t>(slot.first)].previousInSlot = id;
    slot.first = id;
}

void Unplace(std::uint16_t id)
{
    Grid& grid = TheGrid();
    Record& record = grid.records[id];
    if (record.place == Place::Grid) {
        for (int y = record.cells.y0; y <= record.cells.y1; ++y) {
            for (int x = record.cells.x0; x <= record.cells.x1; ++x) {
                std::vector<Entry>& bucket = Bucket(x, y);
                auto found = std::find_if(bucket.begin(), bucket.end(), [id](const Entry& e) { return e.id == id; });
                *found = bucket.back();
                bucket.pop_back();
            }
        }
    } else if (record.place == Place::Everywhere) {
        grid.everywhere.erase(std::find(grid.everywhere.begin(), grid.everywhere.end(), id));
    }
    record.place = Place::Nowhere;
}

void Place(std::uint16_t id)
{
    Grid& grid = TheGrid();
    Record& record = grid.records[id];
    BoxCollider& collider = *record.collider;
    record.dirty = false;
    // A box whose entity died takes no part in queries until it is given
    // another.
    if (collider.HasLostParent()) {
        Unplace(id);
        return;
    }
    Transform* transform = collider.GetPlacingTransform();
    const int wantedSlot = transform ? transform->GetWatchSlot() : -1;
    if (record.slot < 0 || record.slot != wantedSlot) {
        Unlink(id);
        if (transform)
            Link(id, *transform);
    }
    collider.UpdateCorners();
    CellRange cells;
    if ((transform && transform->HasParent()) || !CellsOf(collider.GetBounds(), cells)) {
        Unplace(id);
        record.place = Place::Everywhere;
        grid.everywhere.push_back(id);
        return;
    }
    // Most moves stay within the cells the box was in.
    const std::int32_t layer = collider.GetLayer().layer;
    if (record.place == Place::Grid && record.cells == cells && record.layer == layer)
        return;
    Unplace(id);
    record.place = Place::Grid;
    record.cells = cells;
    record.layer = layer;
    const Entry entry{id, layer};
    for (int y = cells.y0; y <= cells.y1; ++y) {
        for (int x = cells.x0; x <= cells.x1; ++x)
            Bucket(x, y).push_back(entry);
    }
}

// Brings every place up to date with what has changed since the last query.
void Refresh()
{
    Grid& grid = TheGrid();
    if (Transform::GetParentLinkChanges() != grid.seenParentLinkChanges) {
        grid.seenParentLinkChanges = Transform::GetParentLinkChanges();
        for (std::uint16_t id = 0; id < kBoxColliderCount; ++id) {
            if (grid.records[id].taken)
                MarkDirty(id);
        }
    }
    Transform::TakeChanged(grid.changed);
    for (Transform* transform : grid.changed) {
        const int slot = transform->GetWatchSlot();
        if (slot < 0)
            continue;
        for (int id = grid.slots[static_cast<std::size_t>(slot)].first; id >= 0; id = grid.records[static_cast<std::size_t>(id)].nextInSlot)
            MarkDirty(static_cast<std::uint16_t>(id));
    }
    grid.changed.clear();
    for (std::uint16_t id : grid.dirty) {
        // A record returned while it waited here is placed when taken again.
        grid.records[id].dirty = false;
        if (grid.records[id].taken)
            Place(id);
    }
    grid.dirty.clear();
}

bool Wanted(std::uint16_t id, std::int32_t layer, std::uint64_t after)
{
    Grid& grid = TheGrid();
    return (layer & grid.mask) != 0 && id != grid.queryID && grid.offered[id] != grid.walkNumber &&
           grid.records[id].order > after;
}

void Offer(std::uint16_t id)
{
    Grid& grid = TheGrid();
    grid.offered[id] = grid.walkNumber;
    grid.candidates.push_back({grid.records[id].order, id});
}

// Adds the colliders near the bounds that come after `after`, then puts the
// rest of the walk in order.
void Gather(const BoxCollider::Bounds& bounds, std::uint64_t after)
{
    Grid& grid = TheGrid();
    CellRange cells;
    if (CellsOf(bounds, cells)) {
        for (int y = cells.y0; y <= cells.y1; ++y) {
            for (int x = cells.x0; x <= cells.x1; ++x) {
                for (const Entry& entry : Bucket(x, y)) {
                    if (Wanted(entry.id, entry.layer, after))
                        Offer(entry.id);
                }
            }
        }
    } else {
        for (std::uint16_t id = 0; id < kBoxColliderCount; ++id) {
            if (grid.records[id].place == Place::Grid && Wanted(id, grid.records[id].collider->GetLayer().layer, after))
                Offer(id);
        }
    }
    std::sort(grid.candidates.begin() + static_cast<std::ptrdiff_t>(grid.next), grid.candidates.end(),
              [](const Candidate& a, const Candidate& b) { return a.order < b.order; });
}

} // namespace

namespace BroadPhase {

void Add(BoxCollider& collider)
{
    Grid& grid = TheGrid();
    const auto id = static_cast<std::uint16_t>(collider.GetID());
    Record& record = grid.records[id];
    record.collider = &collider;
    record.order = grid.nextOrder++;
    record.taken = true;
    MarkDirty(id);
}

void Remove(BoxCollider& collider)
{
    Grid& grid = TheGrid();
    const auto id = static_cast<std::uint16_t>(collider.GetID());
    Record& record = grid.records[id];
    if (!record.taken)
        return;
    Unplace(id);
    Unlink(id);
    record.taken = false;
}

void Touch(BoxCollider& collider)
{
    Grid& grid = TheGrid();
    const auto id = static_cast<std::uint16_t>(collider.GetID());
    if (!grid.records[id].taken)
        return;
    Unlink(id);
    MarkDirty(id);
}

void Clear()
{
    Grid& grid = TheGrid();
    for (std::uint16_t id = 0; id < kBoxColliderCount; ++id) {
        if (grid.records[id].taken)
            Remove(*grid.records[id].collider);
    }
    for (std::uint16_t id : grid.dirty)
        grid.records[id].dirty = false;
    grid.dirty.clear();
}

Walk::Walk(const BoxCollider& query, std::int32_t mask, const BoxCollider::Bounds& bounds)
{
    Grid& grid = TheGrid();
    Refresh();
    ++grid.walkNumber;
    grid.candidates.clear();
    grid.next = 0;
    grid.mask = mask;
    grid.queryID = query.GetID();
    for (std::uint16_t id : grid.everywhere) {
        if (Wanted(id, grid.records[id].collider->GetLayer().layer, 0))
            Offer(id);
    }
    Gather(bounds, 0);
}

BoxCollider* Walk::Next()
{
    Grid& grid = TheGrid();
    if (grid.next == grid.candidates.size())
        return nullptr;
    Record& record = grid.records[grid.candidates[grid.next++].id];
    if (record.place == Place::Everywhere)
        record.collider->UpdateCorners();
    return record.collider;
}

void Walk::Widen(const BoxCollider::Bounds& bounds)
{
    Grid& grid = TheGrid();
    const std::uint64_t after = grid.next == 0 ? 0 : grid.candidates[grid.next - 1].order;
    Gather(bounds, after);
}

} // namespace BroadPhase
