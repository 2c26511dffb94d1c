#pragma once

// HashTable: a fixed-capacity open-addressing table of HashEntry pointers,
// keyed by the entries' strings.
//
// Ownership: the table owns its slot array, with at most 4 bytes per slot
// beside it (a tag per slot and a filter), and nothing else. It stores the
// entry pointers it is given and never copies, replaces or destroys an
// entry; entries must outlive every use of them through the table. A table
// cannot be copied (two tables would share one slot array); it can be
// moved, which leaves the source as an empty table of capacity 0.
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
// - Construction throws std::bad_alloc when the slot array or its tags and
//   filter cannot be allocated, leaking nothing (built without exceptions:
//   stops the program, see detail/Failure.h).
//
// Complexity: Insert and Find take one step per slot examined, which is
// constant on average while the table is not nearly full; an exhausted probe
// is bounded by the period of the probe sequence (at most 6 × capacity
// steps, 20 for capacity 10). Most look-ups of an absent key examine no slot:
// a filter of the stored keys turns them away. Hash is linear in the key's
// length.
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

namespace containers {

class HashTable {
public:
    explicit HashTable(std::uint32_t capacity);
    ~HashTable() {
        delete[] slots;
        delete[] filter;
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
    // cppcheck-suppress passedByValue ; this form takes a copy, as its callers expect
    // NOLINTNEXTLINE(performance-unnecessary-value-param): this form takes a copy
    [[nodiscard]] HashEntry* Find(std::string key) const noexcept { return Find(key, WordsOfCopy(key)); }
    [[nodiscard]] HashEntry* Find(std::string_view key) const noexcept;
    [[nodiscard]] HashEntry* Find(const char* key) const noexcept;

    // h = h × 33 + b over the key's bytes, each read as a signed 8-bit
    // number, wrapping at 32 bits; "abc" gives 108966.
    // cppcheck-suppress passedByValue ; by value, a copy, as the signature that callers rely on says
    // NOLINTNEXTLINE(performance-unnecessary-value-param)
    [[nodiscard]] static std::int32_t Hash(std::string key) noexcept {
        return static_cast<std::int32_t>(HashOf(key.data(), WordsOf(key.data(), key.size()), key.size()));
    }

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
    // A key's bytes as the words that a look-up works from, loaded once:
    // - up to 3 bytes: the first, middle and last bytes (every byte) in `a`;
    // - 4 to 8: the first 4 bytes in a's low half, the last 4 in its high half;
    // - 9 to 16: the first 8 bytes in `a` and the last 8 in `b`;
    // - 17 to 32: the first 16 bytes in `a` and `b`, the last 16 in `c` and `d`;
    // - longer keys: Hash's value in `a`; their bytes are compared in place.
    // Words that may overlap keep the exact length out of the branches.
    struct KeyWords {
        std::uint64_t a;
        std::uint64_t b;
        std::uint64_t c;
        std::uint64_t d;
    };
    [[nodiscard]] static KeyWords WordsOf(const char* p, std::size_t n) noexcept;
    // The same words of a key that was just copied (Find's by-value key),
    // read so that the processor can forward them from the copy's stores. A
    // copy of 5 to 15 bytes is two moves that overlap (4 or 8 bytes from each
    // end, in every memcpy we know of); a word that took bytes from both could
    // not be forwarded, and would wait until the copy left the processor,
    // that is, until every earlier look-up had finished. So the front word
    // is the first move's own bytes, read alone, and the back word's.
    [[nodiscard]] static KeyWords WordsOfCopy(std::string_view key) noexcept;

    // Hash's value and the key's print, from its words (and its bytes at p).
    // The print mixes the key's bytes (those of a key of up to 32 bytes, else
    // its hash) to 64 bits, from which come the key's tag and its bits in the
    // filter. It does not come from the hash of a short key, since many short
    // keys share one ("Ab" and "BA" do).
    [[nodiscard]] static std::uint32_t HashOf(const char* p, const KeyWords& words, std::size_t n) noexcept;
    [[nodiscard]] static std::uint64_t PrintOf(const KeyWords& words, std::size_t n) noexcept;
    // Hash's value of a key of more than 16 bytes, out of line: the library's
    // own build decides whether it takes 16 bytes a step with SSE2.
    [[nodiscard]] static std::uint32_t HashLong(const char* p, std::size_t n) noexcept;
    // Σ b_j · 33^(k - 1 - j) over the k bytes of a word (k = 4 or 8), byte 0
    // the lowest, each read as signed: k single steps of the hash from 0, as
    // steps that each join neighbours (bytes, then pairs, then quads) in lanes.
    [[nodiscard]] static std::uint32_t HashHalf(std::uint32_t word) noexcept;
    [[nodiscard]] static std::uint32_t HashWord(std::uint64_t word) noexcept;
    // 33^k modulo 2^32, for k from 0 to 24.
    static constexpr std::array<std::uint32_t, 25> kPowersOf33 = [] {
        std::array<std::uint32_t, 25> powers{};
        std::uint32_t power = 1;
        for (std::uint32_t& p : powers) {
            p = power;
            power *= 33U;
        }
        return powers;
    }();

    // Little-endian loads of 8 and 4 bytes.
    [[nodiscard]] static std::uint64_t Load64(const char* p) noexcept;
    [[nodiscard]] static std::uint32_t Load32(const char* p) noexcept;
    // A 64-bit mix: each of the result's bits depends on many of x's.
    [[nodiscard]] static std::uint64_t Mix(std::uint64_t x) noexcept;

    // Whether a stored key equals the key whose words are `words`: the same
    // length and bytes, compared word by word without a call to memcmp up to
    // 32 bytes.
    [[nodiscard]] static bool SameKey(std::string_view stored, std::string_view key,
                                      const KeyWords& words) noexcept;

    // a + b modulo capacity, for a and b below capacity, without overflow.
    [[nodiscard]] std::uint32_t AddMod(std::uint32_t a, std::uint32_t b) const noexcept {
        return a >= capacity - b ? a - (capacity - b) : a + b;
    }

    // A slot's tag: 0 while it is empty, else the top bit set and 7 bits of
    // its key's print below it. A probe compares the keys of a slot only
    // where the tags agree, so a slot that holds another key mostly costs no
    // load of that entry or of its key's characters.
    [[nodiscard]] static std::uint8_t TagOf(std::uint64_t print) noexcept {
        return static_cast<std::uint8_t>(0x80U | ((print >> 12U) & 0x7FU));
    }

    // The filter: a Bloom filter of the stored keys' prints, in 64-bit words,
    // 3 bytes per slot. Each key sets three bits of one word, so a look-up of
    // an absent key mostly ends at one load, wherever the hash put the key. A
    // table of fewer than 3 slots has no filter.
    [[nodiscard]] std::uint32_t FilterWordOf(std::uint64_t print) const noexcept {
        return static_cast<std::uint32_t>(((print >> 32U) * filterWords) >> 32U);
    }
    // A key's three bits: one of 64 patterns of three bits, rotated.
    [[nodiscard]] static std::uint64_t FilterBitsOf(std::uint64_t print) noexcept;
    [[nodiscard]] std::uint64_t FilterWord(std::uint32_t index) const noexcept;
    // Whether a key of this print may be stored: false means it is not.
    [[nodiscard]] bool MayHold(std::uint64_t print) const noexcept {
        const std::uint64_t bits = FilterBitsOf(print);
        return (FilterWord(FilterWordOf(print)) & bits) == bits;
    }

    // Whether the probe for the key, whose tag is `tag`, ends at `slot`: it
    // is empty or holds an equal key. Tag 0 matches only empty slots, without
    // a comparison of keys.
    [[nodiscard]] bool EndsAt(std::uint32_t slot, std::uint8_t tag, std::string_view key,
                              const KeyWords& words) const noexcept {
        const std::uint8_t seen = tags[slot];
        return seen == 0 || (seen == tag && SameKey(slots[slot]->Key(), key, words));
    }

    // The index of the slot where the probe for `key`, of hash `hash`, ends:
    // the one holding an equal key or the first empty one; capacity when the
    // probe sequence is exhausted. Requires capacity > 0.
    [[nodiscard]] std::uint32_t Probe(std::string_view key, const KeyWords& words, std::uint32_t hash,
                                      std::uint8_t tag) const noexcept;
    // Find, from the key's words.
    [[nodiscard]] HashEntry* Find(std::string_view key, const KeyWords& words) const noexcept;
    // The same probe from step kEarlySteps on, for a key whose earlier slots
    // all hold other keys: rare, so it is not inline.
    [[nodiscard]] std::uint32_t ProbeOnward(std::string_view key, const KeyWords& words, std::uint8_t tag,
                                            std::uint32_t home) const noexcept;

    HashEntry** slots = nullptr;
    // The filter's words, then the tags, one per slot: one allocation.
    unsigned char* filter = nullptr;
    unsigned char* tags = nullptr;
    std::uint32_t capacity = 0;
    std::uint32_t count = 0;
    std::uint32_t filterWords = 0;
    // Slots a probe examines from the table of offsets: kEarlySteps, or the
    // whole period where it is shorter.
    std::uint32_t earlySteps = 0;
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

inline std::uint64_t HashTable::Load64(const char* p) noexcept {
    std::uint64_t word = 0;
    std::memcpy(&word, p, sizeof word);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    word = __builtin_bswap64(word);
#endif
    return word;
}

inline std::uint32_t HashTable::Load32(const char* p) noexcept {
    std::uint32_t word = 0;
    std::memcpy(&word, p, sizeof word);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    word = __builtin_bswap32(word);
#endif
    return word;
}

inline std::uint64_t HashTable::Mix(std::uint64_t x) noexcept {
    x *= 0x9E3779B97F4A7C15U;
    return x ^ (x >> 32U);
}

inline HashTable::KeyWords HashTable::WordsOf(const char* p, std::size_t n) noexcept {
    if (n <= 8) {
        if (n >= 4) {
            return {Load32(p) | std::uint64_t{Load32(p + n - 4)} << 32U, 0, 0, 0};
        }
        if (n == 0) {
            return {0, 0, 0, 0};  // a view of no bytes may hold a null pointer
        }
        const auto byte = [p](std::size_t i) { return std::uint64_t{static_cast<unsigned char>(p[i])}; };
        return {byte(0) | byte(n / 2) << 8U | byte(n - 1) << 16U, 0, 0, 0};
    }
    if (n <= 16) {
        return {Load64(p), Load64(p + n - 8), 0, 0};
    }
    if (n <= 32) {
        return {Load64(p), Load64(p + 8), Load64(p + n - 16), Load64(p + n - 8)};
    }
    return {HashLong(p, n), 0, 0, 0};
}

inline HashTable::KeyWords HashTable::WordsOfCopy(std::string_view key) noexcept {
    const char* const p = key.data();
    const std::size_t n = key.size();
    if (n < 5 || n > 15 || n == 8) {
        return WordsOf(p, n);
    }
    // Moves of 4 bytes below 8, else of 8: the first move's bytes that the
    // second did not overwrite, read within the first, then the second move.
    const std::size_t move = n < 8 ? 4 : 8;
    const std::size_t alone = n - move;  // 1 to 7
    const std::uint64_t back = move == 4 ? Load32(p + n - 4) : Load64(p + n - 8);
    std::uint64_t front = 0;
    if (alone >= 4) {
        front = Load32(p) | std::uint64_t{Load32(p + alone - 4)} << (8 * (alone - 4));
    } else {
        const auto byte = [p](std::size_t i) {
            return std::uint64_t{static_cast<unsigned char>(p[i])} << (8 * i);
        };
        front = byte(0) | byte(alone / 2) | byte(alone - 1);
    }
    front |= back << (8 * alone);
    if (move == 4) {
        return {(front & 0xFFFFFFFFU) | back << 32U, 0, 0, 0};
    }
    return {front, back, 0, 0};
}

inline std::uint64_t HashTable::PrintOf(const KeyWords& words, std::size_t n) noexcept {
    constexpr std::uint64_t kOdd = 0xD6E8FEB86659FD93U;
    constexpr std::uint64_t kOtherOdd = 0xFF51AFD7ED558CCDU;
    if (n <= 8) {
        return Mix(words.a ^ n);
    }
    if (n <= 16) {
        return Mix((words.a * kOdd + words.b) ^ n);
    }
    if (n <= 32) {
        return Mix((words.a * kOdd + words.b) ^ (words.c * kOtherOdd + words.d) ^ n);
    }
    return Mix(words.a ^ (std::uint64_t{n} << 32U));
}

inline std::uint32_t HashTable::HashHalf(std::uint32_t word) noexcept {
    // Flipping each byte's top bit reads it as b + 128 in 0..255, which fits
    // the lanes; the 128s come off at the end, as 128 · (33³ + 33² + 33 + 1).
    const std::uint32_t x = word ^ 0x80808080U;
    const std::uint32_t pairs = (x & 0x00FF00FFU) * 33U + ((x >> 8U) & 0x00FF00FFU);  // < 2¹⁴ each
    return (pairs & 0xFFFFU) * 1089U + (pairs >> 16U) - 128U * 37060U;
}

inline std::uint32_t HashTable::HashWord(std::uint64_t word) noexcept {
    // As HashHalf, a step further: the 128s are 128 · (33⁷ + ... + 1).
    constexpr std::uint64_t kBytes = 0x00FF00FF00FF00FFU;
    constexpr std::uint64_t kPairs = 0x0000FFFF0000FFFFU;
    constexpr std::uint32_t kFlips = [] {
        std::uint32_t sum = 0;
        for (std::size_t k = 0; k < 8; ++k) {
            sum += kPowersOf33[k];
        }
        return 128U * sum;
    }();
    const std::uint64_t x = word ^ 0x8080808080808080U;
    const std::uint64_t pairs = (x & kBytes) * 33U + ((x >> 8U) & kBytes);             // < 2¹⁴ each
    const std::uint64_t quads = (pairs & kPairs) * 1089U + ((pairs >> 16U) & kPairs);  // < 2²⁴ each
    return static_cast<std::uint32_t>(quads) * kPowersOf33[4] + static_cast<std::uint32_t>(quads >> 32U) -
           kFlips;
}

inline std::uint32_t HashTable::HashOf(const char* p, const KeyWords& words, std::size_t n) noexcept {
    if (n <= 8) {
        if (n >= 4) {
            // The last 4 bytes without those that the first 4 hold: lanes
            // below 8 - n cleared count 0.
            const auto back = static_cast<std::uint32_t>(words.a >> 32U) &
                              static_cast<std::uint32_t>(std::uint64_t{0xFFFFFFFFU} << (8 * (8 - n)));
            return kPowersOf33[n - 4] * HashHalf(static_cast<std::uint32_t>(words.a)) + HashHalf(back);
        }
        // The first, middle and last bytes, weighted by their places.
        static constexpr std::uint32_t kWeights[4][3] = {{0, 0, 0}, {1, 0, 0}, {33, 1, 0}, {1089, 33, 1}};
        const auto byte = [&words](unsigned at) {
            return static_cast<std::uint32_t>(
                static_cast<std::int32_t>(static_cast<signed char>(words.a >> at)));
        };
        return byte(0) * kWeights[n][0] + byte(8) * kWeights[n][1] + byte(16) * kWeights[n][2];
    }
    // Each word's bytes from 0; then the powers of 33 that place them. Lanes
    // of the last words that an earlier word holds too are cleared.
    const std::uint64_t all = ~std::uint64_t{0};
    if (n <= 16) {
        return kPowersOf33[n - 8] * HashWord(words.a) + HashWord(words.b & (all << (8 * (16 - n))));
    }
    return n <= 32 ? HashLong(p, n) : static_cast<std::uint32_t>(words.a);
}

inline bool HashTable::SameKey(std::string_view stored, std::string_view key,
                               const KeyWords& words) noexcept {
    const std::size_t n = key.size();
    if (stored.size() != n) {
        return false;
    }
    const char* const x = stored.data();
    if (n <= 8) {
        return n == 0 || WordsOf(x, n).a == words.a;
    }
    if (n <= 16) {
        return ((Load64(x) ^ words.a) | (Load64(x + n - 8) ^ words.b)) == 0;
    }
    if (n <= 32) {
        return ((Load64(x) ^ words.a) | (Load64(x + 8) ^ words.b) | (Load64(x + n - 16) ^ words.c) |
                (Load64(x + n - 8) ^ words.d)) == 0;
    }
    return std::memcmp(x, key.data(), n) == 0;
}

inline std::uint64_t HashTable::FilterWord(std::uint32_t index) const noexcept {
    std::uint64_t word = 0;
    std::memcpy(&word, filter + 8 * std::size_t{index}, sizeof word);
    return word;
}

inline std::uint64_t HashTable::FilterBitsOf(std::uint64_t print) noexcept {
    // 64 patterns of three distinct bits, from a fixed sequence of numbers.
    static constexpr std::array<std::uint64_t, 64> kPatterns = [] {
        std::array<std::uint64_t, 64> patterns{};
        std::uint64_t state = 0x2545F4914F6CDD1DU;
        for (std::uint64_t& pattern : patterns) {
            for (int bits = 0; bits < 3;) {
                state = state * 6364136223846793005U + 1442695040888963407U;
                const std::uint64_t bit = std::uint64_t{1} << (state >> 58U);
                if ((pattern & bit) == 0) {
                    pattern |= bit;
                    ++bits;
                }
            }
        }
        return patterns;
    }();
    const std::uint64_t pattern = kPatterns[(print >> 6U) & 63U];
    const unsigned turn = static_cast<unsigned>(print & 63U);
    return (pattern << turn) | (pattern >> ((64U - turn) & 63U));
}

inline std::uint32_t HashTable::Probe(std::string_view key, const KeyWords& words, std::uint32_t hash,
                                      std::uint8_t tag) const noexcept {
    // Both callers turn a table without slots away before they get here.
    const std::uint32_t home = detail::FastRemainder(hash, homeMagic, capacity);
    std::uint32_t slot = home;
    for (std::uint32_t step = 1;; ++step) {
        if (EndsAt(slot, tag, key, words)) {
            return slot;
        }
        if (step == earlySteps) {
            break;
        }
        slot = AddMod(home, earlyOffsets[step]);
    }
    return earlySteps == probeLimit ? capacity : ProbeOnward(key, words, tag, home);
}

inline void HashTable::Insert(HashEntry* entry) noexcept {
    CONTAINERS_CHECK_FAST(entry != nullptr, "containers::HashTable::Insert", "the entry is null");
    if (count >= capacity) {
        return;
    }
    const std::string_view key = entry->Key();
    const KeyWords words = WordsOf(key.data(), key.size());
    const std::uint64_t print = PrintOf(words, key.size());
    const std::uint8_t tag = TagOf(print);
    // A key that the filter turns away is not stored, so its probe needs only
    // the first empty slot: tag 0 compares no keys.
    const bool mayHold = filterWords == 0 || MayHold(print);
    const std::uint32_t slot = Probe(key, words, HashOf(key.data(), words, key.size()), mayHold ? tag : 0);
    if (slot == capacity || tags[slot] != 0) {
        return;  // no free slot, or the key is stored already
    }
    slots[slot] = entry;
    tags[slot] = tag;
    if (filterWords != 0) {
        const std::uint32_t index = FilterWordOf(print);
        const std::uint64_t word = FilterWord(index) | FilterBitsOf(print);
        std::memcpy(filter + 8 * std::size_t{index}, &word, sizeof word);
    }
    ++count;
}

inline HashEntry* HashTable::Find(std::string_view key) const noexcept {
    return Find(key, WordsOf(key.data(), key.size()));
}

inline HashEntry* HashTable::Find(std::string_view key, const KeyWords& words) const noexcept {
    const std::uint64_t print = PrintOf(words, key.size());
    if (filterWords == 0) {
        if (capacity == 0) {
            return nullptr;
        }
    } else if (!MayHold(print)) {
        return nullptr;
    }
    const std::uint32_t slot = Probe(key, words, HashOf(key.data(), words, key.size()), TagOf(print));
    return slot != capacity ? slots[slot] : nullptr;
}

inline HashEntry* HashTable::Find(const char* key) const noexcept {
    CONTAINERS_CHECK_FAST(key != nullptr, "containers::HashTable::Find", "the key is null");
    return Find(std::string_view(key));
}

}  // namespace containers
