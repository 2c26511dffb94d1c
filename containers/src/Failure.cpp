#include <containers/detail/Failure.h>

#include <cstdio>
#include <cstdlib>
#include <new>

namespace containers::detail {

// Only death tests reach it, and their children end before they can write
// coverage data.
// GCOVR_EXCL_START
void Fail(const char* operation, const char* problem) noexcept {
    // Nothing is left to do if the line cannot be written.
    static_cast<void>(std::fprintf(stderr, "%s: %s\n", operation, problem));
    static_cast<void>(std::fflush(stderr));
    std::abort();
}
// GCOVR_EXCL_STOP

void OutOfMemory(const char* operation) {
#if defined(__cpp_exceptions) || defined(_CPPUNWIND)
    static_cast<void>(operation);
    throw std::bad_alloc();
#else
    Fail(operation, "out of memory");
#endif
}

}  // namespace containers::detail
