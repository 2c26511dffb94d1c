#pragma once

// Checks of the callers' contracts, at the level CONTAINERS_HARDENING names:
//
//   0  none   no checks, and no cost;
//   1  fast   every contract that can be checked in constant time, on every
//             call: a compare and a branch that is never taken;
//   2  debug  fast, plus checks that walk: List::Erase then walks the list
//             from the head to find its node, so it costs time linear in
//             the list's length instead of constant time.
//
// Only the debug level changes what an operation costs, so no build gets it
// unless it asks: define CONTAINERS_HARDENING to 2, or set the CMake option
// CONTAINERS_HARDENING to debug (which defines the macro on the containers
// target's interface). Otherwise the level follows the build and its
// standard library: fast where NDEBUG is not defined, where libstdc++'s
// _GLIBCXX_ASSERTIONS is defined or where libc++'s hardening mode is other
// than none; none otherwise.
//
// A broken contract writes "containers::<Class>::<Operation>: <what is
// wrong>" to standard error and calls std::abort() (see Failure.h). Nothing
// is thrown: the operations are noexcept, and the caller has a bug.

#include <containers/detail/Failure.h>

#include <cstddef>  // brings in the standard library's configuration macros

#define CONTAINERS_HARDENING_NONE 0
#define CONTAINERS_HARDENING_FAST 1
#define CONTAINERS_HARDENING_DEBUG 2

#ifndef CONTAINERS_HARDENING
#if !defined(NDEBUG) || defined(_GLIBCXX_ASSERTIONS) ||                         \
    (defined(_LIBCPP_HARDENING_MODE) && defined(_LIBCPP_HARDENING_MODE_NONE) && \
     _LIBCPP_HARDENING_MODE != _LIBCPP_HARDENING_MODE_NONE) ||                  \
    (defined(_LIBCPP_ENABLE_ASSERTIONS) && _LIBCPP_ENABLE_ASSERTIONS)
#define CONTAINERS_HARDENING CONTAINERS_HARDENING_FAST
#else
#define CONTAINERS_HARDENING CONTAINERS_HARDENING_NONE
#endif
#endif

#if CONTAINERS_HARDENING < CONTAINERS_HARDENING_NONE || CONTAINERS_HARDENING > CONTAINERS_HARDENING_DEBUG
#error "CONTAINERS_HARDENING must be 0 (none), 1 (fast) or 2 (debug)"
#endif

// Each translation unit's calls run the level that the unit chose, also in a
// program whose units chose different levels (a Debug program that links a
// Release library, say). An inline function whose code the level changes,
// by a check of its own or by one in an inline function that it calls, is
// declared CONTAINERS_PER_LEVEL: with GCC and Clang it then has a name of
// its level's own (an ABI tag), so the linker cannot keep one level's copy
// for the calls of another. MSVC has no such tags: there, units of different
// levels make the link fail, naming "containers_hardening".
#if defined(_MSC_VER)
#if CONTAINERS_HARDENING == CONTAINERS_HARDENING_NONE
#pragma detect_mismatch("containers_hardening", "none")
#elif CONTAINERS_HARDENING == CONTAINERS_HARDENING_FAST
#pragma detect_mismatch("containers_hardening", "fast")
#else
#pragma detect_mismatch("containers_hardening", "debug")
#endif
#define CONTAINERS_PER_LEVEL
#elif defined(__GNUC__)
#if CONTAINERS_HARDENING == CONTAINERS_HARDENING_NONE
#define CONTAINERS_PER_LEVEL [[gnu::abi_tag("hardening_none")]]
#elif CONTAINERS_HARDENING == CONTAINERS_HARDENING_FAST
#define CONTAINERS_PER_LEVEL [[gnu::abi_tag("hardening_fast")]]
#else
#define CONTAINERS_PER_LEVEL [[gnu::abi_tag("hardening_debug")]]
#endif
#else
#define CONTAINERS_PER_LEVEL
#endif

// `condition` is a bool: the checks below pass it a negation.
#if defined(__GNUC__)
#define CONTAINERS_UNLIKELY(condition) __builtin_expect((condition), false)
#else
#define CONTAINERS_UNLIKELY(condition) (condition)
#endif

// Stops the program, naming `operation` and `problem`, unless `condition`
// holds; checked at the fast level and above (CONTAINERS_CHECK_FAST) or at
// the debug level (CONTAINERS_CHECK_DEBUG). Below its level, `condition` is
// compiled but never evaluated.
#define CONTAINERS_CHECK_AT(level, condition, operation, problem) \
    do {                                                          \
        if constexpr (CONTAINERS_HARDENING >= (level)) {          \
            if (CONTAINERS_UNLIKELY(!(condition))) {              \
                ::containers::detail::Fail(operation, problem);   \
            }                                                     \
        }                                                         \
    } while (false)
#define CONTAINERS_CHECK_FAST(condition, operation, problem) \
    CONTAINERS_CHECK_AT(CONTAINERS_HARDENING_FAST, condition, operation, problem)
#define CONTAINERS_CHECK_DEBUG(condition, operation, problem) \
    CONTAINERS_CHECK_AT(CONTAINERS_HARDENING_DEBUG, condition, operation, problem)
