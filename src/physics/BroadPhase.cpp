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
};

struct Record {
    BoxCollider* collider = nullptr;
    std::uint64_t order = 0;
    bool taken = false;
    bool dirty = false;
    Place place = Place::Nowhere;
    CellRange cells;
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

std::array<Record, kBoxColliderCount> gRecords;
std::array<std::vector<Entry>, kBucketCount> gBuckets;
std::vector<std::uint16_t> gEverywhere;
std::vector<std::uint16_t> gDirty;
std::vector<Slot> gSlots;
std::vector<int> gFreeSlots;
std::vector<Transform*> gChanged;
unsigned gSeenParentLinkChanges = Transform::GetParentLinkChanges();
std::uint64_t gNextOrder = 1;

// The walk under way.
std::vector<Candidate> gCandidates;
std::size_t gNext = 0;
std::array<std::uint32_t, kBoxColliderCount> gOffered{};
std::uint32_t gWalkNumber = 0;
std::int32_t gMask = 0;
unsigned gQueryID = 0;

std::vector<Entry>& Bucket(int x, int y)
{
    const std::uint32_t hash = static_cast<std::uint32_t>(x) * 73856093u ^ static_cast<std::uint32_t>(y) * 19349663u;
    return gBuckets[hash % kBucketCount];
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
    Record& record = gRecords[id];
    if (record.dirty)
        return;
    record.dirty = true;
    gDirty.push_back(id);
}

void Unlink(std::uint16_t id)
{
    Record& record = gRecords[id];
    if (record.slot < 0)
        return;
    Slot& slot = gSlots[static_cast<std::size_t>(record.slot)];
    if (record.previousInSlot >= 0)
        gRecords[static_cast<std::size_t>(record.previousInSlot)].nextInSlot = record.nextInSlot;
    else
        slot.first = record.nextInSlot;
    if (record.nextInSlot >= 0)
        gRecords[static_cast<std::size_t>(record.nextInSlot)].previousInSlot = record.previousInSlot;
    if (slot.first < 0) {
        slot.transform->SetWatchSlot(-1);
        slot.transform = nullptr;
        gFreeSlots.push_back(record.slot);
    }
    record.slot = record.previousInSlot = record.nextInSlot = -1;
}

void Link(std::uint16_t id, Transform& transform)
{
    Record& record = gRecords[id];
    int slotIndex = transform.GetWatchSlot();
    if (slotIndex < 0) {
        if (gFreeSlots.empty()) {
            gSlots.push_back({});
            slotIndex = static_cast<int>(gSlots.size()) - 1;
        } else {
            slotIndex = gFreeSlots.back();
            gFreeSlots.pop_back();
        }
        gSlots[static_cast<std::size_t>(slotIndex)] = {&transform, -1};
        transform.SetWatchSlot(slotIndex);
    }
    Slot& slot = gSlots[static_cast<std::size_t>(slotIndex)];
    record.slot = slotIndex;
    record.previousInSlot = -1;
    record.nextInSlot = slot.first;
    if (slot.first >= 0)
        gRecords[static_cast<std::size_t>(slot.first)].previousInSlot = id;
    slot.first = id;
}

void Unplace(std::uint16_t id)
{
    Record& record = gRecords[id];
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
        gEverywhere.erase(std::find(gEverywhere.begin(), gEverywhere.end(), id));
    }
    record.place = Place::Nowhere;
}

void Place(std::uint16_t id)
{
    Record& record = gRecords[id];
    BoxCollider& collider = *record.collider;
    record.dirty = false;
    Unplace(id);
    // A box whose entity died takes no part in queries until it is given
    // another.
    if (collider.HasLostParent())
        return;
    Transform* transform = collider.GetPlacingTransform();
    const int wantedSlot = transform ? transform->GetWatchSlot() : -1;
    if (record.slot < 0 || record.slot != wantedSlot) {
        Unlink(id);
        if (transform)
            Link(id, *transform);
    }
    collider.UpdateCorners();
    if ((transform && transform->HasParent()) || !CellsOf(collider.GetBounds(), record.cells)) {
        record.place = Place::Everywhere;
        gEverywhere.push_back(id);
        return;
    }
    record.place = Place::Grid;
    const Entry entry{id, collider.GetLayer().layer};
    for (int y = record.cells.y0; y <= record.cells.y1; ++y) {
        for (int x = record.cells.x0; x <= record.cells.x1; ++x)
            Bucket(x, y).push_back(entry);
    }
}

