#!/usr/bin/env bash
# Prints "yes: <why>" and exits 0 where this machine runs 32-bit x86 programs natively,
# else "no: <why>" and exits 1 (CONTAINERS_ASSUME_NO_X86=1: no, anywhere); with `wine32`,
# 32-bit Windows programs under Wine (Debian's wine falls back to the 64-bit loader
# without wine32:i386, and a 32-bit program then fails or prints nothing).
set -u
no() { echo "no: $*" && exit 1; }
[ "${CONTAINERS_ASSUME_NO_X86:-0}" = 0 ] || no "CONTAINERS_ASSUME_NO_X86 is set"
# A binfmt_misc handler would hand i386 programs to an emulator, not run them.
for handler in /proc/sys/fs/binfmt_misc/qemu-i386 /proc/sys/fs/binfmt_misc/i386; do
    [ ! -f "$handler" ] || ! head -n 1 "$handler" | grep -qx enabled || no "i386 programs go to an emulator ($handler)"
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A 96-byte static i386 program: an ELF header, one PT_LOAD header mapping the
# file at 0x08048000, then exit(42) by int 0x80.
printf '%b' \
    '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' \
    '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' \
    '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00' \
    '\x00\x00\x00\x00' \
    '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08' \
    '\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00' \
    '\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' >"$work/exit42"
chmod +x "$work/exit42"
"$work/exit42" 2>"$work/err"
status=$?
[ "$status" -eq 42 ] ||
    no "the kernel cannot run 32-bit x86 programs ($(tr -d '\n' <"$work/err" | sed 's/.*: //'), status $status)"
[ "${1:-}" = wine32 ] || { echo "yes: the kernel runs 32-bit x86 programs" && exit 0; }
command -v wine >/dev/null || no "Wine is not installed (Debian: wine, wine32:i386)"
[ ! -x /usr/lib/wine/wine64 ] || [ -x /usr/lib/wine/wine ] || no "32-bit Wine is not installed (Debian: wine32:i386)"
echo "yes: Wine runs 32-bit x86 programs"
