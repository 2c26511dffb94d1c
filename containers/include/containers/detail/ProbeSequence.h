#pragma once

// ProbeSequence: the order in which a hash table of `capacity` slots examines
// slots for a key, and when it gives up. From the key's home slot h (its hash
// modulo the capacity), step k examines slot h + S(k) modulo the capacity,
// where S(k) = 1² + 2² + ... + k² = k(k + 1)(2k + 1) / 6: each step adds the
// square of its number to the previous slot, as exact integers, so it adds
// ProbeStep(k) (k × k in 32 bits) only while that does not wrap. The offsets
// repeat with a period of at most 6 × capacity steps; a probe that has
// examined one period of slots has seen every slot it can reach, and gives up.

#include <containers/detail/FastRemainder.h>
#include <containers/detail/KeyWords.h>

#include <array>
#include <cstdint>

namespace containers::detail {

// a + b modulo m, for a and b below m, without overflow.
[[nodiscard]] inline std::uint32_t AddMod(std::uint32_t a, std::uint32_t b, std::uint32_t m) noexcept {
    return a >= m - b ? a - (m - b) : a + b;
}

class ProbeSequence {
public:
    // Offsets whose slots need not wait for one another: the first 32 are
    // kept, each depending on the home slot alone.
    static constexpr std::uint32_t kEarlySteps = 32;
    // The first five steps' offsets (0, 1, 5, 14, 30) lie within 31 slots of
    // home: a table whose first 31 tags are cloned after its last has their
    // tags side by side from any home slot, a window of them. Taking four
    // steps at once from it costs a key that is one step from home more
    // than stepping does, and saves a key that is further; measured, it pays
    // from 2^14 slots on (faster by up to a fifth there, slower by up to a
    // tenth below), so a table takes it from kWindowCapacity slots on.
    static constexpr std::uint32_t kWindowSteps = 5;
    static constexpr std::uint32_t kWindowSpan = 31;
    static constexpr std::uint32_t kWindowCapacity = 16384;

    explicit ProbeSequence(std::uint32_t capacity);
    ProbeSequence() noexcept = default;  // capacity 0: no slot to examine

    [[nodiscard]] std::uint32_t Home(std::uint32_t hash) const noexcept {
        return FastRemainder(hash, homeMagic, capacity);
    }
    // Slots examined before the probe gives up: one period.
    [[nodiscard]] std::uint64_t Period() const noexcept { return period; }
    // kEarlySteps, or the whole period where it is shorter.
    [[nodiscard]] std::uint32_t EarlySteps() const noexcept { return earlySteps; }
    [[nodiscard]] std::uint32_t EarlySlot(std::uint32_t home, std::uint32_t step) const noexcept {
        return AddMod(home, earlyOffsets[step], capacity);
    }

    // The tags of the first kWindowSteps steps, from the tags at home on: in
    // lanes 0, 1, 5, 6 and 7 of a word, in the probe's order; the other lanes
    // are not the window's (kWindowLanes keeps only its own).
    static constexpr std::uint64_t kWindowLanes = 0x8080800000008080U;
    [[nodiscard]] static std::uint64_t WindowTags(const unsigned char* fromHome) noexcept {
        const char* const bytes = reinterpret_cast<const char*>(fromHome);
        return (Load64(bytes) & 0x0000FF000000FFFFU) | std::uint64_t{fromHome[14]} << 48U |
               std::uint64_t{fromHome[30]} << 56U;
    }
    // The slot of the lowest lane whose top bit `lanes` sets.
    [[nodiscard]] std::uint32_t WindowSlot(std::uint32_t home, std::uint64_t lanes) const noexcept {
        constexpr std::uint64_t kOffsets = 0x1E0E050000000100U;  // each lane's offset in its byte
#if defined(__GNUC__)
        const auto shift = static_cast<unsigned>(__builtin_ctzll(lanes)) - 7U;
#else
        // The lowest lane's one bit, times bytes 7, 6, ..., 0 from the
        // lowest: the top byte of the product is that lane's number.
        const auto shift =
            8U * static_cast<unsigned>((((lanes & (0 - lanes)) >> 7U) * 0x0001020304050607U) >> 56U);
#endif
        return AddMod(home, static_cast<std::uint32_t>((kOffsets >> shift) & 0xFFU), capacity);
    }

    // The slots from step kEarlySteps on, one step at a time: i² is kept
    // modulo the capacity as the sum of the odd numbers 1, 3, 5, ..., so no
    // step multiplies or divides.
    class Onward {
    public:
        [[nodiscard]] std::uint32_t Slot() const noexcept { return slot; }
        void Next() noexcept {
            square = AddMod(square, odd, capacity);
            odd = AddMod(odd, two, capacity);
            slot = AddMod(slot, square, capacity);
        }

    private:
        friend class ProbeSequence;
        std::uint32_t capacity = 0;
        std::uint32_t square = 0;  // i², 2i + 1 and 2, modulo the capacity
        std::uint32_t odd = 0;
        std::uint32_t two = 0;
        std::uint32_t slot = 0;
    };
    // At step kEarlySteps; requires a period longer than kEarlySteps.
    [[nodiscard]] Onward OnwardFrom(std::uint32_t home) const noexcept;

private:
    std::uint32_t capacity = 0;
    std::uint32_t earlySteps = 0;
    std::uint64_t period = 0;
    std::uint64_t homeMagic = 0;  // turns Home's remainder into multiplications
    std::array<std::uint32_t, kEarlySteps> earlyOffsets{};
};

}  // namespace containers::detail
