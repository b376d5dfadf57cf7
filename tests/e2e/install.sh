#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks that the desktop programs
# arrive as a desktop expects them: programs in bin/, an entry per GUI program
# whose Exec and Icon name what was installed.
#   install.sh BUILD_DIR
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null

fail() {
    echo "install: $*" >&2
    exit 1
}

for program in lumisplit oculet lumisplit-cli; do
    [ -x "$prefix/bin/$program" ] || fail "no bin/$program"
done
for program in lumisplit oculet; do
    entry="$prefix/share/applications/$program.desktop"
    [ -f "$entry" ] || fail "no desktop entry for $program"
    grep -qx "Exec=$program\( %f\)\?" "$entry" || fail "$entry does not start $program"
    grep -qx "Icon=$program" "$entry" || fail "$entry does not name the icon $program"
    for size in 16 32; do
        icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$program.png"
        [ -f "$icon" ] || fail "no ${size}x${size} icon for $program"
        [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "$icon is not ${size}x${size}"
    done
done
echo "install: done"
