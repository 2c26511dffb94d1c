#!/usr/bin/env bash
# Prints "yes: <why>" and exits 0 where this machine runs 32-bit x86 programs
# natively (32-bit Wine needs it), else "no: <why>" and exits 1.
# CONTAINERS_ASSUME_NO_X86=1 answers "no" anywhere.
set -u

if [ "${CONTAINERS_ASSUME_NO_X86:-0}" != 0 ]; then
    echo "no: CONTAINERS_ASSUME_NO_X86 is set"
    exit 1
fi

# A binfmt_misc handler would hand i386 programs to an emulator, not run them.
for handler in /proc/sys/fs/binfmt_misc/qemu-i386 /proc/sys/fs/binfmt_misc/i386; do
    if [ -f "$handler" ] && head -n 1 "$handler" | grep -qx enabled; then
        echo "no: i386 programs are handed to an emulator ($handler)"
        exit 1
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A 96-byte static i386 program that needs no library: an ELF header, one
# PT_LOAD header mapping the file at 0x08048000, then exit(42) by int 0x80.
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
if [ "$status" -eq 42 ]; then
    echo "yes: the kernel runs 32-bit x86 programs"
    exit 0
fi
echo "no: the kernel cannot run 32-bit x86 programs ($(tr -d '\n' <"$work/err" | sed 's/.*: //'), status $status)"
exit 1
