#!/usr/bin/env bash
# Makes the packages twice from clones of the last commit, in two folders, as
# root and as nobody, with different umasks, time zones and times of day: they
# must be the same byte for byte (diffoscope shows what differs). Run as root.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d /tmp/containers-reproducible.XXXXXX)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"

# build <name> <user> <umask> <TZ>: the commit's packages, made in $work/<name>.
build() {
    git clone -q --no-hardlinks "$root" "$work/$1"
    chown -R "$2" "$work/$1"
    echo "reproducible: building in $work/$1 as $2, umask $3, TZ=$4"
    (cd "$work/$1" && umask "$3" && runuser -u "$2" -- env HOME="$work/$1" TZ="$4" \
        cmake --workflow --preset package >"$work/$1.log" 2>&1) || { cat "$work/$1.log" >&2; exit 1; }
}
build first root 022 UTC
sleep 2  # the second build starts in another second, whatever the first took
build second nobody 077 Pacific/Kiritimati

status=0
for package in "$work"/first/build/package/*.{deb,tar.gz,zip}; do
    other="$work/second/build/package/${package##*/}"
    if cmp -s "$package" "$other"; then
        echo "reproducible: ${package##*/}: identical, sha256 $(sha256sum "$package" | cut -c1-64)"
    else
        echo "reproducible: ${package##*/} DIFFERS between the two builds" >&2
        diffoscope "$package" "$other" >&2 || true
        status=1
    fi
done
[ "$status" -eq 0 ] && echo "reproducible: every package is the same in both builds"
exit "$status"
