#pragma once

// HashTable: a fixed-capacity open-addressing table of HashEntry pointers,
// keyed by the entries' strings.
//
// Ownership: the table owns its slot array and, beside it, at most 4 bytes
// per slot and 64 bytes more (a tag per slot, the first 31 tags again, and a
// filter of the stored keys), and nothing else. It stores the entry pointers
// it is given and never copies, replaces or destroys an entry; entries must
// outlive every use of them through the table. A table cannot be copied (two
// tables would share one slot array); it can be moved, which leaves the
// source as an empty table of capacity 0.
//
// Keys: two keys are equal when they have the same length and bytes (a NUL
// byte is a byte like any other). Find has three forms that return the same
// entry for equal keys:
// - Find(std::string) and Hash take the key by value, a copy of the caller's
//   string: that is their signature, which callers rely on, so it stays. The
//   copy is the caller's cost: an allocation for a key too long for the
//   string's inline buffer.
// - Find(std::string_view) and Find(const char*) (a NUL-terminated string)
//   read the caller's characters where they are and copy nothing. The C
//   string form exists so that Find("abc") picks one form rather than being
//   ambiguous between the other two.
//
// Placement: a key's home slot is its hash, read as unsigned, modulo the
// capacity. Collisions are resolved by a quadratic probe: step i adds i² to
// the previous slot, modulo the capacity, so the offsets from the home slot
// are the running sums of squares 0, 1, 5, 14, 30, ... reduced modulo the
// capacity. The squares are exact: ProbeStep(i), computed in 32 bits, is i²
// (read as unsigned) only for i < 65536; from there on the probe still adds
// the exact squares (detail/ProbeSequence.h).
// The probe reaches every slot exactly when the capacity is of the form
// 2^a · 3^b (1, 2, 3, 4, 6, 8, 9, 12, 16, 18, 24, 27, ...); for any other
// capacity it reaches only some of them (6 of 10 for capacity 10), and a key
// whose reachable slots are all taken is refused although others are free.
//
// Results:
// - Insert refuses silently when the table is full, when the key is already
//   stored (the first entry stays), and when every slot its probe can reach
//   holds another key.
// - Find returns the stored entry with an equal key, or nullptr when there is
//   none: its probe stops at the first empty slot (where Insert would have
//   put the key), or after one full period of the probe sequence.
// - Capacity 0 is a table that refuses everything; IsFull() is true and
//   LoadFactor() is NaN (0 / 0).
// - Caller contracts are stated on Insert, Find(const char*) and Slot, with
//   the hardening level that checks each (see detail/Hardening.h; a broken
//   one stops the program with a line naming it). No level can check that an
//   entry outlives its use through the table.
// - Construction throws std::bad_alloc when the slot array or its tags and
//   filter cannot be allocated, leaking nothing (built without exceptions:
//   stops the program, see detail/Failure.h).
//
// Complexity: Insert and Find take one step per slot examined, which is
// constant on average while the table is not nearly full (a table of 16384
// slots or more takes the four steps after the home slot at once, from one
// word of tags). An exhausted probe is
// bounded by the period of the probe sequence (at most 6 × capacity steps,
// 20 for capacity 10). Most look-ups of an absent key examine no slot: the
// filter turns them away. Hash is linear in the key's length.
//
// Thread safety: concurrent calls of the const members (Find, Hash, Slot, the
// counts) on one table are safe; Insert and moves need exclusive access. The
// table does not guard the entries: changing an entry's value while another
// thread reads it is the callers' race.

#include <containers/HashEntry.h>
#include <containers/detail/Hardening.h>
#include <containers/detail/KeyFilter.h>
#include <containers/detail/KeyPrint.h>
#include <containers/detail/KeyWords.h>
#include <containers/detail/ProbeSequence.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace containers {

class HashTable {
public:
    explicit HashTable(std::uint32_t capacity);
    ~HashTable() {
        delete[] slots;
        delete[] block;
    }

    HashTable(const HashTable&) = delete;
    HashTable& operator=(const HashTable&) = delete;
    HashTable(HashTable&& other) noexcept;
    HashTable& operator=(HashTable&& other) noexcept;

    // Stores the entry under its key unless the table is full, the key is
    // already stored, or the probe finds no free slot. Caller contract:
    // `entry` is not null [checked at the fast hardening level].
    CONTAINERS_PER_LEVEL void Insert(HashEntry* entry) noexcept;

    // The stored entry whose key equals `key`, or nullptr. Of the three forms
    // (see Keys above) only the first copies the key. Caller contract: the
    // C string is not null [checked at the fast hardening level].
    // cppcheck-suppress passedByValue ; this form takes a copy, as its callers expect
    // NOLINTNEXTLINE(performance-unnecessary-value-param): this form takes a copy
    [[nodiscard]] HashEntry* Find(std::string key) const noexcept {
        return Find(key, detail::KeyWords::OfCopy(key));
    }
    [[nodiscard]] HashEntry* Find(std::string_view key) const noexcept {
        return Find(key, detail::KeyWords::Of(key));
    }
    [[nodiscard]] CONTAINERS_PER_LEVEL HashEntry* Find(const char* key) const noexcept;

    // h = h × 33 + b over the key's bytes, each read as a signed 8-bit
    // number, wrapping at 32 bits; "abc" gives 108966.
    // cppcheck-suppress passedByValue ; by value, a copy, as the signature that callers rely on says
    // NOLINTNEXTLINE(performance-unnecessary-value-param)
    [[nodiscard]] static std::int32_t Hash(std::string key) noexcept {
        return static_cast<std::int32_t>(detail::Hash33(key.data(), key.size(), detail::KeyWords::Of(key)));
    }

