#pragma once

// KeyWords: a key's bytes as the 64-bit words that a look-up of it works
// from, loaded once, and the table's hash over them: h = h × 33 + b over the
// key's bytes from the first, each read as a signed 8-bit number, starting
// from 0 and wrapping at 32 bits ("abc" gives 108966).
//
// One body for every includer: nothing here depends on the instruction set
// a translation unit is compiled for. Keys of more than 16 bytes are hashed
// out of line (src/KeyWords.cpp), where the library's own build decides
// whether SSE2 takes 16 bytes a step.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace containers::detail {

// Little-endian loads of 8 and 4 bytes, whatever the machine's byte order.
[[nodiscard]] inline std::uint64_t Load64(const char* p) noexcept {
    std::uint64_t word = 0;
    std::memcpy(&word, p, sizeof word);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    word = __builtin_bswap64(word);
#endif
    return word;
}
[[nodiscard]] inline std::uint32_t Load32(const char* p) noexcept {
    std::uint32_t word = 0;
    std::memcpy(&word, p, sizeof word);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    word = __builtin_bswap32(word);
#endif
    return word;
}

// 33^k modulo 2^32, for k from 0 to 24.
inline constexpr std::array<std::uint32_t, 25> kPowersOf33 = [] {
    std::array<std::uint32_t, 25> powers{};
    std::uint32_t power = 1;
    for (std::uint32_t& p : powers) {
        p = power;
        power *= 33U;
    }
    return powers;
}();

// A key's words, byte 0 in the lowest lane:
// - up to 3 bytes: the first, middle and last bytes (every byte) in `a`;
// - 4 to 8: the first 4 bytes in a's low half, the last 4 in its high half;
// - 9 to 16: the first 8 bytes in `a` and the last 8 in `b`;
// - 17 to 32: the first 16 bytes in `a` and `b`, the last 16 in `c` and `d`;
// - longer keys: the hash in `a`; their bytes are compared in place.
// Words that may overlap keep the exact length out of the branches.
struct KeyWords {
    std::uint64_t a = 0;
    std::uint64_t b = 0;
    std::uint64_t c = 0;
    std::uint64_t d = 0;

    [[nodiscard]] static KeyWords Of(std::string_view key) noexcept;
    // The same words of a key that was just copied (Find's by-value key),
    // read so that the processor can forward them from the copy's stores. A
    // copy of 5 to 15 bytes is two moves that overlap (4 or 8 bytes from each
    // end, in every memcpy we know of); a word that took bytes from both could
    // not be forwarded, and would wait until the copy left the processor,
    // that is, until every earlier look-up had finished. So the front word
    // is the first move's own bytes, read alone, and the back word's.
    [[nodiscard]] static KeyWords OfCopy(std::string_view key) noexcept;
};

// The hash of a key of more than 16 bytes, from its bytes.
[[nodiscard]] std::uint32_t Hash33Long(const char* p, std::size_t n) noexcept;

// Σ b_j · 33^(k - 1 - j) over the k bytes of a word (k = 4 or 8), byte 0 the
// lowest, each read as signed: k single steps of the hash from 0, as steps
// that each join neighbours (bytes, then pairs, then quads) in lanes.
[[nodiscard]] inline std::uint32_t Hash33Half(std::uint32_t word) noexcept {
    // Flipping each byte's top bit reads it as b + 128 in 0..255, which fits
    // the lanes; the 128s come off at the end, as 128 · (33³ + 33² + 33 + 1).
    const std::uint32_t x = word ^ 0x80808080U;
    const std::uint32_t pairs = (x & 0x00FF00FFU) * 33U + ((x >> 8U) & 0x00FF00FFU);  // < 2¹⁴ each
    return (pairs & 0xFFFFU) * 1089U + (pairs >> 16U) - 128U * 37060U;
}
[[nodiscard]] inline std::uint32_t Hash33Word(std::uint64_t word) noexcept {
    // As Hash33Half, a step further: the 128s are 128 · (33⁷ + ... + 1).
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

// The hash of the n bytes at p, whose words these are.
[[nodiscard]] inline std::uint32_t Hash33(const char* p, std::size_t n, const KeyWords& words) noexcept {
    if (n <= 8) {
        if (n >= 4) {
            // The last 4 bytes without those that the first 4 hold: lanes
            // below 8 - n cleared count 0.
            const auto back = static_cast<std::uint32_t>(words.a >> 32U) &
                              static_cast<std::uint32_t>(std::uint64_t{0xFFFFFFFFU} << (8 * (8 - n)));
            return kPowersOf33[n - 4] * Hash33Half(static_cast<std::uint32_t>(words.a)) + Hash33Half(back);
        }
        // The first, middle and last bytes, weighted by their places.
        static constexpr std::uint32_t kWeights[4][3] = {{0, 0, 0}, {1, 0, 0}, {33, 1, 0}, {1089, 33, 1}};
        const auto byte = [&words](unsigned at) {
            return static_cast<std::uint32_t>(
                static_cast<std::int32_t>(static_cast<signed char>(words.a >> at)));
        };
        return byte(0) * kWeights[n][0] + byte(8) * kWeights[n][1] + byte(16) * kWeights[n][2];
    }
    if (n > 16) {
        return n <= 32 ? Hash33Long(p, n) : static_cast<std::uint32_t>(words.a);
    }
    // Each word's bytes from 0; then the powers of 33 that place them. Lanes
    // of the back word that the front word holds too are cleared.
    const std::uint64_t all = ~std::uint64_t{0};
    return kPowersOf33[n - 8] * Hash33Word(words.a) + Hash33Word(words.b & (all << (8 * (16 - n))));
}

inline KeyWords KeyWords::Of(std::string_view key) noexcept {
    const char* const p = key.data();
    const std::size_t n = key.size();
    if (n <= 8) {
        if (n >= 4) {
            return {Load32(p) | std::uint64_t{Load32(p + n - 4)} << 32U};
        }
        if (n == 0) {
            return {};  // a view of no bytes may hold a null pointer
        }
        const auto byte = [p](std::size_t i) { return std::uint64_t{static_cast<unsigned char>(p[i])}; };
        return {byte(0) | byte(n / 2) << 8U | byte(n - 1) << 16U};
    }
    if (n <= 16) {
        return {Load64(p), Load64(p + n - 8)};
    }
    if (n <= 32) {
        return {Load64(p), Load64(p + 8), Load64(p + n - 16), Load64(p + n - 8)};
    }
    return {Hash33Long(p, n)};
}

inline KeyWords KeyWords::OfCopy(std::string_view key) noexcept {
    const char* const p = key.data();
    const std::size_t n = key.size();
    if (n < 5 || n > 15 || n == 8) {
        return Of(key);
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
        return {(front & 0xFFFFFFFFU) | back << 32U};
    }
    return {front, back};
}

// Whether `stored` has the length and bytes of `key`, whose words these are:
// compared word by word, without a call to memcmp, up to 32 bytes.
[[nodiscard]] inline bool SameKey(std::string_view stored, std::string_view key,
                                  const KeyWords& words) noexcept {
    const std::size_t n = key.size();
    if (stored.size() != n) {
        return false;
    }
    const char* const x = stored.data();
    if (n <= 8) {
        return n == 0 || KeyWords::Of(stored).a == words.a;
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

}  // namespace containers::detail