// Brings every place up to date with what has changed since the last query.
void Refresh()
{
    if (Transform::GetParentLinkChanges() != gSeenParentLinkChanges) {
        gSeenParentLinkChanges = Transform::GetParentLinkChanges();
        for (std::uint16_t id = 0; id < kBoxColliderCount; ++id) {
            if (gRecords[id].taken)
                MarkDirty(id);
        }
    }
    Transform::TakeChanged(gChanged);
    for (Transform* transform : gChanged) {
        const int slot = transform->GetWatchSlot();
        if (slot < 0)
            continue;
        for (int id = gSlots[static_cast<std::size_t>(slot)].first; id >= 0; id = gRecords[static_cast<std::size_t>(id)].nextInSlot)
            MarkDirty(static_cast<std::uint16_t>(id));
    }
    gChanged.clear();
    for (std::uint16_t id : gDirty) {
        if (gRecords[id].taken && gRecords[id].dirty)
            Place(id);
    }
    gDirty.clear();
}

bool Wanted(std::uint16_t id, std::int32_t layer, std::uint64_t after)
{
    return (layer & gMask) != 0 && id != gQueryID && gOffered[id] != gWalkNumber &&
           gRecords[id].order > after;
}

void Offer(std::uint16_t id)
{
    gOffered[id] = gWalkNumber;
    gCandidates.push_back({gRecords[id].order, id});
}

// Adds the colliders near the bounds that come after `after`, then puts the
// rest of the walk in order.
void Gather(const BoxCollider::Bounds& bounds, std::uint64_t after)
{
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
            if (gRecords[id].place == Place::Grid && Wanted(id, gRecords[id].collider->GetLayer().layer, after))
                Offer(id);
        }
    }
    std::sort(gCandidates.begin() + static_cast<std::ptrdiff_t>(gNext), gCandidates.end(),
              [](const Candidate& a, const Candidate& b) { return a.order < b.order; });
}

} // namespace

namespace BroadPhase {

void Add(BoxCollider& collider)
{
    const auto id = static_cast<std::uint16_t>(collider.GetID());
    Record& record = gRecords[id];
    record.collider = &collider;
    record.order = gNextOrder++;
    record.taken = true;
    MarkDirty(id);
}

void Remove(BoxCollider& collider)
{
    const auto id = static_cast<std::uint16_t>(collider.GetID());
    Record& record = gRecords[id];
    if (!record.taken)
        return;
    Unplace(id);
    Unlink(id);
    record.taken = false;
}

void Touch(BoxCollider& collider)
{
    const auto id = static_cast<std::uint16_t>(collider.GetID());
    if (!gRecords[id].taken)
        return;
    Unlink(id);
    MarkDirty(id);
}

void Clear()
{
    for (std::uint16_t id = 0; id < kBoxColliderCount; ++id) {
        if (gRecords[id].taken)
            Remove(*gRecords[id].collider);
    }
    gDirty.clear();
}

Walk::Walk(const BoxCollider& query, std::int32_t mask, const BoxCollider::Bounds& bounds)
{
    Refresh();
    ++gWalkNumber;
    gCandidates.clear();
    gNext = 0;
    gMask = mask;
    gQueryID = query.GetID();
    for (std::uint16_t id : gEverywhere) {
        if (Wanted(id, gRecords[id].collider->GetLayer().layer, 0))
            Offer(id);
    }
    Gather(bounds, 0);
}

BoxCollider* Walk::Next()
{
    if (gNext == gCandidates.size())
        return nullptr;
    Record& record = gRecords[gCandidates[gNext++].id];
    if (record.place == Place::Everywhere)
        record.collider->UpdateCorners();
    return record.collider;
}

void Walk::Widen(const BoxCollider::Bounds& bounds)
{
    const std::uint64_t after = gNext == 0 ? 0 : gCandidates[gNext - 1].order;
    Gather(bounds, after);
}

} // namespace BroadPhase
