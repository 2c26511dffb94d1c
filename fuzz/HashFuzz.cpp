// Differential fuzzing of HashTable against std::unordered_map, with the slot
// of every key simulated independently: the hash over signed bytes in 64-bit
// arithmetic, the offsets from the closed form k(k+1)(2k+1)/6, and a probe
// that gives up only after 6 × capacity steps. The table is moved away and
// back now and then.

#include "FuzzSupport.h"

#include <containers/HashEntry.h>
#include <containers/HashTable.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

using containers::HashEntry;
using containers::HashTable;

std::uint32_t ModelHash(const std::string& key) {
    std::int64_t h = 0;
    for (const unsigned char byte : key) {
        const std::int64_t b = byte < 128 ? byte : static_cast<std::int64_t>(byte) - 256;
        h = (h * 33 + b) % 4294967296LL;  // keeps the low 32 bits, sign and all
    }
    return static_cast<std::uint32_t>((h + 4294967296LL) % 4294967296LL);
}

class ModelTable {
public:
    explicit ModelTable(std::uint32_t capacity) : slots(capacity) {}

    // The slot where the probe for `key` ends (its own or the first empty
    // one), or -1 when no reachable slot is either.
    [[nodiscard]] std::int64_t ProbeEnd(const std::string& key) const {
        const std::uint64_t c = slots.size();
        const std::uint64_t home = ModelHash(key) % c;
        for (std::uint64_t k = 0; k < 6 * c; ++k) {
            const std::uint64_t offset = k * (k + 1) * (2 * k + 1) / 6 % c;
            const std::uint64_t slot = (home + offset) % c;
            if (slots[slot] == nullptr || slots[slot]->Key() == key) {
                return static_cast<std::int64_t>(slot);
            }
        }
        return -1;
    }

    std::vector<HashEntry*> slots;
    std::unordered_map<std::string, HashEntry*> byKey;
};

bool SameFloat(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzsupport::Input in(data, size);
    const std::uint8_t shape = in.Byte();
    // Mostly small tables, so that fullness and exhausted probes come often,
    // and now and then one large enough to take its first steps at once.
    const std::uint32_t capacity = shape < 224   ? shape % 24
                                   : shape < 248 ? 1U << (shape % 7)
                                                 : 16384U + (shape % 8) * 2304U;
    HashTable table(capacity);
    ModelTable model(capacity);
    std::vector<std::unique_ptr<HashEntry>> entries;
    std::string previous;

    while (!in.Empty()) {
        const std::uint8_t op = in.Byte();
        if (op >= 0xF8) {
            // Away and back, by move construction and move assignment: the
            // source is left an empty table of capacity 0.
            HashTable moved(std::move(table));
            // NOLINTNEXTLINE(bugprone-use-after-move): the moved-from table is what is checked
            FUZZ_CHECK(table.Capacity() == 0 && table.Count() == 0 && table.Find(previous) == nullptr);
            table = std::move(moved);
            // NOLINTNEXTLINE(bugprone-use-after-move)
            FUZZ_CHECK(moved.Capacity() == 0 && table.Capacity() == capacity);
            continue;
        }
        // Short keys, keys up to 20 and up to 40 bytes, and keys that differ
        // from the previous one in one byte (at any length the table compares).
        std::string key;
        switch ((op >> 2U) % 4) {
            case 0:
                key = in.Key(3);
                break;
            case 1:
                key = in.Key(20);
                break;
            case 2:
                key = in.Key(40);
                break;
            default:
                key = previous;
                if (!key.empty()) {
                    const std::size_t at = in.Byte() % key.size();
                    key[at] = static_cast<char>(key[at] ^ (1U << (in.Byte() % 8)));
                }
                break;
        }
        previous = key;
        FUZZ_CHECK(static_cast<std::uint32_t>(HashTable::Hash(key)) == ModelHash(key));
        switch (op % 4) {
            case 0:
            case 1: {
                entries.push_back(std::make_unique<HashEntry>(in.Value(), key));
                HashEntry* entry = entries.back().get();
                table.Insert(entry);
                if (model.byKey.size() < capacity) {
                    const std::int64_t slot = model.ProbeEnd(key);
                    if (slot >= 0 && model.slots[static_cast<std::size_t>(slot)] == nullptr) {
                        model.slots[static_cast<std::size_t>(slot)] = entry;
                        model.byKey.emplace(key, entry);
                    }
                }
                break;
            }
            case 2: {
                const auto found = model.byKey.find(key);
                const HashEntry* const expected = found == model.byKey.end() ? nullptr : found->second;
                FUZZ_CHECK(table.Find(key) == expected);
                // The view form, over an exactly sized copy of the key, so that
                // AddressSanitizer catches a read past its end.
                const std::vector<char> bytes(key.begin(), key.end());
                FUZZ_CHECK(table.Find(std::string_view(bytes.data(), bytes.size())) == expected);
                break;
            }
            default: {
                const auto count = static_cast<std::uint32_t>(model.byKey.size());
                FUZZ_CHECK(table.Count() == count);
                FUZZ_CHECK(table.IsFull() == (count >= capacity));
                const float load = table.LoadFactor();
                if (capacity == 0) {
                    FUZZ_CHECK(std::isnan(load));
                } else {
                    FUZZ_CHECK(SameFloat(load, static_cast<float>(static_cast<double>(count) / capacity)));
                }
                break;
            }
        }
    }
    for (std::uint32_t i = 0; i < capacity; ++i) {
        FUZZ_CHECK(table.Slot(i) == model.slots[i]);
    }
    return 0;
}
