#pragma once

// HashEntry: a record pairing a string key with a signed 32-bit value.
//
// Ownership: an entry owns its key string and nothing else. The caller creates
// entries and hands them to a HashTable by pointer; the table only reads the
// key, so an entry must outlive every use of it through a table.
// The key is set at construction and nothing changes it afterwards, since a
// table that holds the entry finds it by that key; the value may be changed
// at any time. An entry may be copied into a new entry, and moving one copies
// it too, so that the source keeps its key (a move would empty the key of an
// entry that a table holds); it cannot be assigned, which would replace its
// key. A copy allocates where the key is too long for the string's inline
// buffer, and throws std::bad_alloc when that fails.
//
// Thread safety: concurrent calls of Key and Value are safe; SetValue needs
// exclusive access to the entry, also while a table reads its key.

#include <cstdint>
#include <string>
#include <utility>

namespace containers {

class HashEntry {
public:
    // Key "hello world", value 0.
    HashEntry() : key("hello world") {}

    // Value first, then the key (taken as a copy of the caller's string).
    HashEntry(std::int32_t initialValue, std::string entryKey)
        : key(std::move(entryKey)), value(initialValue) {}

    // No move constructor: an rvalue entry is copied.
    HashEntry(const HashEntry&) = default;
    HashEntry& operator=(const HashEntry&) = delete;
    HashEntry& operator=(HashEntry&&) = delete;
    ~HashEntry() = default;

    [[nodiscard]] const std::string& Key() const noexcept { return key; }
    [[nodiscard]] std::int32_t Value() const noexcept { return value; }
    void SetValue(std::int32_t newValue) noexcept { value = newValue; }

private:
    std::string key;
    std::int32_t value = 0;
};

}  // namespace containers
