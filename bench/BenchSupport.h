#pragma once

// Inputs shared by the benchmarks: the same values and keys for our
// containers and for their peers.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory_resource>
#include <random>
#include <string>
#include <unordered_set>
#include <utility>
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

// What the hash benchmarks' keys look like: random letters and digits of
// three lengths, and the shapes that programs use.
enum class KeyKind {
    Tiny,     // 1 to 5 bytes
    Short,    // 6 to 15 bytes (kept inline by std::string)
    Long,     // 32 bytes
    Decimal,  // decimal numbers in order: "0", "1", ... "n-1"
    Ids,      // sequential ids: "user00000000", "user00000001", ...
    Urls,     // "https://<one of 4 hosts>/<word>/<word>/<number>", 34 to 50 bytes
    Uuids,    // random version-4 UUIDs, "xxxxxxxx-xxxx-4xxx-yxxx-xxxxxxxxxxxx"
};

// The i-th key of a shape that numbers its keys; `absent` keys go on from n.
inline std::string NumberedKey(KeyKind kind, std::size_t i) {
    static const char* const hosts[] = {"www.example.com", "shop.example.org", "api.example.net",
                                        "cdn.example.io"};
    static const char* const words[] = {"products", "category", "users", "search",  "static", "images",
                                        "posts",    "docs",     "cart",  "account", "blog",   "api"};
    char key[96];
    if (kind == KeyKind::Decimal) {
        std::snprintf(key, sizeof key, "%zu", i);
    } else if (kind == KeyKind::Ids) {
        std::snprintf(key, sizeof key, "user%08zu", i);
    } else {
        std::snprintf(key, sizeof key, "https://%s/%s/%s/%zu", hosts[i % 4], words[i / 4 % 12],
                      words[i / 48 % 12], i);
    }
    return key;
}

inline std::string Uuid(std::mt19937_64& rng) {
    const std::uint64_t high = (rng() & ~std::uint64_t{0xF000}) | 0x4000;                      // version 4
    const std::uint64_t low = (rng() & ~(std::uint64_t{3} << 62U)) | std::uint64_t{2} << 62U;  // variant 1
    char key[40];
    std::snprintf(key, sizeof key, "%08x-%04x-%04x-%04x-%012llx", static_cast<unsigned>(high >> 32U),
                  static_cast<unsigned>(high >> 16U & 0xFFFF), static_cast<unsigned>(high & 0xFFFF),
                  static_cast<unsigned>(low >> 48U), static_cast<unsigned long long>(low & 0xFFFFFFFFFFFFU));
    return key;
}

// `n` distinct keys of `kind`, and `n` more of the same shape that none of
// them equals (`absent`). Tiny keys have each length from 1 to 5 alike, as
// far as there are keys of that length left; short and long keys begin,
// before their halves are swapped, with their index and a separator, which
// the absent keys change; numbered shapes go on from n for absent keys.
inline std::vector<std::string> Keys(std::size_t n, KeyKind kind,
                                     std::vector<std::string>* absent = nullptr) {
    static const char alphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    constexpr std::size_t kLetters = sizeof(alphabet) - 1;
    std::mt19937_64 rng(n * 3 + static_cast<std::size_t>(kind));
    const auto letter = [&rng] { return alphabet[rng() % kLetters]; };
    std::vector<std::string> keys;
    keys.reserve(n);
    if (kind == KeyKind::Decimal || kind == KeyKind::Ids || kind == KeyKind::Urls) {
        for (std::size_t i = 0; i < n; ++i) {
            keys.push_back(NumberedKey(kind, i));
            if (absent != nullptr) {
                absent->push_back(NumberedKey(kind, n + i));
            }
        }
        return keys;
    }
    if (kind == KeyKind::Tiny || kind == KeyKind::Uuids) {
        // 2n distinct keys; the odd-numbered ones are the absent keys, so
        // both halves are drawn alike. The keys drawn are remembered in a
        // pool of their own, so that the heap keeps none of the set's nodes
        // to hand out to a benchmark later.
        std::pmr::monotonic_buffer_resource pool;
        std::pmr::unordered_set<std::pmr::string> seen(&pool);
        std::size_t left[6] = {0, kLetters};  // tiny keys of each length not yet drawn
        for (std::size_t length = 2; length <= 5; ++length) {
            left[length] = left[length - 1] * kLetters;
        }
        const std::size_t wanted = absent != nullptr ? 2 * n : n;
        while (seen.size() < wanted) {
            std::string key;
            if (kind == KeyKind::Uuids) {
                key = Uuid(rng);
            } else {
                const std::size_t length = 1 + rng() % 5;
                if (left[length] == 0) {
                    continue;
                }
                while (key.size() < length) {
                    key += letter();
                }
            }
            if (!seen.emplace(key.data(), key.size()).second) {
                continue;
            }
            if (kind == KeyKind::Tiny) {
                --left[key.size()];
            }
            (absent == nullptr || seen.size() % 2 == 1 ? keys : *absent).push_back(std::move(key));
        }
        return keys;
    }
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t length = kind == KeyKind::Long ? 32 : 6 + rng() % 10;
        std::string key;
        key.reserve(length);  // no intermediate buffer for the heap to keep
        key += std::to_string(i) + '-';
        while (key.size() < length) {
            key += letter();
        }
        std::rotate(key.begin(), key.begin() + static_cast<std::ptrdiff_t>(key.size() / 2), key.end());
        if (absent != nullptr) {
            std::string other = key;
            other[other.find('-')] = '_';  // the one separator; the filler has neither
            absent->push_back(std::move(other));
        }
        keys.push_back(std::move(key));
    }
    return keys;
}

template <typename T>
std::vector<T> Shuffled(std::vector<T> items) {
    std::shuffle(items.begin(), items.end(), Rng());
    return items;
}

// A shape's n keys, the same keys shuffled, and n absent keys, shuffled,
// shared by every benchmark, also those of the copy of the library measured
// beside ours, so that each looks the same keys up in the same order and the
// same memory. Every shape's keys at every n are made together, the first
// time any are asked for: made one by one between benchmarks, they would
// leave the heap in a different state for each run's random order, and
// node-based peers, whose nodes then lie close together or far apart,
// measured up to 3 times faster in one run than in another.
struct KeySet {
    std::vector<std::string> keys;
    std::vector<std::string> lookups;
    std::vector<std::string> absent;
};
inline const KeySet& KeysFor(std::size_t n, KeyKind kind) {
    static const std::map<std::pair<std::size_t, KeyKind>, KeySet> made = [] {
        std::map<std::pair<std::size_t, KeyKind>, KeySet> all;
        for (const KeyKind shape : {KeyKind::Tiny, KeyKind::Short, KeyKind::Long, KeyKind::Decimal,
                                    KeyKind::Ids, KeyKind::Urls, KeyKind::Uuids}) {
            for (auto size = static_cast<std::size_t>(kMinN); size <= static_cast<std::size_t>(kMaxN);
                 size *= 4) {
                KeySet& set = all[{size, shape}];
                set.keys = Keys(size, shape, &set.absent);
                set.lookups = Shuffled(set.keys);
                set.absent = Shuffled(std::move(set.absent));
            }
        }
        return all;
    }();
    return made.at({n, kind});
}

}  // namespace benchsupport
