#!/usr/bin/env bash
# scripts/tray_shot.sh [png] [build-dir]: a picture of new mail arriving. Starts the Dovecot
# fixture when it is not running, then Xvfb with a window manager that has a tray (IceWM) and a
# notification service (dunst) on a private session bus, and runs "shots tray" there. A fixture it
# started is stopped again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/build/screenshots/tray.png}")
build=$(realpath -m "${2:-$root/build}")
cmake --build "$build" -j2 --target shots
if [ ! -s "$build/dovecot/port" ]; then
    "$root/tests/support/servers/dovecot.sh" start "$build/dovecot" "$build/certs"
    trap '"$root/tests/support/servers/dovecot.sh" stop "$build/dovecot"' EXIT
fi
mkdir -p "$(dirname "$out")"
xvfb-run -a -s "-screen 0 1024x600x24" dbus-run-session -- bash -c '
    icewm >/dev/null 2>&1 & wm=$!
    dunst >/dev/null 2>&1 & notices=$!
    sleep 2
    "$@"; status=$?
    kill "$wm" "$notices" 2>/dev/null || true
    exit $status
' shot "$build/tests/app/shots" tray "$out"
echo "Saved $out"
