// The string hash table against std::unordered_map, absl::flat_hash_map,
// boost::unordered_flat_map (where Boost 1.81 or later is installed) and an
// absl::flat_hash_set of entry pointers, all holding the same keys' entries.

#include "BenchSupport.h"

#include <containers/HashEntry.h>
#include <containers/HashTable.h>

#include <absl/container/flat_hash_map.h>
#include <absl/container/flat_hash_set.h>
#include <absl/hash/hash.h>
#include <benchmark/benchmark.h>
#if __has_include(<boost/unordered/unordered_flat_map.hpp>)
#include <boost/unordered/unordered_flat_map.hpp>
#define CONTAINERS_BENCH_BOOST 1
#endif

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <vector>

namespace {

using benchsupport::KeyKind;
using benchsupport::kMaxN;
using benchsupport::kMinN;
using containers::HashEntry;
using containers::HashTable;

// The shape's shared keys, and an entry for each, made afresh for each run as
// a program makes them: one allocation each.
struct Inputs {
    const std::vector<std::string>& lookups;
    const std::vector<std::string>& absent;
    std::vector<std::unique_ptr<HashEntry>> entries;
};

Inputs MakeInputs(std::size_t n, KeyKind kind) {
    const benchsupport::KeySet& set = benchsupport::KeysFor(n, kind);
    Inputs in{set.lookups, set.absent, {}};
    for (std::size_t i = 0; i < n; ++i) {
        in.entries.push_back(std::make_unique<HashEntry>(static_cast<std::int32_t>(i), set.keys[i]));
    }
    return in;
}

// Slots for n keys: twice as many (load 0.5), or 9n/8 (load about 0.89).
std::uint32_t CapacityFor(std::size_t n, bool nearlyFull) {
    return static_cast<std::uint32_t>(nearlyFull ? n * 9 / 8 : n * 2);
}

// Looks each of n stored keys (or n absent ones) up once per iteration
// through `find`.
template <typename FindFn>
void FindEveryKey(benchmark::State& state, KeyKind kind, bool nearlyFull, bool absent, FindFn find) {
    const auto n = static_cast<std::size_t>(state.range(0));
    const Inputs in = MakeInputs(n, kind);
    HashTable table(CapacityFor(n, nearlyFull));
    for (const auto& entry : in.entries) {
        table.Insert(entry.get());
    }
    if (table.Count() != n) {
        state.SkipWithError("not every key was stored");
    }
    for (auto _ : state) {
        for (const std::string& key : absent ? in.absent : in.lookups) {
            benchmark::DoNotOptimize(find(table, key));
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * n));
}

// Find's specified form, which takes a copy of the key.
const auto kFindByCopy = [](const HashTable& table, const std::string& key) { return table.Find(key); };
// Find's std::string_view form, which copies nothing.
const auto kFindByView = [](const HashTable& table, const std::string& key) {
    return table.Find(std::string_view(key));
};

void OURS(HashFind)(benchmark::State& state, KeyKind kind, bool nearlyFull) {
    FindEveryKey(state, kind, nearlyFull, false, kFindByCopy);
}
void OURS_BY_VIEW(HashFind)(benchmark::State& state, KeyKind kind, bool nearlyFull) {
    FindEveryKey(state, kind, nearlyFull, false, kFindByView);
}
void OURS(HashFindAbsent)(benchmark::State& state, KeyKind kind, bool nearlyFull) {
    FindEveryKey(state, kind, nearlyFull, true, kFindByCopy);
}
void OURS_BY_VIEW(HashFindAbsent)(benchmark::State& state, KeyKind kind, bool nearlyFull) {
    FindEveryKey(state, kind, nearlyFull, true, kFindByView);
}

// Only the copy of each key that Find's by-value parameter makes: the part of
// Find's time that the interface fixes. It does not depend on the load, so it
// is measured once per key shape.
void HashFind_KeyCopyOnly(benchmark::State& state, KeyKind kind) {
    const auto n = static_cast<std::size_t>(state.range(0));
    const std::vector<std::string>& lookups = benchsupport::KeysFor(n, kind).lookups;  // no entries needed
    for (auto _ : state) {
        for (const std::string& key : lookups) {
            std::string copy(key);
            benchmark::DoNotOptimize(copy.data());
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * n));
}

// Abseil with our ownership: a set of entry pointers, hashed and compared by
// the entries' keys and looked up by a view, so that, like ours, a look-up
// loads a slot and then its entry.
struct EntryKeyHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view key) const { return absl::Hash<std::string_view>{}(key); }
    std::size_t operator()(const HashEntry* entry) const { return (*this)(std::string_view(entry->Key())); }
};
struct EntryKeyEq {
    using is_transparent = void;
    static std::string_view KeyOf(std::string_view key) { return key; }
    static std::string_view KeyOf(const HashEntry* entry) { return entry->Key(); }
    template <typename A, typename B>
    bool operator()(const A& a, const B& b) const {
        return KeyOf(a) == KeyOf(b);
    }
};
using AbslEntrySet = absl::flat_hash_set<HashEntry*, EntryKeyHash, EntryKeyEq>;

// The peers' own load does not depend on the cell's: they choose it, so they
// are measured once per key shape.
template <typename Map>
void HashFind_Peer(benchmark::State& state, KeyKind kind, bool absent) {
    const auto n = static_cast<std::size_t>(state.range(0));
    const Inputs in = MakeInputs(n, kind);
    Map map;
    for (const auto& entry : in.entries) {
        if constexpr (std::is_same_v<Map, AbslEntrySet>) {
            map.insert(entry.get());
        } else {
            map.emplace(entry->Key(), entry.get());
        }
    }
    for (auto _ : state) {
        for (const std::string& key : absent ? in.absent : in.lookups) {
            if constexpr (std::is_same_v<Map, AbslEntrySet>) {
                const auto found = map.find(std::string_view(key));
                benchmark::DoNotOptimize(found != map.end() ? *found : nullptr);
            } else {
                const auto found = map.find(key);
                benchmark::DoNotOptimize(found != map.end() ? found->second : nullptr);
            }
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * n));
}

