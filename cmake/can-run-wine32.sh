#!/usr/bin/env bash
# Prints "yes: <why>" and exits 0 where this machine runs 32-bit Windows
# programs under Wine, else "no: <why>" and exits 1. Debian's wine script
# falls back to the 64-bit loader where wine32:i386 is missing, and says so
# only where WINEDEBUG lets it: a 32-bit program then fails or prints nothing.
set -u
x86=$("$(dirname "$0")/can-run-x86.sh") || { echo "$x86"; exit 1; }
if ! command -v wine >/dev/null; then
    echo "no: Wine is not installed (Debian: wine, wine32:i386)"
    exit 1
fi
if [ -x /usr/lib/wine/wine64 ] && [ ! -x /usr/lib/wine/wine ]; then
    echo "no: 32-bit Wine is not installed (Debian: wine32:i386)"
    exit 1
fi
echo "yes: Wine with 32-bit x86 (${x86#yes: })"
