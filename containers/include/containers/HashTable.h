#pragma once

// HashTable: a fixed-capacity open-addressing table of HashEntry pointers,
// keyed by the entries' strings.
//
// Ownership: the table owns its slot array, with a byte per slot beside it,
// and nothing else. It stores the entry pointers it is given and never copies,
// replaces or destroys an entry; entries must outlive every use of them
// through the table. A table cannot be copied (two tables would share one
// slot array); it can be moved, which leaves the source as an empty table of
// capacity 0.
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
// capacity. Collisions are resolved by a quadratic probe that adds i² (see
// ProbeStep) to the previous slot at step i, so the offsets from the home slot
// are the running sums of squares 0, 1, 5, 14, 30, ... reduced modulo the
// capacity. The probe reaches every slot exactly when the capacity is of the
// form 2^a · 3^b (1, 2, 3, 4, 6, 8, 9, 12, 16, 18, 24, 27, ...); for any other
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
// - Construction throws std::bad_alloc when the slot array or its tags cannot
//   be allocated, leaking nothing (built without exceptions: stops the
//   program, see detail/Failure.h).
//
// Complexity: Insert and Find take one step per slot examined, which is
// constant on average while the table is not nearly full; an exhausted probe
// is bounded by the period of the probe sequence (at most 6 × capacity
// steps, 20 for capacity 10). Hash is linear in the key's length.
//
// Thread safety: concurrent calls of the const members (Find, Hash, Slot, the
// counts) on one table are safe; Insert and moves need exclusive access. The
// table does not guard the entries: changing an entry's value while another
// thread reads it is the callers' race.

#include <containers/HashEntry.h>
#include <containers/detail/FastRemainder.h>
#include <containers/detail/Hardening.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// SSE2 (every x86-64 processor; 32-bit x86 where the compiler may assume it)
// takes the hash of a long key 16 bytes at a time.
#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define CONTAINERS_HASH_SSE2 1
#include <emmintrin.h>
#endif

namespace containers {

class HashTable {
public:
    explicit HashTable(std::uint32_t capacity);
    ~HashTable() {
        delete[] slots;
        delete[] tags;
    }

    HashTable(const HashTable&) = delete;
    HashTable& operator=(const HashTable&) = delete;
    HashTable(HashTable&& other) noexcept;
    HashTable& operator=(HashTable&& other) noexcept;

    // Stores the entry under its key unless the table is full, the key is
    // already stored, or the probe finds no free slot. Caller contract:
    // `entry` is not null [checked at the fast hardening level].
    void Insert(HashEntry* entry) noexcept;

    // The stored entry whose key equals `key`, or nullptr. Of the three forms
    // (see Keys above) only the first copies the key. Caller contract: the
    // C string is not null [checked at the fast hardening level].
    // NOLINTNEXTLINE(performance-unnecessary-value-param): this form takes a copy
    [[nodiscard]] HashEntry* Find(std::string key) const noexcept { return Find(std::string_view(key)); }
    [[nodiscard]] HashEntry* Find(std::string_view key) const noexcept;
    [[nodiscard]] HashEntry* Find(const char* key) const noexcept;

    // h = h × 33 + b over the key's bytes, each read as a signed 8-bit
    // number, wrapping at 32 bits; "abc" gives 108966.
    // NOLINTNEXTLINE(performance-unnecessary-value-param)
    [[nodiscard]] static std::int32_t Hash(std::string key) noexcept { return HashBytes(key); }

    // i × i, wrapping at 32 bits for |i| > 46340: what step i of the probe
    // adds to the slot. Probe builds the same squares incrementally.
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
    [[nodiscard]] HashEntry* Slot(std::uint32_t index) const noexcept;

private:
    // Hash's arithmetic, on a view of the key.
    [[nodiscard]] static std::int32_t HashBytes(std::string_view key) noexcept;
#ifdef CONTAINERS_HASH_SSE2
    // h·33¹⁶ + b0·33¹⁵ + ... + b15 for each of `blocks` blocks of 16 bytes
    // from p: sixteen single steps each, the same value bit for bit.
    [[nodiscard]] static std::uint32_t HashBlocks(const char* p, std::size_t blocks,
                                                  std::uint32_t h) noexcept;
#endif

    // Unaligned loads of 8 and 4 bytes.
    [[nodiscard]] static std::uint64_t Load64(const char* p) noexcept;
    [[nodiscard]] static std::uint32_t Load32(const char* p) noexcept;

    // Whether two keys have the same length and bytes. Keys are mostly short,
    // so keys of 4 to 32 bytes are compared as two or four words that may
    // overlap, without a branch on the exact length or a call to memcmp;
    // shorter and longer keys go to memcmp.
    [[nodiscard]] static bool SameKey(std::string_view a, std::string_view b) noexcept;

