#include <containers/HashTable.h>
#include <containers/detail/Failure.h>

#include <limits>
#include <new>
#include <utility>

namespace containers {

namespace {

using detail::KeyFilter;
using detail::ProbeSequence;

// `capacity` empty slots.
HashEntry** AllocateSlots(std::uint32_t capacity) {
    HashEntry** const slots = new (std::nothrow) HashEntry*[capacity]();
    if (slots == nullptr) {
        detail::OutOfMemory("containers::HashTable::HashTable");
    }
    return slots;
}

// The filter's words, then the tags and the copy of the first ones, all
// clear; frees `slots` where they cannot be had.
std::uint64_t* AllocateBlock(std::uint32_t capacity, HashEntry** slots) {
    const std::size_t tagWords = (std::size_t{capacity} + ProbeSequence::kWindowSpan + 7) / 8;
    std::uint64_t* const block = new (std::nothrow) std::uint64_t[KeyFilter::WordsFor(capacity) + tagWords]();
    if (block == nullptr) {
        delete[] slots;
        detail::OutOfMemory("containers::HashTable::HashTable");
    }
    return block;
}

}  // namespace

HashTable::HashTable(std::uint32_t capacity)
    : slots(AllocateSlots(capacity)),
      capacity(capacity),
      block(AllocateBlock(capacity, slots)),
      tags(reinterpret_cast<unsigned char*>(block + KeyFilter::WordsFor(capacity))),
      filter(block, KeyFilter::WordsFor(capacity), capacity < 3),
      probe(capacity) {}

std::uint32_t HashTable::ProbeOnward(std::string_view key, const detail::KeyWords& words, std::uint8_t tag,
                                     std::uint32_t home) const noexcept {
    ProbeSequence::Onward onward = probe.OnwardFrom(home);
    for (std::uint64_t examined = ProbeSequence::kEarlySteps + 1;; ++examined) {
        if (EndsAt(onward.Slot(), tag, key, words)) {
            return onward.Slot();
        }
        if (examined == probe.Period()) {
            return capacity;
        }
        onward.Next();
    }
}

void HashTable::Place(HashEntry* entry) noexcept {
    if (count >= capacity) {
        return;
    }
    const std::string_view key = entry->Key();
    const detail::KeyWords words = detail::KeyWords::Of(key);
    const std::uint64_t print = detail::PrintOf(words, key.size());
    const std::uint8_t tag = detail::TagOf(print);
    // A key that the filter turns away is not stored, so its probe needs only
    // the first empty slot: tag 0 compares no keys.
    const std::uint32_t slot =
        Probe(key, words, detail::Hash33(key.data(), key.size(), words), filter.MayHold(print) ? tag : 0);
    if (slot == capacity || tags[slot] != 0) {
        return;  // no free slot, or the key is stored already
    }
    slots[slot] = entry;
    tags[slot] = tag;
    if (slot < ProbeSequence::kWindowSpan) {
        tags[capacity + slot] = tag;
    }
    filter.Add(print);
    ++count;
}

HashTable::HashTable(HashTable&& other) noexcept
    : slots(std::exchange(other.slots, nullptr)),
      capacity(std::exchange(other.capacity, 0)),
      count(std::exchange(other.count, 0)),
      block(std::exchange(other.block, nullptr)),
      tags(std::exchange(other.tags, nullptr)),
      filter(std::exchange(other.filter, KeyFilter())),
      probe(std::exchange(other.probe, ProbeSequence())) {}

HashTable& HashTable::operator=(HashTable&& other) noexcept {
    if (this != &other) {
        delete[] slots;
        delete[] block;
        slots = std::exchange(other.slots, nullptr);
        capacity = std::exchange(other.capacity, 0);
        count = std::exchange(other.count, 0);
        block = std::exchange(other.block, nullptr);
        tags = std::exchange(other.tags, nullptr);
        filter = std::exchange(other.filter, KeyFilter());
        probe = std::exchange(other.probe, ProbeSequence());
    }
    return *this;
}

float HashTable::LoadFactor() const noexcept {
    if (capacity == 0) {
        return std::numeric_limits<float>::quiet_NaN();
    }
    return static_cast<float>(static_cast<double>(count) / static_cast<double>(capacity));
}

}  // namespace containers
