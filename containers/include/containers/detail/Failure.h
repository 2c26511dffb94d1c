#pragma once

// How the containers stop on a failure they cannot report as a result: a
// broken caller contract (see Hardening.h) and, where exceptions are
// disabled, running out of memory.

#if defined(__GNUC__)
#define CONTAINERS_COLD __attribute__((cold))
#else
#define CONTAINERS_COLD
#endif

namespace containers::detail {

// Writes "<operation>: <problem>" and a line feed to standard error, then
// calls std::abort(). Out of line and cold, so that a check costs its call
// site a compare and a branch that is never taken.
[[noreturn]] CONTAINERS_COLD void Fail(const char* operation, const char* problem) noexcept;

// Out of memory in `operation` (for example "containers::ArrayStack::Push"):
// throws std::bad_alloc where the library is built with exceptions (as it is
// installed and packaged; a program built with -fno-exceptions cannot catch
// it, and std::terminate ends it), and otherwise calls Fail(operation,
// "out of memory").
[[noreturn]] CONTAINERS_COLD void OutOfMemory(const char* operation);

}  // namespace containers::detail
