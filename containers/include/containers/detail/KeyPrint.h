#pragma once

// A key's print and its tag. The print is 64 bits mixed from the key's words
// (detail/KeyWords.h), so that each of its bits depends on every byte of a
// key of up to 32 bytes (on the hash and the length of a longer one). It
// does not come from the hash of a short key, which many short keys share
// ("Ab" and "BA" do). The tag, which a hash table keeps per slot, and the
// key's bits in the filter (detail/KeyFilter.h) come from the print.

#include <containers/detail/KeyWords.h>

#include <cstddef>
#include <cstdint>

namespace containers::detail {

// The 128-bit product of a and b, its high half xored into its low half:
// every bit of the result depends on every bit of both.
[[nodiscard]] inline std::uint64_t FoldedProduct(std::uint64_t a, std::uint64_t b) noexcept {
#ifdef __SIZEOF_INT128__
    __extension__ typedef unsigned __int128 Wide;
    const Wide product = static_cast<Wide>(a) * b;
    return static_cast<std::uint64_t>(product) ^ static_cast<std::uint64_t>(product >> 64U);
#else
    // The same product from four 32-bit halves.
    const std::uint64_t aLow = a & 0xFFFFFFFFU;
    const std::uint64_t aHigh = a >> 32U;
    const std::uint64_t bLow = b & 0xFFFFFFFFU;
    const std::uint64_t bHigh = b >> 32U;
    const std::uint64_t low = aLow * bLow;
    const std::uint64_t cross1 = aLow * bHigh;
    const std::uint64_t cross2 = aHigh * bLow;
    const std::uint64_t middle = (low >> 32U) + (cross1 & 0xFFFFFFFFU) + (cross2 & 0xFFFFFFFFU);
    const std::uint64_t high = aHigh * bHigh + (cross1 >> 32U) + (cross2 >> 32U) + (middle >> 32U);
    return ((middle << 32U) | (low & 0xFFFFFFFFU)) ^ high;
#endif
}

// The print of a key of n bytes whose words these are.
[[nodiscard]] inline std::uint64_t PrintOf(const KeyWords& words, std::size_t n) noexcept {
    // Odd constants with their bits well spread (those of wyhash).
    constexpr std::uint64_t k0 = 0xA0761D6478BD642FU;
    constexpr std::uint64_t k1 = 0xE7037ED1A0B428DBU;
    constexpr std::uint64_t k2 = 0x8EBC6AF09C88C6E3U;
    constexpr std::uint64_t k3 = 0x589965CC75374CC3U;
    const std::uint64_t length = n;
    if (n <= 8) {
        return FoldedProduct(words.a ^ k0, k1 ^ length);
    }
    if (n <= 16) {
        return FoldedProduct(words.a ^ k0, words.b ^ k1 ^ length);
    }
    if (n <= 32) {
        return FoldedProduct(words.a ^ k0, words.b ^ k1) ^ FoldedProduct(words.c ^ k2, words.d ^ k3 ^ length);
    }
    return FoldedProduct(words.a ^ k0, k1 ^ (length << 32U));
}

// A full slot's tag: the top bit set, and 7 bits of its key's print below it
// (an empty slot's is 0). A probe compares keys only where the tags agree, so
// a slot that holds another key mostly costs no load of that entry.
[[nodiscard]] inline std::uint8_t TagOf(std::uint64_t print) noexcept {
    return static_cast<std::uint8_t>(0x80U | ((print >> 12U) & 0x7FU));
}

// The lanes of `tags`, eight slots' tags in a word (each 0 or a full tag),
// where a probe for a key of tag `tag` ends: those that are empty or hold the
// same tag. The top bit of each such lane is set, and nothing else. Tag 0
// finds the empty lanes only.
[[nodiscard]] inline std::uint64_t EndingLanes(std::uint64_t tags, std::uint8_t tag) noexcept {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FU;
    constexpr std::uint64_t kTops = 0x8080808080808080U;
    // Xored with the tag, a lane is 0 exactly where the tags agree; adding
    // 0x7F to its low 7 bits sets its top bit unless they are 0, and no lane
    // carries into the next. An empty lane has its top bit clear.
    const std::uint64_t x = tags ^ (tag * 0x0101010101010101U);
    const std::uint64_t differ = ((x & kLow7) + kLow7) | x;
    return ~(tags & differ) & kTops;
}

}  // namespace containers::detail
