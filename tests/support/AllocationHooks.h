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

// From now on, fail the `n`-th allocation request (1 = the next one) with
// std::bad_alloc, once. 0 disarms.
void FailRequest(std::size_t n);

// Whether an armed failure has been injected since the last FailRequest.
bool Injected();

// Refuse (with std::bad_alloc) every request larger than `bytes`; 0 lifts
// the limit.
void RefuseLargerThan(std::size_t bytes);

}  // namespace allochooks