    // a + b modulo capacity, for a and b below capacity, without overflow.
    [[nodiscard]] std::uint32_t AddMod(std::uint32_t a, std::uint32_t b) const noexcept {
        return a >= capacity - b ? a - (capacity - b) : a + b;
    }

    // A slot's tag: 0 while it is empty, else the top bit set and the top 7
    // bits of its key's hash below it. A probe compares the keys of a slot
    // only where the tags agree, so a slot that holds another key mostly
    // costs no load of that entry or of its key's characters.
    [[nodiscard]] static std::uint8_t TagOf(std::uint32_t hash) noexcept {
        return static_cast<std::uint8_t>(0x80U | (hash >> 25U));
    }

    // Whether the probe for `key`, whose tag is `tag`, ends at `slot`: it is
    // empty or holds an equal key.
    [[nodiscard]] bool EndsAt(std::uint32_t slot, std::uint8_t tag, std::string_view key) const noexcept {
        const std::uint8_t seen = tags[slot];
        return seen == 0 || (seen == tag && SameKey(slots[slot]->Key(), key));
    }

    // The index of the slot where the probe for `key`, of hash `hash`, ends:
    // the one holding an equal key or the first empty one; capacity when the
    // probe sequence is exhausted. Requires capacity > 0.
    [[nodiscard]] std::uint32_t Probe(std::string_view key, std::uint32_t hash) const noexcept;
    // The same probe from step kEarlySteps on, for a key whose earlier slots
    // all hold other keys: rare, so it is not inline.
    [[nodiscard]] std::uint32_t ProbeOnward(std::string_view key, std::uint8_t tag,
                                            std::uint32_t home) const noexcept;

    HashEntry** slots = nullptr;
    std::uint8_t* tags = nullptr;  // one per slot
    std::uint32_t capacity = 0;
    std::uint32_t count = 0;
    // Slots a probe examines before giving up: one period of the offset
    // sequence, after which it only repeats itself.
    std::uint64_t probeLimit = 0;
    // Turns the home slot's remainder into multiplications.
    std::uint64_t homeMagic = 0;
    // The offsets of the probe's first slots from the home slot, modulo the
    // capacity: each of those slots then depends on the home slot alone, so
    // their loads need not wait for one another.
    static constexpr std::uint32_t kEarlySteps = 32;
    std::array<std::uint32_t, kEarlySteps> earlyOffsets{};
};

inline HashEntry* HashTable::Slot(std::uint32_t index) const noexcept {
    CONTAINERS_CHECK_FAST(index < capacity, "containers::HashTable::Slot",
                          "the index is not below the capacity");
    return slots[index];
}

inline std::int32_t HashTable::HashBytes(std::string_view key) noexcept {
    // Each byte as a signed 8-bit number, widened to 32 bits.
    const auto byte = [](char c) { return static_cast<std::uint32_t>(static_cast<signed char>(c)); };
    std::uint32_t h = 0;
    const char* p = key.data();
    std::size_t n = key.size();
#ifdef CONTAINERS_HASH_SSE2
    if (n >= 16) {
        h = HashBlocks(p, n / 16, h);
        p += n / 16 * 16;
        n %= 16;
    }
#endif
    // Four bytes at a time: h·33⁴ + b0·33³ + b1·33² + b2·33 + b3 is four
    // single steps, with a shorter chain of dependent multiplications.
    for (; n >= 4; p += 4, n -= 4) {
        h = h * 1185921U + byte(p[0]) * 35937U + byte(p[1]) * 1089U + byte(p[2]) * 33U + byte(p[3]);
    }
    for (; n > 0; ++p, --n) {
        h = h * 33U + byte(*p);
    }
    return static_cast<std::int32_t>(h);
}

#ifdef CONTAINERS_HASH_SSE2
inline std::uint32_t HashTable::HashBlocks(const char* p, std::size_t blocks, std::uint32_t h) noexcept {
    // Each power 33^(15 - j) modulo 2³² is split into signed 16-bit halves,
    // high · 2¹⁶ + low, so that pmaddwd multiplies the bytes (widened to 16
    // bits, sign and all) by both halves and adds them in pairs; the block is
    // Σ low-products + (Σ high-products) · 2¹⁶, modulo 2³².
    struct Halves {
        std::int16_t low[16];
        std::int16_t high[16];
        std::uint32_t power16;  // 33¹⁶ modulo 2³², what a block multiplies h by
    };
    static constexpr Halves kHalves = [] {
        const auto signed16 = [](std::uint32_t half) {
            return static_cast<std::int16_t>(half >= 0x8000U ? static_cast<std::int32_t>(half) - 0x10000
                                                             : static_cast<std::int32_t>(half));
        };
        Halves halves{};
        std::uint32_t power = 1;
        for (int j = 15; j >= 0; --j) {
            const std::int16_t low = signed16(power & 0xFFFFU);
            halves.low[j] = low;
            halves.high[j] = signed16(((power - static_cast<std::uint32_t>(low)) >> 16U) & 0xFFFFU);
            power *= 33U;
        }
        halves.power16 = power;
        return halves;
    }();
    const auto load = [](const void* from) { return _mm_loadu_si128(static_cast<const __m128i*>(from)); };
    const __m128i lowFront = load(kHalves.low);
    const __m128i lowBack = load(kHalves.low + 8);
    const __m128i highFront = load(kHalves.high);
    const __m128i highBack = load(kHalves.high + 8);
    for (; blocks > 0; --blocks, p += 16) {
        const __m128i bytes = load(p);
        const __m128i front = _mm_srai_epi16(_mm_unpacklo_epi8(bytes, bytes), 8);  // bytes 0 to 7
        const __m128i back = _mm_srai_epi16(_mm_unpackhi_epi8(bytes, bytes), 8);   // bytes 8 to 15
        const __m128i low = _mm_add_epi32(_mm_madd_epi16(front, lowFront), _mm_madd_epi16(back, lowBack));
        const __m128i high = _mm_add_epi32(_mm_madd_epi16(front, highFront), _mm_madd_epi16(back, highBack));
        __m128i sum = _mm_add_epi32(low, _mm_slli_epi32(high, 16));
        sum = _mm_add_epi32(sum, _mm_unpackhi_epi64(sum, sum));
        const auto block = static_cast<std::uint32_t>(_mm_cvtsi128_si32(sum)) +
                           static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_epi64(sum, 32)));
        h = h * kHalves.power16 + block;
    }
    return h;
}
#endif

