#include "AllocationHooks.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Counted from every thread (the concurrency test allocates from several).
std::atomic<std::size_t> live{0};
std::atomic<std::size_t> requests{0};
std::size_t failAt = 0;
bool injected = false;
std::size_t sizeLimit = 0;
std::atomic<std::size_t> lastSize{0};
const void* volatile kept = nullptr;

// The block, or nullptr for a failed request: the armed one, one larger than
// the limit, or one that malloc cannot meet.
void* TryAllocate(std::size_t size, std::size_t alignment) noexcept {
    const std::size_t request = ++requests;
    lastSize = size;
    if (failAt != 0 && request == failAt) {
        failAt = 0;
        injected = true;
        return nullptr;
    }
    if (sizeLimit != 0 && size > sizeLimit) {
        return nullptr;
    }
    if (size == 0) {
        size = 1;
    }
    void* p = nullptr;
    if (alignment <= alignof(std::max_align_t)) {
        p = std::malloc(size);
    } else {
#ifdef _WIN32
        p = _aligned_malloc(size, alignment);
#else
        p = std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
#endif
    }
    if (p != nullptr) {
        ++live;
    }
    return p;
}

// The throwing forms: std::bad_alloc, or where exceptions are disabled, the
// end of the program.
[[maybe_unused]] void* Allocate(std::size_t size, std::size_t alignment) {
    void* const p = TryAllocate(size, alignment);
    if (p == nullptr) {
#if defined(__cpp_exceptions) || defined(_CPPUNWIND)
        throw std::bad_alloc();
#else
        std::abort();
#endif
    }
    return p;
}

[[maybe_unused]] void Release(void* p, std::size_t alignment) noexcept {
    if (p == nullptr) {
        return;
    }
    --live;
    if (alignment <= alignof(std::max_align_t)) {
        std::free(p);
    } else {
#ifdef _WIN32
        _aligned_free(p);
#else
        std::free(p);
#endif
    }
}

[[maybe_unused]] constexpr std::size_t kPlain = alignof(std::max_align_t);

}  // namespace

namespace allochooks {

std::size_t Live() { return live; }
std::size_t Requests() { return requests; }
std::size_t LastRequestSize() { return lastSize; }
void FailRequest(std::size_t n) {
    failAt = n == 0 ? 0 : requests + n;
    injected = false;
}
bool Injected() { return injected; }
void RefuseLargerThan(std::size_t bytes) { sizeLimit = bytes; }
void Keep(const void* address) { kept = address; }

}  // namespace allochooks

// ThreadSanitizer's runtime brings an operator new and delete of its own,
// so under it nothing is replaced, counted or failed: the `tsan` leg runs
// only the concurrency test.
#if defined(__SANITIZE_THREAD__)
#define CONTAINERS_TEST_UNDER_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define CONTAINERS_TEST_UNDER_TSAN 1
#endif
#endif
#ifndef CONTAINERS_TEST_UNDER_TSAN
void* operator new(std::size_t size) { return Allocate(size, kPlain); }
void* operator new[](std::size_t size) { return Allocate(size, kPlain); }
void* operator new(std::size_t size, std::align_val_t a) {
    return Allocate(size, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t size, std::align_val_t a) {
    return Allocate(size, static_cast<std::size_t>(a));
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return TryAllocate(size, kPlain); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return TryAllocate(size, kPlain); }

void operator delete(void* p) noexcept { Release(p, kPlain); }
void operator delete[](void* p) noexcept { Release(p, kPlain); }
void operator delete(void* p, std::size_t) noexcept { Release(p, kPlain); }
void operator delete[](void* p, std::size_t) noexcept { Release(p, kPlain); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p, kPlain); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p, kPlain); }
void operator delete(void* p, std::align_val_t a) noexcept { Release(p, static_cast<std::size_t>(a)); }
void operator delete[](void* p, std::align_val_t a) noexcept { Release(p, static_cast<std::size_t>(a)); }
void operator delete(void* p, std::size_t, std::align_val_t a) noexcept {
    Release(p, static_cast<std::size_t>(a));
}
void operator delete[](void* p, std::size_t, std::align_val_t a) noexcept {
    Release(p, static_cast<std::size_t>(a));
}
#endif
