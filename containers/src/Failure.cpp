#include <containers/detail/Failure.h>

#include <cstdio>
#include <cstdlib>
#include <new>

namespace containers::detail {

void Fail(const char* operation, const char* problem) noexcept {
    std::fprintf(stderr, "%s: %s\n", operation, problem);
    std::fflush(stderr);
    std::abort();
}

void OutOfMemory(const char* operation) {
#if defined(__cpp_exceptions) || defined(_CPPUNWIND)
    static_cast<void>(operation);
    throw std::bad_alloc();
#else
    Fail(operation, "out of memory");
#endif
}

}  // namespace containers::detail
