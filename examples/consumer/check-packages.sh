#!/usr/bin/env bash
# Makes the packages (`cmake --workflow --preset package`) and builds the
# example consumer against each of them, unpacked into a temporary folder
# (nothing is installed on this machine):
#   .deb     through find_package, and through pkg-config on a plain g++ line;
#   .tar.gz  through find_package;
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
version=$(sed -n 's/^project([^)]* VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb="build/package/containers_${version}_$(dpkg --print-architecture).deb"
tgz="build/package/containers-${version}-Linux.tar.gz"
zip="build/package/containers-${version}-win32.zip"

# Builds the consumer in $1 with the remaining arguments and checks its output.
build_and_run() {
    local dir=$1
    shift
    cmake -S "$here" -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir" >/dev/null
}

echo "packages: lintian on $deb"
lintian --fail-on error "$deb"

echo "packages: the .deb, through find_package and pkg-config"
dpkg-deb -x "$deb" "$work/deb"
build_and_run "$work/deb-cmake" -DCMAKE_PREFIX_PATH="$work/deb/usr"
"$work/deb-cmake/consumer" | diff -u "$here/expected.txt" -
pc=$(find "$work/deb" -name containers.pc)
export PKG_CONFIG_PATH="${pc%/containers.pc}"
case "$(pkg-config --variable=includedir containers)" in
    "$work/deb/"*) ;;
    *) echo "packages: containers.pc does not point into the unpacked package" >&2; exit 1 ;;
esac
# shellcheck disable=SC2046 # pkg-config's output is a list of arguments
g++ -o "$work/pc-consumer" "$here/main.cpp" $(pkg-config --cflags --libs containers)
"$work/pc-consumer" | diff -u "$here/expected.txt" -

echo "packages: the .tar.gz, through find_package"
mkdir "$work/tgz"
tar -xzf "$tgz" -C "$work/tgz"
build_and_run "$work/tgz-cmake" -DCMAKE_PREFIX_PATH="$work/tgz"
"$work/tgz-cmake/consumer" | diff -u "$here/expected.txt" -

echo "packages: the ZIP, through find_package with MinGW-w64"
unzip -q "$zip" -d "$work/zip"
cmake -DOBJDUMP=i686-w64-mingw32-objdump -DPROGRAM="$work/zip/bin/containers-demo.exe" -DMAGIC=PE32 \
    -DVERSION="$version" -P tests/CheckWindowsImage.cmake
build_and_run "$work/zip-cmake" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/i686-w64-mingw32.cmake" \
    -Dcontainers_DIR="$work/zip/lib/cmake/containers"
if x86=$(cmake/can-run-x86.sh) && command -v wine >/dev/null; then
    echo "packages: running the Windows consumer under Wine ($x86)"
    WINEPREFIX="$work/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
        wine "$work/zip-cmake/consumer.exe" | tr -d '\r' | diff -u "$here/expected.txt" -
    WINEPREFIX="$work/wineprefix" wineserver -w  # let Wine finish before its prefix goes
else
    echo "packages: not running the Windows consumer (${x86:-no Wine}); checking its headers instead"
    cmake -DOBJDUMP=i686-w64-mingw32-objdump -DPROGRAM="$work/zip-cmake/consumer.exe" -DMAGIC=PE32 \
        -P tests/CheckWindowsImage.cmake
fi

echo "packages: the .deb, the .tar.gz and the ZIP all work"