void OURS(HashInsert)(benchmark::State& state, KeyKind kind, bool nearlyFull) {
    const auto n = static_cast<std::size_t>(state.range(0));
    const Inputs in = MakeInputs(n, kind);
    for (auto _ : state) {
        HashTable table(CapacityFor(n, nearlyFull));
        for (const auto& entry : in.entries) {
            table.Insert(entry.get());
        }
        benchmark::DoNotOptimize(table.Count());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * n));
}

template <typename Map>
void HashInsert_Peer(benchmark::State& state, KeyKind kind) {
    const auto n = static_cast<std::size_t>(state.range(0));
    const Inputs in = MakeInputs(n, kind);
    for (auto _ : state) {
        Map map;
        map.reserve(n);
        for (const auto& entry : in.entries) {
            map.emplace(entry->Key(), entry.get());
        }
        benchmark::DoNotOptimize(map.size());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * n));
}

using StdMap = std::unordered_map<std::string, HashEntry*>;
using AbslMap = absl::flat_hash_map<std::string, HashEntry*>;

void HashFind_StdUnordered(benchmark::State& state, KeyKind kind) {
    HashFind_Peer<StdMap>(state, kind, false);
}
void HashFind_Absl(benchmark::State& state, KeyKind kind) { HashFind_Peer<AbslMap>(state, kind, false); }
void HashFind_AbslEntrySet(benchmark::State& state, KeyKind kind) {
    HashFind_Peer<AbslEntrySet>(state, kind, false);
}
void HashFindAbsent_StdUnordered(benchmark::State& state, KeyKind kind) {
    HashFind_Peer<StdMap>(state, kind, true);
}
void HashFindAbsent_Absl(benchmark::State& state, KeyKind kind) { HashFind_Peer<AbslMap>(state, kind, true); }
void HashFindAbsent_AbslEntrySet(benchmark::State& state, KeyKind kind) {
    HashFind_Peer<AbslEntrySet>(state, kind, true);
}
void HashInsert_StdUnordered(benchmark::State& state, KeyKind kind) { HashInsert_Peer<StdMap>(state, kind); }
void HashInsert_Absl(benchmark::State& state, KeyKind kind) { HashInsert_Peer<AbslMap>(state, kind); }
#ifdef CONTAINERS_BENCH_BOOST
using BoostMap = boost::unordered_flat_map<std::string, HashEntry*>;
void HashFind_Boost(benchmark::State& state, KeyKind kind) { HashFind_Peer<BoostMap>(state, kind, false); }
void HashFindAbsent_Boost(benchmark::State& state, KeyKind kind) {
    HashFind_Peer<BoostMap>(state, kind, true);
}
#endif

// Each of ours at load 0.5 and nearly full, a peer once, for every key shape.
#define HASH_CELL(fn, name, ...) \
    BENCHMARK_CAPTURE(fn, name, __VA_ARGS__)->RangeMultiplier(4)->Range(kMinN, kMaxN)
#define HASH_CELLS_OF(fn, keys)                         \
    HASH_CELL(fn, keys##_Load50, KeyKind::keys, false); \
    HASH_CELL(fn, keys##_Load89, KeyKind::keys, true)
#define HASH_PEER_OF(fn, keys) HASH_CELL(fn, keys, KeyKind::keys)
#define HASH_EVERY_SHAPE(cells, fn) \
    cells(fn, Tiny);                \
    cells(fn, Short);               \
    cells(fn, Long);                \
    cells(fn, Decimal);             \
    cells(fn, Ids);                 \
    cells(fn, Urls);                \
    cells(fn, Uuids)

HASH_EVERY_SHAPE(HASH_CELLS_OF, OURS(HashFind));
HASH_EVERY_SHAPE(HASH_CELLS_OF, OURS_BY_VIEW(HashFind));
HASH_EVERY_SHAPE(HASH_CELLS_OF, OURS(HashFindAbsent));
HASH_EVERY_SHAPE(HASH_CELLS_OF, OURS_BY_VIEW(HashFindAbsent));
HASH_EVERY_SHAPE(HASH_CELLS_OF, OURS(HashInsert));
#ifndef CONTAINERS_BENCH_OURS_ONLY
HASH_EVERY_SHAPE(HASH_PEER_OF, HashFind_StdUnordered);
HASH_EVERY_SHAPE(HASH_PEER_OF, HashFind_Absl);
HASH_EVERY_SHAPE(HASH_PEER_OF, HashFind_AbslEntrySet);
HASH_EVERY_SHAPE(HASH_PEER_OF, HashFindAbsent_StdUnordered);
HASH_EVERY_SHAPE(HASH_PEER_OF, HashFindAbsent_Absl);
HASH_EVERY_SHAPE(HASH_PEER_OF, HashFindAbsent_AbslEntrySet);
#ifdef CONTAINERS_BENCH_BOOST
HASH_EVERY_SHAPE(HASH_PEER_OF, HashFind_Boost);
HASH_EVERY_SHAPE(HASH_PEER_OF, HashFindAbsent_Boost);
#endif
HASH_EVERY_SHAPE(HASH_PEER_OF, HashFind_KeyCopyOnly);
HASH_EVERY_SHAPE(HASH_PEER_OF, HashInsert_StdUnordered);
HASH_EVERY_SHAPE(HASH_PEER_OF, HashInsert_Absl);
#endif

}  // namespace
