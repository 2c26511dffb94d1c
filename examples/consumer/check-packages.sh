#!/usr/bin/env bash
# Makes the packages (`cmake --workflow --preset package`) and builds the
# example consumer against each of them, unpacked into a temporary folder
# (nothing is installed on this machine):
#   .deb     through find_package, and through pkg-config on a plain g++ line;
#   .tar.gz  the same, unpacked into its own folder as the README says;
#   ZIP      through find_package with the MinGW-w64 toolchain; the program
#            runs under Wine where this machine can run 32-bit x86 programs,
#            and elsewhere its headers are checked instead.
# Also runs lintian on the .deb and checks the Windows program in the ZIP.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
here="$root/examples/consumer"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cd "$root"
cmake --workflow --preset package
version=$(cmake/project-version.sh)
deb="build/package/containers_${version}_$(dpkg --print-architecture).deb"
tgz="build/package/containers-${version}-Linux.tar.gz"
zip="build/package/containers-${version}-win32.zip"

# Builds the consumer in $1 with the remaining arguments, runs it and checks
# what it prints.
build_and_run() {
    local dir=$1
    shift
    cmake -S "$here" -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir" >/dev/null
    "$dir/consumer" | diff -u "$here/expected.txt" -
}

# Compiles the consumer on a plain g++ line with pkg-config's flags, runs it
# and checks what it prints.
build_and_run_with_pkg_config() {
    # shellcheck disable=SC2046 # pkg-config's output is a list of arguments
    g++ -o "$work/pc-consumer" "$here/main.cpp" $(pkg-config --cflags --libs containers)
    "$work/pc-consumer" | diff -u "$here/expected.txt" -
}

echo "packages: lintian on $deb"
lintian --fail-on error "$deb"

echo "packages: the .deb, through find_package and pkg-config"
dpkg-deb -x "$deb" "$work/deb"
build_and_run "$work/deb-cmake" -DCMAKE_PREFIX_PATH="$work/deb/usr"
pc=$(find "$work/deb" -name containers.pc)
[ "$(PKG_CONFIG_PATH="${pc%/containers.pc}" pkg-config --variable=includedir containers)" = /usr/include ] ||
    { echo "packages: the .deb's containers.pc does not name /usr/include" >&2; exit 1; }
# The .deb names its installed paths; unpacked elsewhere, that folder is the root.
PKG_CONFIG_PATH="${pc%/containers.pc}" PKG_CONFIG_SYSROOT_DIR="$work/deb" build_and_run_with_pkg_config

echo "packages: the .tar.gz, as the README uses it"
(cd "$work" && tar -xzf "$root/$tgz")
unpacked="$work/containers-${version}-Linux"
[ -f "$unpacked/lib/libcontainers.a" ] || { echo "packages: the .tar.gz has no lib/libcontainers.a" >&2; exit 1; }
build_and_run "$work/tgz-cmake" -DCMAKE_PREFIX_PATH="$unpacked"
PKG_CONFIG_PATH="$unpacked/lib/pkgconfig" build_and_run_with_pkg_config

echo "packages: the ZIP, through find_package with MinGW-w64"
unzip -q "$zip" -d "$work/zip"
cmake -DOBJDUMP=i686-w64-mingw32-objdump -DPROGRAM="$work/zip/bin/containers-demo.exe" -DMAGIC=PE32 \
    -DVERSION="$version" -P cmake/CheckWindowsImage.cmake
cmake -S "$here" -B "$work/zip-cmake" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/i686-w64-mingw32.cmake" \
    -Dcontainers_DIR="$work/zip/lib/cmake/containers" >/dev/null
cmake --build "$work/zip-cmake" >/dev/null
if x86=$(cmake/can-run-x86.sh) && command -v wine >/dev/null; then
    echo "packages: running the Windows consumer under Wine ($x86)"
    WINEPREFIX="$work/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
        wine "$work/zip-cmake/consumer.exe" | tr -d '\r' | diff -u "$here/expected.txt" -
    WINEPREFIX="$work/wineprefix" wineserver -w  # let Wine finish before its prefix goes
else
    echo "packages: not running the Windows consumer (${x86:-no Wine}); checking its headers instead"
    cmake -DOBJDUMP=i686-w64-mingw32-objdump -DPROGRAM="$work/zip-cmake/consumer.exe" -DMAGIC=PE32 \
        -P cmake/CheckWindowsImage.cmake
fi

echo "packages: the .deb, the .tar.gz and the ZIP all work"
