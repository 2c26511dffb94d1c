// The string hash table against std::unordered_map and absl::flat_hash_map,
// all mapping the same keys to the same HashEntry pointers.

#include "BenchSupport.h"

#include <containers/HashEntry.h>
#include <containers/HashTable.h>

#include <absl/container/flat_hash_map.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

using benchsupport::KeyKind;
using benchsupport::kMaxN;
using benchsupport::kMinN;
using containers::HashEntry;
using containers::HashTable;

struct Inputs {
    std::vector<std::string> keys;
    std::vector<std::unique_ptr<HashEntry>> entries;
    std::vector<std::string> lookups;  // the same keys, shuffled
    std::vector<std::string> absent;   // keys of the same lengths that none of them equals, shuffled
};

Inputs MakeInputs(std::size_t n, KeyKind kind) {
    Inputs in;
    in.keys = benchsupport::Keys(n, kind, &in.absent);
    for (std::size_t i = 0; i < n; ++i) {
        in.entries.push_back(std::make_unique<HashEntry>(static_cast<std::int32_t>(i), in.keys[i]));
    }
    in.lookups = benchsupport::Shuffled(in.keys);
    in.absent = benchsupport::Shuffled(std::move(in.absent));
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
// is measured once per key length, beside the Load50 cells.
void HashFind_KeyCopyOnly(benchmark::State& state, KeyKind kind) {
    const auto n = static_cast<std::size_t>(state.range(0));
    const Inputs in = MakeInputs(n, kind);
    for (auto _ : state) {
        for (const std::string& key : in.lookups) {
            std::string copy(key);
            benchmark::DoNotOptimize(copy.data());
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * n));
}

// The peer maps' own load does not depend on the cell's: they choose it.
template <typename Map>
void HashFind_Peer(benchmark::State& state, KeyKind kind, bool absent) {
    const auto n = static_cast<std::size_t>(state.range(0));
    const Inputs in = MakeInputs(n, kind);
    Map map;
    for (const auto& entry : in.entries) {
        map.emplace(entry->Key(), entry.get());
    }
    for (auto _ : state) {
        for (const std::string& key : absent ? in.absent : in.lookups) {
            const auto found = map.find(key);
            benchmark::DoNotOptimize(found != map.end() ? found->second : nullptr);
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

void HashFind_StdUnordered(benchmark::State& state, KeyKind kind, bool /*nearlyFull*/) {
    HashFind_Peer<StdMap>(state, kind, false);
}
void HashFind_Absl(benchmark::State& state, KeyKind kind, bool /*nearlyFull*/) {
    HashFind_Peer<AbslMap>(state, kind, false);
}
void HashFindAbsent_StdUnordered(benchmark::State& state, KeyKind kind, bool /*nearlyFull*/) {
    HashFind_Peer<StdMap>(state, kind, true);
}
void HashFindAbsent_Absl(benchmark::State& state, KeyKind kind, bool /*nearlyFull*/) {
    HashFind_Peer<AbslMap>(state, kind, true);
}
void HashInsert_StdUnordered(benchmark::State& state, KeyKind kind, bool /*nearlyFull*/) {
    HashInsert_Peer<StdMap>(state, kind);
}
void HashInsert_Absl(benchmark::State& state, KeyKind kind, bool /*nearlyFull*/) {
    HashInsert_Peer<AbslMap>(state, kind);
}

// Each cell: tiny, short or 32-byte keys, at load 0.5 or nearly full.
#define HASH_CELL(fn, name, ...) \
    BENCHMARK_CAPTURE(fn, name, __VA_ARGS__)->RangeMultiplier(4)->Range(kMinN, kMaxN)
#define HASH_CELLS(fn)                                  \
    HASH_CELL(fn, Tiny_Load50, KeyKind::Tiny, false);   \
    HASH_CELL(fn, Tiny_Load89, KeyKind::Tiny, true);    \
    HASH_CELL(fn, Short_Load50, KeyKind::Short, false); \
    HASH_CELL(fn, Short_Load89, KeyKind::Short, true);  \
    HASH_CELL(fn, Long_Load50, KeyKind::Long, false);   \
    HASH_CELL(fn, Long_Load89, KeyKind::Long, true)

HASH_CELLS(OURS(HashFind));
HASH_CELLS(OURS_BY_VIEW(HashFind));
HASH_CELLS(OURS(HashFindAbsent));
HASH_CELLS(OURS_BY_VIEW(HashFindAbsent));
HASH_CELLS(OURS(HashInsert));
#ifndef CONTAINERS_BENCH_OURS_ONLY
HASH_CELLS(HashFind_StdUnordered);
HASH_CELLS(HashFind_Absl);
HASH_CELLS(HashFindAbsent_StdUnordered);
HASH_CELLS(HashFindAbsent_Absl);
HASH_CELL(HashFind_KeyCopyOnly, Tiny_Load50, KeyKind::Tiny);
HASH_CELL(HashFind_KeyCopyOnly, Short_Load50, KeyKind::Short);
HASH_CELL(HashFind_KeyCopyOnly, Long_Load50, KeyKind::Long);
HASH_CELLS(HashInsert_StdUnordered);
HASH_CELLS(HashInsert_Absl);
#endif

}  // namespace
