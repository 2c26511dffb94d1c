// The cursor list against std::list.

#include "BenchSupport.h"

#include <containers/List.h>
#include <containers/ListNode.h>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <iterator>
#include <list>
#include <vector>

namespace {

using benchsupport::kMaxN;
using benchsupport::kMinN;

constexpr std::int64_t kMaxRandomN = std::int64_t{1} << 16;
constexpr std::int32_t kRandomReads = 1024;

std::int32_t value = 1;

// Add n nodes, then Clear; each node is one allocation on both sides.
void OURS(ListAddClear)(benchmark::State& state) {
    const auto n = static_cast<std::int32_t>(state.range(0));
    containers::List list;
    for (auto _ : state) {
        for (std::int32_t i = 0; i < n; ++i) {
            list.Add(new containers::ListNode(&value));
        }
        list.Clear();
    }
    state.SetItemsProcessed(state.iterations() * n);
}

void ListAddClear_StdList(benchmark::State& state) {
    const auto n = static_cast<std::int32_t>(state.range(0));
    std::list<std::int32_t*> list;
    for (auto _ : state) {
        for (std::int32_t i = 0; i < n; ++i) {
            list.push_back(&value);
        }
        list.clear();
    }
    state.SetItemsProcessed(state.iterations() * n);
}

// Get(0), Get(1), ... in order, against iterating the list.
void OURS(ListInOrder)(benchmark::State& state) {
    const auto n = static_cast<std::int32_t>(state.range(0));
    containers::List list;
    for (std::int32_t i = 0; i < n; ++i) {
        list.Add(new containers::ListNode(&value));
    }
    for (auto _ : state) {
        for (std::int32_t i = 0; i < n; ++i) {
            benchmark::DoNotOptimize(list.Get(i)->Data());
        }
    }
    state.SetItemsProcessed(state.iterations() * n);
}

void ListInOrder_StdList(benchmark::State& state) {
    const auto n = static_cast<std::int32_t>(state.range(0));
    const std::list<std::int32_t*> list(static_cast<std::size_t>(n), &value);
    for (auto _ : state) {
        for (std::int32_t* data : list) {
            benchmark::DoNotOptimize(data);
        }
    }
    state.SetItemsProcessed(state.iterations() * n);
}

std::vector<std::int32_t> RandomPositions(std::int32_t n) {
    std::vector<std::int32_t> positions(kRandomReads);
    for (std::int32_t& p : positions) {
        p = static_cast<std::int32_t>(benchsupport::Rng()() % static_cast<std::uint64_t>(n));
    }
    return positions;
}

// Get at random positions, against std::next from the beginning.
void OURS(ListRandomGet)(benchmark::State& state) {
    const auto n = static_cast<std::int32_t>(state.range(0));
    containers::List list;
    for (std::int32_t i = 0; i < n; ++i) {
        list.Add(new containers::ListNode(&value));
    }
    const std::vector<std::int32_t> positions = RandomPositions(n);
    for (auto _ : state) {
        for (const std::int32_t p : positions) {
            benchmark::DoNotOptimize(list.Get(p)->Data());
        }
    }
    state.SetItemsProcessed(state.iterations() * kRandomReads);
}

void ListRandomGet_StdList(benchmark::State& state) {
    const auto n = static_cast<std::int32_t>(state.range(0));
    const std::list<std::int32_t*> list(static_cast<std::size_t>(n), &value);
    const std::vector<std::int32_t> positions = RandomPositions(n);
    for (auto _ : state) {
        for (const std::int32_t p : positions) {
            benchmark::DoNotOptimize(*std::next(list.begin(), p));
        }
    }
    state.SetItemsProcessed(state.iterations() * kRandomReads);
}

BENCH_OURS(ListAddClear)->RangeMultiplier(4)->Range(kMinN, kMaxN);
BENCH_OURS(ListInOrder)->RangeMultiplier(4)->Range(kMinN, kMaxN);
BENCH_OURS(ListRandomGet)->RangeMultiplier(4)->Range(kMinN, kMaxRandomN);

#ifndef CONTAINERS_BENCH_OURS_ONLY
BENCHMARK(ListAddClear_StdList)->RangeMultiplier(4)->Range(kMinN, kMaxN);
BENCHMARK(ListInOrder_StdList)->RangeMultiplier(4)->Range(kMinN, kMaxN);
BENCHMARK(ListRandomGet_StdList)->RangeMultiplier(4)->Range(kMinN, kMaxRandomN);
#endif

}  // namespace
