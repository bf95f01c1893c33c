#!/usr/bin/env bash
# tests/package_test.sh <build-dir>: builds the Debian package and checks that it holds exactly
# the program, its menu entry and its icon under /usr, that it depends on the packages of the
# libraries the program links, and that the program it holds starts.
set -euo pipefail
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" 2>&1 ||
    { cat "$tmp/cpack.log" >&2; fail "cpack -G DEB failed"; }
debs=("$tmp"/out/vellion_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single vellion_*.deb: $(ls "$tmp/out")"
deb=${debs[0]}

expected=$'./usr/bin/vellion\n./usr/share/applications/vellion.desktop\n./usr/share/icons/hicolor/scalable/apps/vellion.svg'
actual=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort)
[ "$actual" = "$expected" ] || fail "the package holds other files:"$'\n'"$actual"
[ "$(dpkg-deb -f "$deb" Package)" = vellion ] || fail "the package has another name"

# Every library the program needs comes from a package named in Depends.
depends=$(dpkg-deb -f "$deb" Depends)
[ -n "$depends" ] || fail "Depends is empty"
names=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//')
for package in libc6 libstdc++6 libqt6core6 libqt6widgets6 libqt6network6 libqt6dbus6 libssl3; do
    grep -Fqx "$package" <<<"$names" || fail "Depends lacks $package: $depends"
done

dpkg-deb -x "$deb" "$tmp/root"
"$tmp/root/usr/bin/vellion" --help -platform offscreen | grep -q -- '--config-dir' ||
    fail "the packaged program does not start"
echo "package test passed: $depends"
