#!/usr/bin/env bash
# Makes the packages twice from clean clones of the last commit, as unlike each
# other as one machine allows: in two folders, as two users, with different
# umasks, time zones and times of day. Every package must come out byte for
# byte the same; for one that does not, names each file inside it that
# differs. Run as root (the second build runs as the user nobody).
#   cmake/check-reproducible.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d /tmp/containers-reproducible.XXXXXX)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"

# build <name> <user> <umask> <TZ>: clones the commit into $work/<name> and
# makes its packages there.
build() {
    local name=$1 user=$2 mask=$3 zone=$4
    git clone -q --no-hardlinks "$root" "$work/$name"
    chown -R "$user" "$work/$name"
    echo "reproducible: building in $work/$name as $user, umask $mask, TZ=$zone"
    (cd "$work/$name" && umask "$mask" && runuser -u "$user" -- env HOME="$work/$name" TZ="$zone" \
        cmake --workflow --preset package >"$work/$name.log" 2>&1) || { cat "$work/$name.log" >&2; exit 1; }
}

build first root 022 UTC
sleep 2  # the second build starts in another second, whatever the first took
build second nobody 077 Pacific/Kiritimati

# unpack <package> <folder>: the package's files, as its own tool unpacks them.
unpack() {
    local package=$1 into=$2
    mkdir -p "$into"
    case "$package" in
        *.deb) dpkg-deb -R "$package" "$into" ;;
        *.tar.gz) tar -xzf "$package" -C "$into" ;;
        *.zip) unzip -q "$package" -d "$into" ;;
    esac
}

status=0
for package in "$work/first/build/package/"*.{deb,tar.gz,zip}; do
    name=$(basename "$package")
    other="$work/second/build/package/$name"
    if [ ! -f "$other" ]; then
        echo "reproducible: $name: only the first build made it" >&2
        status=1
        continue
    fi
    if cmp -s "$package" "$other"; then
        echo "reproducible: $name: identical, sha256 $(sha256sum "$package" | cut -c1-64)"
        continue
    fi
    status=1
    echo "reproducible: $name DIFFERS between the two builds" >&2
    unpack "$package" "$work/a-$name"
    unpack "$other" "$work/b-$name"
    # Contents first, then what the archive records about each member.
    if ! diff -rq "$work/a-$name" "$work/b-$name" >&2; then
        echo "reproducible: $name: the files above differ in content" >&2
    fi
    case "$name" in
        *.deb)
            diff <(dpkg-deb --fsys-tarfile "$package" | tar -tv --full-time) \
                <(dpkg-deb --fsys-tarfile "$other" | tar -tv --full-time) >&2 || true
            diff <(ar tv "$package") <(ar tv "$other") >&2 || true ;;
        *.tar.gz) diff <(tar -tvzf "$package" --full-time) <(tar -tvzf "$other" --full-time) >&2 || true ;;
        *.zip) diff <(zipinfo -l "$package" | tail -n +3) <(zipinfo -l "$other" | tail -n +3) >&2 || true ;;
    esac
done
[ "$status" -eq 0 ] && echo "reproducible: every package is the same in both builds"
exit "$status"
