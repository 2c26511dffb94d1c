#!/usr/bin/env bash
# Installs the library into a temporary prefix, builds the consumer against
# the installed package (with and without exceptions) and again from the
# source tree through FetchContent, and checks what each prints. Also checks
# what the installation holds.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
here="$root/examples/consumer"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cd "$root"
cmake --workflow --preset release
cmake --install build/release --prefix "$work/prefix"

for file in include/containers/List.h include/containers/detail/IntSlot.h bin/containers-demo \
    lib/cmake/containers/containersConfig.cmake lib/cmake/containers/containersConfigVersion.cmake; do
    [ -e "$work/prefix/$file" ] || { echo "consumer: $file is not installed" >&2; exit 1; }
done
ls "$work/prefix"/lib*/libcontainers.a >/dev/null
if [ "$(ls "$work/prefix/bin")" != "containers-demo" ]; then
    echo "consumer: bin/ holds more than the program: $(ls "$work/prefix/bin")" >&2
    exit 1
fi

cmake -S "$here" -B "$work/installed" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix"
cmake --build "$work/installed"
"$work/installed/consumer" | diff -u "$here/expected.txt" -

# The installed headers and library also serve code built without exceptions.
cmake -S "$here" -B "$work/no-exceptions" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" \
    -DCMAKE_CXX_FLAGS=-fno-exceptions
cmake --build "$work/no-exceptions"
"$work/no-exceptions/consumer" | diff -u "$here/expected.txt" -

cmake -S "$here" -B "$work/fetched" -G Ninja -DCONSUMER_CONTAINERS_SOURCE="$root"
cmake --build "$work/fetched"
"$work/fetched/consumer" | diff -u "$here/expected.txt" -

# Cross-compiled for Windows through FetchContent, the library must neither
# look for Wine nor set up any emulator for its consumer.
if command -v i686-w64-mingw32-g++-posix >/dev/null; then
    cmake -S "$here" -B "$work/windows" -G Ninja -DCONSUMER_CONTAINERS_SOURCE="$root" \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/i686-w64-mingw32.cmake" >"$work/windows.log"
    if grep -qi 'wine\|32-bit x86' "$work/windows.log" || grep -qi 'wine\|qemu' "$work/windows/CMakeCache.txt"; then
        echo "consumer: the Windows cross build of the consumer sets up an emulator" >&2
        cat "$work/windows.log" >&2
        exit 1
    fi
    cmake --build "$work/windows"
    echo "consumer: cross-compiled for Windows through FetchContent, with no emulator"
else
    echo "consumer: skipped the Windows FetchContent build: no i686-w64-mingw32-g++-posix"
fi

echo "consumer: installed package (also with -fno-exceptions) and FetchContent work"
