# Per-target settings; none is global, so a project that includes this one
# keeps its own flags. MSVC is true for cl and clang-cl, which take cl's
# options; GCC and Clang take GCC's.

# The project's warnings, as errors with CONTAINERS_WARNINGS_AS_ERRORS.
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
# library with these definitions on it and on what links it (a hardening
# level, say), for a program whose every part must see the library one way.
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

# The C++ runtime linked into the executable, with GCC and Clang
# (CONTAINERS_STATIC_RUNTIME); cl and clang-cl get the static C runtime from
# CMAKE_MSVC_RUNTIME_LIBRARY (CMakeLists.txt), and MinGW-w64 links statically.
function(containers_link_runtime_statically target)
    if(CONTAINERS_STATIC_RUNTIME AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang" AND NOT WIN32)
        target_link_options(${target} PRIVATE -static-libstdc++ -static-libgcc)
    endif()
endfunction()
