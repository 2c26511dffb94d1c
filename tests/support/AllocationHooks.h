#pragma once

// Replacements of the global operator new and delete for every test binary:
// they count live allocations, which LeakCheck.cpp checks around each test,
// and can fail a chosen allocation, so that tests can check what every
// allocation failure leaves behind.

#include <cstddef>

namespace allochooks {

// Allocations made through operator new (any form) and not yet deleted.
std::size_t Live();

// Allocation requests seen so far, failed ones included.
std::size_t Requests();

// The size in bytes of the latest request, failed or not.
std::size_t LastRequestSize();

// From now on, fail the `n`-th allocation request (1 = the next one), once:
// the throwing forms throw std::bad_alloc, the nothrow forms return nullptr.
// 0 disarms.
void FailRequest(std::size_t n);

// Whether an armed failure has been injected since the last FailRequest.
bool Injected();

// Fail, as above, every request larger than `bytes`; 0 lifts the limit.
void RefuseLargerThan(std::size_t bytes);

// Makes the object at `address` reachable from outside, so that the compiler
// must really make the allocations it holds. Without it, an optimiser may
// leave out a new[] and delete[] pair that nothing reads (C++14 allows it),
// and an armed failure then hits a later allocation instead.
void Keep(const void* address);

}  // namespace allochooks
