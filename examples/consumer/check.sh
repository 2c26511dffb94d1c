#!/usr/bin/env bash
# Builds this consumer against the library, runs it and checks what it prints (docs/packages.md):
# `installed` against `release` installed, through FetchContent (also exporting), and for Windows;
# `packages` against each package of `package`, unpacked.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
here="$root/examples/consumer" work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$root"
mingw=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/i686-w64-mingw32.cmake")
fail() { echo "consumer: $*" >&2 && exit 1; }
# consumer <build folder> <configure argument>...: builds it, and runs it unless it is for Windows.
consumer() {
    local dir=$1
    shift
    cmake -S "$here" -B "$dir" -G Ninja "$@" >"$dir.log" || { cat "$dir.log" >&2 && return 1; }
    cmake --build "$dir" >/dev/null
    [[ " $* " == *mingw32* ]] || "$dir/consumer" | diff -u "$here/expected.txt" -
}
with_pkg_config() {
    # shellcheck disable=SC2046 # pkg-config's output is a list of arguments
    g++ -o "$work/pc-consumer" "$here/main.cpp" $(pkg-config --cflags --libs containers)
    "$work/pc-consumer" | diff -u "$here/expected.txt" -
}
image() { cmake -DOBJDUMP=i686-w64-mingw32-objdump -DMAGIC=PE32 "$@" -P cmake/CheckWindowsImage.cmake; }

case ${1:-} in
installed)
    cmake --workflow --preset release
    cmake --install build/release --prefix "$work/prefix"
    [ "$(ls "$work/prefix/bin")" = containers-demo ] || fail "bin/ holds $(ls "$work/prefix/bin")"
    consumer "$work/installed" -DCMAKE_PREFIX_PATH="$work/prefix"
    consumer "$work/no-exceptions" -DCMAKE_PREFIX_PATH="$work/prefix" -DCMAKE_CXX_FLAGS=-fno-exceptions
    consumer "$work/fetched" -DCONSUMER_CONTAINERS_SOURCE="$root"
    consumer "$work/exporting" -DCONSUMER_CONTAINERS_SOURCE="$root" -DCONSUMER_INSTALL=ON
    cmake --install "$work/exporting" --prefix "$work/exporting-prefix" >/dev/null
    for file in lib/cmake/consumer/consumerTargets.cmake lib/cmake/containers/containersConfig.cmake; do
        [ -f "$work/exporting-prefix/$file" ] || fail "the exporting consumer's installation lacks $file"
    done
    consumer "$work/windows" -DCONSUMER_CONTAINERS_SOURCE="$root" "${mingw[@]}"
    if grep -qi 'wine\|32-bit x86' "$work/windows.log" || grep -qi 'wine\|qemu' "$work/windows/CMakeCache.txt"; then
        fail "the Windows cross build through FetchContent sets up an emulator"
    fi
    echo "consumer: installed (and -fno-exceptions), FetchContent (exporting, for Windows) work" ;;
packages)
    cmake --workflow --preset package
    version=$(sed -n 's/^project(.* VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
    deb="build/package/containers_${version}_$(dpkg --print-architecture).deb"
    lintian --fail-on error "$deb"
    dpkg-deb -x "$deb" "$work/deb"
    consumer "$work/deb-cmake" -DCMAKE_PREFIX_PATH="$work/deb/usr"
    pc=$(dirname "$(find "$work/deb" -name containers.pc)")
    [ "$(PKG_CONFIG_PATH=$pc pkg-config --variable=includedir containers)" = /usr/include ] ||
        fail "the .deb's containers.pc does not name /usr/include"
    # The .deb names its installed paths; unpacked elsewhere, that folder is the root.
    PKG_CONFIG_PATH=$pc PKG_CONFIG_SYSROOT_DIR="$work/deb" with_pkg_config

    tar -xzf "build/package/containers-${version}-Linux.tar.gz" -C "$work"
    consumer "$work/tgz-cmake" -DCMAKE_PREFIX_PATH="$work/containers-${version}-Linux"
    PKG_CONFIG_PATH="$work/containers-${version}-Linux/lib/pkgconfig" with_pkg_config

    unzip -q "build/package/containers-${version}-win32.zip" -d "$work/zip"
    image -DPROGRAM="$work/zip/bin/containers-demo.exe" -DVERSION="$version"
    consumer "$work/zip-cmake" "${mingw[@]}" -Dcontainers_DIR="$work/zip/lib/cmake/containers"
    if wine32=$(cmake/can-run-x86.sh wine32); then
        echo "consumer: the Windows consumer under Wine ($wine32)"
        export WINEPREFIX="$work/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
        wine "$work/zip-cmake/consumer.exe" | tr -d '\r' | diff -u "$here/expected.txt" -
        wineserver -w  # let Wine finish before its prefix goes
    else
        echo "consumer: not running the Windows consumer ($wine32); checking its headers"
        image -DPROGRAM="$work/zip-cmake/consumer.exe"
    fi
    echo "consumer: the .deb, the .tar.gz and the ZIP work" ;;
*) fail "usage: check.sh installed|packages" ;;
esac
