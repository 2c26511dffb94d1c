// Stack and queue against the standard library's.

#include "BenchSupport.h"

#include <containers/ArrayStack.h>
#include <containers/CircularQueue.h>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <queue>
#include <vector>

namespace {

using benchsupport::kMaxN;
using benchsupport::kMinN;

// Push n, then pop n, on a fresh stack.
void OURS(StackPushPop)(benchmark::State& state) {
    const auto n = static_cast<std::int32_t>(state.range(0));
    for (auto _ : state) {
        containers::ArrayStack s;
        for (std::int32_t i = 0; i < n; ++i) {
            s.Push(i);
        }
        for (std::int32_t i = 0; i < n; ++i) {
            benchmark::DoNotOptimize(s.Pop());
        }
    }
    state.SetItemsProcessed(state.iterations() * n);
}

void StackPushPop_Vector(benchmark::State& state) {
    const auto n = static_cast<std::int32_t>(state.range(0));
    for (auto _ : state) {
        std::vector<std::int32_t> s;
        for (std::int32_t i = 0; i < n; ++i) {
            s.push_back(i);
        }
        for (std::int32_t i = 0; i < n; ++i) {
            benchmark::DoNotOptimize(s.back());
            s.pop_back();
        }
    }
    state.SetItemsProcessed(state.iterations() * n);
}

// Fill to n, then n rounds of one enqueue and one dequeue (the ring wraps),
// then drain.
void OURS(QueueSteadyState)(benchmark::State& state) {
    const auto n = static_cast<std::int32_t>(state.range(0));
    for (auto _ : state) {
        containers::CircularQueue q;
        for (std::int32_t i = 0; i < n; ++i) {
            q.Enqueue(i);
        }
        for (std::int32_t i = 0; i < n; ++i) {
            q.Enqueue(i);
            benchmark::DoNotOptimize(q.Dequeue());
        }
        for (std::int32_t i = 0; i < n; ++i) {
            benchmark::DoNotOptimize(q.Dequeue());
        }
    }
    state.SetItemsProcessed(state.iterations() * n);
}

void QueueSteadyState_StdQueue(benchmark::State& state) {
    const auto n = static_cast<std::int32_t>(state.range(0));
    for (auto _ : state) {
        std::queue<std::int32_t> q;
        for (std::int32_t i = 0; i < n; ++i) {
            q.push(i);
        }
        for (std::int32_t i = 0; i < n; ++i) {
            q.push(i);
            benchmark::DoNotOptimize(q.front());
            q.pop();
        }
        for (std::int32_t i = 0; i < n; ++i) {
            benchmark::DoNotOptimize(q.front());
            q.pop();
        }
    }
    state.SetItemsProcessed(state.iterations() * n);
}

BENCH_OURS(StackPushPop)->RangeMultiplier(4)->Range(kMinN, kMaxN);
BENCH_OURS(QueueSteadyState)->RangeMultiplier(4)->Range(kMinN, kMaxN);

#ifndef CONTAINERS_BENCH_OURS_ONLY
BENCHMARK(StackPushPop_Vector)->RangeMultiplier(4)->Range(kMinN, kMaxN);
BENCHMARK(QueueSteadyState_StdQueue)->RangeMultiplier(4)->Range(kMinN, kMaxN);
#endif

}  // namespace
