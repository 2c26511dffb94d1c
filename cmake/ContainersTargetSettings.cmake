# Per-target settings, none global (MSVC: cl and clang-cl). The project's warnings; the presets make
# them errors.
function(containers_set_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /permissive-)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    endif()
endfunction()

# A static copy of the library with these definitions on it and what links it.
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

# The C++ runtime linked into a program (cl: CMakeLists.txt; MinGW: anyway).
function(containers_link_runtime_statically target)
    if(CONTAINERS_STATIC_RUNTIME AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang" AND NOT WIN32)
        target_link_options(${target} PRIVATE -static-libstdc++ -static-libgcc)
    endif()
endfunction()
