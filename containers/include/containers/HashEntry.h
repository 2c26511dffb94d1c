#pragma once

// HashEntry: a record pairing a string key with a signed 32-bit value.
//
// Ownership: an entry owns its key string and nothing else. The caller creates
// entries and hands them to a HashTable by pointer; the table only reads the
// key, so an entry must outlive every use of it through a table.
// The key is fixed at construction; the value may be changed at any time.
// Entries may be copied and moved like any value.
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

    [[nodiscard]] const std::string& Key() const noexcept { return key; }
    [[nodiscard]] std::int32_t Value() const noexcept { return value; }
    void SetValue(std::int32_t newValue) noexcept { value = newValue; }

private:
    std::string key;
    std::int32_t value = 0;
};

}  // namespace containers
