# 64-bit Windows through clang-cl's command line, which takes cl's options,
# configured on Linux for the compile commands it would run: with no Windows
# SDK here nothing links, so CMake's checks make static libraries only.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
foreach(tool IN ITEMS C_COMPILER:clang-cl CXX_COMPILER:clang-cl AR:llvm-lib RC_COMPILER:llvm-rc LINKER:lld-link
        MT:llvm-mt)
    string(REPLACE ":" ";" tool "${tool}")
    list(GET tool 0 variable)
    list(GET tool 1 name)
    find_program(CMAKE_${variable} NAMES ${name} ${name}-19 ${name}-18 ${name}-17 ${name}-16 ${name}-15 ${name}-14
        REQUIRED)
endforeach()
