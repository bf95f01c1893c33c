#!/usr/bin/env bash
# scripts/screenshot.sh [png] [build-dir]: starts Vellion under Xvfb in a scratch directory
# holding three accounts and saves a picture of the screen (default build/screenshots/main.png).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/build/screenshots/main.png}")
build=$(realpath -m "${2:-$root/build}")
"$root/scripts/install-deps.sh"
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLION_BENCH=OFF >/dev/null
fi
ninja -C "$build" -j2 vellion write_accounts
mkdir -p "$(dirname "$out")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$build/tests/app/write_accounts" "Home,pop.home.example,jane" "Work,mail.work.example,j.doe" \
    "Club,pop.club.example,secretary"
printf '[general]\r\nwindow_pos=40,40\r\nwindow_size=760,440\r\n' >tarsel.ini
xvfb-run -a -s "-screen 0 840x520x24" bash -c '
    "$1" & app=$!
    sleep 3
    import -window root "$2"
    kill "$app"
    wait "$app" 2>/dev/null || true
' shot "$build/app/vellion" "$out"
echo "Saved $out"
