#pragma once

// Inputs shared by the benchmarks: the same values and keys for our
// containers and for their peers.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

// Our benchmarks are named <Family>_Ours, or <Family>_OursFast in the copy
// that bench/CMakeLists.txt builds at the fast hardening level, so that one
// run measures both: OURS(Family) names the function, BENCH_OURS(Family)
// registers it. That copy defines CONTAINERS_BENCH_OURS_ONLY and registers
// no peers.
#ifndef CONTAINERS_BENCH_OURS
#define CONTAINERS_BENCH_OURS Ours
#endif
#define BENCH_PASTE_EXPANDED(a, b) a##_##b
#define BENCH_PASTE(a, b) BENCH_PASTE_EXPANDED(a, b)
#define BENCH_CAT_EXPANDED(a, b) a##b
#define BENCH_CAT(a, b) BENCH_CAT_EXPANDED(a, b)
#define OURS(family) BENCH_PASTE(family, CONTAINERS_BENCH_OURS)
// Find's std::string_view form: <Family>_OursByView (or _OursFastByView).
#define OURS_BY_VIEW(family) BENCH_PASTE(family, BENCH_CAT(CONTAINERS_BENCH_OURS, ByView))
#define BENCH_REGISTER(function) BENCHMARK(function)
#define BENCH_OURS(family) BENCH_REGISTER(OURS(family))

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