inline std::uint64_t HashTable::Load64(const char* p) noexcept {
    std::uint64_t word = 0;
    std::memcpy(&word, p, sizeof word);
    return word;
}

inline std::uint32_t HashTable::Load32(const char* p) noexcept {
    std::uint32_t word = 0;
    std::memcpy(&word, p, sizeof word);
    return word;
}

inline bool HashTable::SameKey(std::string_view a, std::string_view b) noexcept {
    const std::size_t n = a.size();
    if (n != b.size()) {
        return false;
    }
    const char* const x = a.data();
    const char* const y = b.data();
    if (n >= 8 && n <= 16) {
        const bool front = Load64(x) == Load64(y);
        const bool back = Load64(x + n - 8) == Load64(y + n - 8);
        return front && back;
    }
    if (n > 16 && n <= 32) {
        const std::uint64_t front = (Load64(x) ^ Load64(y)) | (Load64(x + 8) ^ Load64(y + 8));
        const std::uint64_t back =
            (Load64(x + n - 16) ^ Load64(y + n - 16)) | (Load64(x + n - 8) ^ Load64(y + n - 8));
        return (front | back) == 0;
    }
    if (n >= 4 && n < 8) {
        const bool front = Load32(x) == Load32(y);
        const bool back = Load32(x + n - 4) == Load32(y + n - 4);
        return front && back;
    }
    // An empty view may hold a null pointer, which memcmp must not be given.
    return n == 0 || std::memcmp(x, y, n) == 0;
}

inline std::uint32_t HashTable::Probe(std::string_view key, std::uint32_t hash) const noexcept {
    // Both callers turn a table without slots away before they get here.
    const std::uint32_t home = detail::FastRemainder(hash, homeMagic, capacity);
    const std::uint8_t tag = TagOf(hash);
    const std::uint64_t early = probeLimit < kEarlySteps ? probeLimit : kEarlySteps;
    for (std::uint32_t step = 0; step < early; ++step) {
        const std::uint32_t slot = AddMod(home, earlyOffsets[step]);
        if (EndsAt(slot, tag, key)) {
            return slot;
        }
    }
    return early == probeLimit ? capacity : ProbeOnward(key, tag, home);
}

inline void HashTable::Insert(HashEntry* entry) noexcept {
    CONTAINERS_CHECK_FAST(entry != nullptr, "containers::HashTable::Insert", "the entry is null");
    if (count >= capacity) {
        return;
    }
    const std::string_view key = entry->Key();
    const auto hash = static_cast<std::uint32_t>(HashBytes(key));
    const std::uint32_t slot = Probe(key, hash);
    if (slot != capacity && tags[slot] == 0) {
        slots[slot] = entry;
        tags[slot] = TagOf(hash);
        ++count;
    }
}

inline HashEntry* HashTable::Find(std::string_view key) const noexcept {
    if (capacity == 0) {
        return nullptr;
    }
    const std::uint32_t slot = Probe(key, static_cast<std::uint32_t>(HashBytes(key)));
    return slot != capacity ? slots[slot] : nullptr;
}

inline HashEntry* HashTable::Find(const char* key) const noexcept {
    CONTAINERS_CHECK_FAST(key != nullptr, "containers::HashTable::Find", "the key is null");
    return Find(std::string_view(key));
}

}  // namespace containers
