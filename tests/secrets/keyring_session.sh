#!/usr/bin/env bash
# keyring_session.sh keyring|none <program> [arguments]: runs the program on a private session
# bus of its own, with a keyring daemon whose login keyring is unlocked by a test password, or
# with no keyring at all. Nothing of the user's own session or keyring is touched.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
mode=$1
shift
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/run"
export HOME=$home XDG_DATA_HOME=$home/share XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/run
export XDG_CURRENT_DESKTOP=GNOME
# The bus knows no services to start on demand, so "none" really has no keyring.
dbus-run-session --config-file="$here/test_session_bus.conf" -- bash -c '
    set -euo pipefail
    mode=$1
    shift
    if [ "$mode" = keyring ]; then
        printf test | gnome-keyring-daemon --foreground --unlock --components=secrets >/dev/null &
        daemon=$!
        trap "kill $daemon 2>/dev/null || true" EXIT
        for _ in $(seq 100); do
            dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
                org.freedesktop.DBus.NameHasOwner string:org.freedesktop.secrets 2>/dev/null |
                grep -q "boolean true" && break
            sleep 0.1
        done
    fi
    "$@"
' keyring-session "$mode" "$@"
