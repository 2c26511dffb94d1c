# Per-target build settings of this project. None of them is global, so a
# project that includes this one keeps its own flags. Flags follow the
# compiler's command line: MSVC is true for cl and for clang-cl, which take
# cl's options; GCC and Clang take GCC's.

# containers_set_warnings(<target>): the project's warning flags, as errors
# with CONTAINERS_WARNINGS_AS_ERRORS (/WX or -Werror).
function(containers_set_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /permissive-)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    endif()
    if(CONTAINERS_WARNINGS_AS_ERRORS)
        set_property(TARGET ${target} PROPERTY COMPILE_WARNING_AS_ERROR ON)
    endif()
endfunction()

# containers_add_library_copy(<name> <definition>...): a static copy of the
# library, built from its sources with these definitions on it and on what
# links it (a hardening level, say), for a program whose every part must see
# the library built one way.
function(containers_add_library_copy name)
    get_target_property(sources containers SOURCES)
    get_target_property(dir containers SOURCE_DIR)
    list(TRANSFORM sources PREPEND "${dir}/")
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC "${dir}/include")
    target_compile_features(${name} PUBLIC cxx_std_17)
    target_compile_definitions(${name} PUBLIC ${ARGN})
    containers_set_warnings(${name})
endfunction()

# containers_enable_clang_tidy(<target>): with CONTAINERS_CLANG_TIDY on,
# clang-tidy (.clang-tidy) checks the target's sources as they compile.
function(containers_enable_clang_tidy target)
    if(CONTAINERS_CLANG_TIDY)
        find_program(CONTAINERS_CLANG_TIDY_EXE NAMES clang-tidy REQUIRED)
        set_property(TARGET ${target} PROPERTY CXX_CLANG_TIDY "${CONTAINERS_CLANG_TIDY_EXE}")
    endif()
endfunction()

# containers_link_runtime_statically(<executable>): links the C++ runtime
# into the executable (CONTAINERS_STATIC_RUNTIME), which saves loading it at
# every start: libstdc++ and libgcc with GCC and Clang; with cl and clang-cl,
# the static C runtime (/MT, /MTd), which the root CMakeLists.txt chooses for
# every target, since all that one program links must use the same one. The
# MinGW-w64 cross build links statically anyway.
function(containers_link_runtime_statically target)
    if(CONTAINERS_STATIC_RUNTIME AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang" AND NOT WIN32)
        target_link_options(${target} PRIVATE -static-libstdc++ -static-libgcc)
    endif()
endfunction()
