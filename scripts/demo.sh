#!/usr/bin/env bash
# scripts/demo.sh <vellion-binary> [png]: starts a local Dovecot on 127.0.0.1 with a generated
# demo mailbox, prepares a working directory (next to the build, "demo") whose "mail.acc" holds
# an account for it over TLS with its password saved and the server's certificate trusted
# ("mail.pin"), and starts Vellion there: press Check. Without a
# display it runs under Xvfb instead, checks the account, opens the header viewer and saves a
# picture of the screen (default <build>/screenshots/demo.png). The server stops at the end.
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 <vellion-binary> [png]" >&2; exit 2; }
root=$(cd "$(dirname "$0")/.." && pwd)
app=$(realpath "$1")
build=$(dirname "$(dirname "$app")")
out=$(realpath -m "${2:-$build/screenshots/demo.png}")
server=$build/demo-server
work=$build/demo

ninja -C "$build" -j2 write_accounts shots >/dev/null
"$root/tests/support/servers/dovecot.sh" start "$server" >/dev/null
trap '"$root/tests/support/servers/dovecot.sh" stop "$server" >/dev/null 2>&1 || true' EXIT
port=$(cat "$server/port_tls")

rm -rf "$work"
mkdir -p "$work"
cd "$work"
# Over TLS, with the demo server's certificate (made by the test authority, which the system
# does not know) already trusted, so that the check asks nothing.
"$build/tests/app/write_accounts" "Demo,127.0.0.1:$port,demo,demo,tls" \
    --pin "127.0.0.1:$port" "$(cat "$server/certs/valid.sha256")"
# A window wide enough to read the rows at once.
printf '[general]\r\ncol1=175\r\ncol2=215\r\ncol3=250\r\ncol4=70\r\ncol5=190\r\n' >tarsel.ini
printf 'window_pos=20,20\r\nwindow_size=1080,420\r\nwindow_max=0\r\npanel2=150\r\n' >>tarsel.ini
echo "Demo mailbox on 127.0.0.1:$port (user demo); working directory $work"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "Select the Demo account and press Check."
    "$app"
else
    mkdir -p "$(dirname "$out")"
    xvfb-run -a -s "-screen 0 1600x560x24" "$build/tests/app/shots" demo "$out"
    echo "Saved $out"
fi
