#pragma once

// KeyFilter: a Bloom filter of the prints (detail/KeyPrint.h) of the keys
// that a hash table holds, in 64-bit words that the table owns. Each key
// sets three bits of one word, so a look-up of a key that is not stored
// mostly ends at one load, wherever the hash would have put the key. It
// never turns away a key that was added.

#include <array>
#include <cstdint>

namespace containers::detail {

class KeyFilter {
public:
    // Its words for a table of `slots` slots: 3 bytes a slot, and one word
    // for a table of 1 or 2 slots, whose filter holds every key.
    [[nodiscard]] static constexpr std::uint32_t WordsFor(std::uint32_t slots) noexcept {
        const auto words = static_cast<std::uint32_t>(std::uint64_t{slots} * 3 / 8);
        return words == 0 && slots != 0 ? 1 : words;
    }

    // A filter over `count` words, which must be clear; `holdsAll` sets them
    // all, for a filter that holds every key (a table too small for one).
    KeyFilter(std::uint64_t* filterWords, std::uint32_t count, bool holdsAll) noexcept
        : words(filterWords), wordCount(count) {
        for (std::uint32_t i = 0; holdsAll && i < count; ++i) {
            words[i] = ~std::uint64_t{0};
        }
    }
    KeyFilter() noexcept = default;  // no words: only for a table without slots

    // False when a key of this print was never added.
    [[nodiscard]] bool MayHold(std::uint64_t print) const noexcept {
        const std::uint64_t bits = BitsOf(print);
        return (words[WordOf(print)] & bits) == bits;
    }
    void Add(std::uint64_t print) noexcept { words[WordOf(print)] |= BitsOf(print); }

private:
    // Its word, from the print's top 32 bits, and its three bits: one of 64
    // patterns of three bits (bits 6 to 11), rotated (bits 0 to 5).
    [[nodiscard]] std::uint32_t WordOf(std::uint64_t print) const noexcept {
        return static_cast<std::uint32_t>(((print >> 32U) * wordCount) >> 32U);
    }
    [[nodiscard]] static std::uint64_t BitsOf(std::uint64_t print) noexcept {
        const std::uint64_t pattern = kPatterns[(print >> 6U) & 63U];
        const unsigned turn = static_cast<unsigned>(print & 63U);
        return (pattern << turn) | (pattern >> ((64U - turn) & 63U));
    }
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

    std::uint64_t* words = nullptr;
    std::uint32_t wordCount = 0;
};

}  // namespace containers::detail
