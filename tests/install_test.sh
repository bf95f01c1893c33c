#!/usr/bin/env bash
# tests/install_test.sh <build-dir>: installs into a temporary prefix, checks that exactly the
# program, its menu entry and its icon land there, and that the installed program keeps its files
# where its options say.
set -euo pipefail
build=$1
tmp=$(mktemp -d)
trap 'kill "${pid:-}" 2>/dev/null || true; rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
expected=$'bin/vellion\nshare/applications/vellion.desktop\nshare/icons/hicolor/scalable/apps/vellion.svg'
actual=$(cd "$tmp/prefix" && find . -type f | sed 's|^\./||' | sort)
[ "$actual" = "$expected" ] || fail "installed files differ:"$'\n'"$actual"

entry=$tmp/prefix/share/applications/vellion.desktop
desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry"
grep -qx 'Exec=vellion --launcher' "$entry" || fail "the entry does not start the launcher mode"
grep -qx 'Icon=vellion' "$entry" || fail "the entry names another icon"
python3 -c 'import sys, xml.etree.ElementTree as t
sys.exit(t.parse(sys.argv[1]).getroot().tag != "{http://www.w3.org/2000/svg}svg")' \
    "$tmp/prefix/share/icons/hicolor/scalable/apps/vellion.svg" || fail "the icon is not SVG"

# Starts the installed program from an unrelated folder and waits (at most 20 s) for the folder
# it should enter; the folder must be new and owner-only, and the start folder left untouched.
expect_folder() {
    local folder=$1
    shift
    mkdir -p "$tmp/start"
    (cd "$tmp/start" && exec env HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config" \
        QT_QPA_PLATFORM=offscreen "$tmp/prefix/bin/vellion" "$@") &
    pid=$!
    for _ in $(seq 200); do
        [ -d "$folder" ] && break
        kill -0 "$pid" 2>/dev/null || fail "vellion $* exited early"
        sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    [ -d "$folder" ] || fail "vellion $* did not make $folder"
    [ "$(stat -c %a "$folder")" = 700 ] || fail "$folder is not owner-only"
    [ -z "$(ls -A "$tmp/start")" ] || fail "vellion $* wrote into the folder it started in"
}
expect_folder "$tmp/config/vellion" --launcher
expect_folder "$tmp/named/deep" --config-dir "$tmp/named/deep"
"$tmp/prefix/bin/vellion" --help -platform offscreen | grep -q -- '--config-dir' ||
    fail "--help does not list --config-dir"
echo "install test passed"
