#pragma once

// Inputs shared by the benchmarks: the same values and keys for our
// containers and for their peers.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace benchsupport {

constexpr std::int64_t kMinN = std::int64_t{1} << 8;
constexpr std::int64_t kMaxN = std::int64_t{1} << 20;

inline std::mt19937_64& Rng() {
    static std::mt19937_64 rng(20261208);
    return rng;
}

// `n` distinct keys: of 5 to 15 bytes (short, stored inline by std::string)
// or of exactly 32 bytes.
inline std::vector<std::string> Keys(std::size_t n, bool longKeys) {
    static const char alphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::mt19937_64 rng(n * 2 + (longKeys ? 1 : 0));
    std::vector<std::string> keys;
    keys.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        // A distinct prefix from the index, a separator, then random filler.
        std::string key = std::to_string(i) + '-';
        const std::size_t length = longKeys ? 32 : 5 + rng() % 11;
        while (key.size() < length) {
            key += alphabet[rng() % (sizeof(alphabet) - 1)];
        }
        std::rotate(key.begin(), key.begin() + static_cast<std::ptrdiff_t>(key.size() / 2), key.end());
        keys.push_back(std::move(key));
    }
    return keys;
}

template <typename T>
std::vector<T> Shuffled(std::vector<T> items) {
    std::shuffle(items.begin(), items.end(), Rng());
    return items;
}

}  // namespace benchsupport