    // i × i, wrapping at 32 bits for |i| > 46340 (see Placement above).
    [[nodiscard]] static std::int32_t ProbeStep(std::int32_t i) noexcept {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(i) * static_cast<std::uint32_t>(i));
    }

    [[nodiscard]] bool IsFull() const noexcept { return count >= capacity; }
    [[nodiscard]] float LoadFactor() const noexcept;

    [[nodiscard]] std::uint32_t Capacity() const noexcept { return capacity; }
    [[nodiscard]] std::uint32_t Count() const noexcept { return count; }

    // The entry in slot `index`, or nullptr for an empty slot: a way to
    // visit every stored entry. Caller contract: `index` is below Capacity()
    // [checked at the fast hardening level].
    [[nodiscard]] CONTAINERS_PER_LEVEL HashEntry* Slot(std::uint32_t index) const noexcept;

private:
    [[nodiscard]] HashEntry* Find(std::string_view key, const detail::KeyWords& words) const noexcept;
    // Whether the probe for the key, whose tag is `tag`, ends at `slot`: it
    // is empty or holds an equal key. Tag 0 matches only empty slots.
    [[nodiscard]] bool EndsAt(std::uint32_t slot, std::uint8_t tag, std::string_view key,
                              const detail::KeyWords& words) const noexcept {
        const std::uint8_t seen = tags[slot];
        return seen == 0 || (seen == tag && detail::SameKey(slots[slot]->Key(), key, words));
    }
    // Stores a checked entry, as Insert says.
    void Place(HashEntry* entry) noexcept;
    // The index of the slot where the probe for `key`, of hash `hash` and
    // tag `tag`, ends: the one holding an equal key or the first empty one;
    // capacity when the probe sequence is exhausted. Tag 0 ends the probe at
    // the first empty slot without comparing keys. Requires capacity > 0.
    [[nodiscard]] std::uint32_t Probe(std::string_view key, const detail::KeyWords& words, std::uint32_t hash,
                                      std::uint8_t tag) const noexcept;
    // The same probe from step kEarlySteps on: rare, so apart.
    [[nodiscard]] std::uint32_t ProbeOnward(std::string_view key, const detail::KeyWords& words,
                                            std::uint8_t tag, std::uint32_t home) const noexcept;

    HashEntry** slots = nullptr;
    std::uint32_t capacity = 0;
    std::uint32_t count = 0;
    // One allocation: the filter's words, then a tag per slot and a copy of
    // the first kWindowSpan tags, so that a probe's first steps read their
    // tags side by side from any home slot.
    std::uint64_t* block = nullptr;
    unsigned char* tags = nullptr;
    detail::KeyFilter filter;
    detail::ProbeSequence probe;
};

inline HashEntry* HashTable::Slot(std::uint32_t index) const noexcept {
    CONTAINERS_CHECK_FAST(index < capacity, "containers::HashTable::Slot",
                          "the index is not below the capacity");
    return slots[index];
}

inline void HashTable::Insert(HashEntry* entry) noexcept {
    CONTAINERS_CHECK_FAST(entry != nullptr, "containers::HashTable::Insert", "the entry is null");
    Place(entry);
}

inline std::uint32_t HashTable::Probe(std::string_view key, const detail::KeyWords& words, std::uint32_t hash,
                                      std::uint8_t tag) const noexcept {
    using detail::ProbeSequence;
    const std::uint32_t home = probe.Home(hash);
    if (EndsAt(home, tag, key, words)) {
        return home;  // most keys
    }
    std::uint32_t step = 1;
    if (capacity >= ProbeSequence::kWindowCapacity) {
        // The next four steps at once: of the window's slots where the probe
        // may end, in its order, mostly the first is the key's.
        const std::uint64_t window = ProbeSequence::WindowTags(tags + home);
        std::uint64_t ends =
            detail::EndingLanes(window, tag) & ProbeSequence::kWindowLanes & ~std::uint64_t{0x80};
        for (; ends != 0; ends &= ends - 1) {
            const std::uint32_t slot = probe.WindowSlot(home, ends);
            if ((window & ends & (0 - ends)) == 0 || detail::SameKey(slots[slot]->Key(), key, words)) {
                return slot;  // empty, or the key's
            }
        }
        step = ProbeSequence::kWindowSteps;
    }
    const std::uint32_t early = probe.EarlySteps();
    for (; step < early; ++step) {
        const std::uint32_t slot = probe.EarlySlot(home, step);
        if (EndsAt(slot, tag, key, words)) {
            return slot;
        }
    }
    return probe.Period() == early ? capacity : ProbeOnward(key, words, tag, home);
}

inline HashEntry* HashTable::Find(std::string_view key, const detail::KeyWords& words) const noexcept {
    const std::uint64_t print = detail::PrintOf(words, key.size());
    if (capacity == 0 || !filter.MayHold(print)) {
        return nullptr;  // most absent keys
    }
    const std::uint32_t slot =
        Probe(key, words, detail::Hash33(key.data(), key.size(), words), detail::TagOf(print));
    return slot != capacity ? slots[slot] : nullptr;
}

inline HashEntry* HashTable::Find(const char* key) const noexcept {
    CONTAINERS_CHECK_FAST(key != nullptr, "containers::HashTable::Find", "the key is null");
    return Find(std::string_view(key));
}

}  // namespace containers
