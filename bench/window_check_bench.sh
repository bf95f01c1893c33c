#!/usr/bin/env bash
# Whole program against poplib: starts a private POP3 server (dovecot, courier or popa3d) whose
# user bulk holds <messages> small messages, times a check through the main window (click to
# table filled) on a real X display (Xvfb) and offscreen, and Python's poplib sending the same
# commands. Where the server has a POP3S port (Dovecot), the same check over TLS (offscreen,
# the test authority trusted) beside poplib.POP3_SSL. Prints the figures and the ratios.
# Usage: bench/window_check_bench.sh [build-dir] [server] [messages] [rounds]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
server=${2:-dovecot}
messages=${3:-1000}
rounds=${4:-3}
dir=$(mktemp -d)
trap '"$root/tests/support/servers/$server.sh" stop "$dir" >/dev/null 2>&1 || true; rm -rf "$dir"' EXIT
VELLION_BULK_MESSAGES=$messages "$root/tests/support/servers/$server.sh" start "$dir" >/dev/null
port=$(cat "$dir/port")
seconds() { awk '/^window check/ {print $3}'; }
xvfb=$(xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb \
    "$build/bench/window_check_bench" "$port" bulk secret "$rounds")
offscreen=$(QT_QPA_PLATFORM=offscreen "$build/bench/window_check_bench" "$port" bulk secret "$rounds")
peer=$(python3 "$root/bench/poplib_check.py" "$port" bulk secret "$rounds")
tls_window=0 tls_peer=0
if [ -f "$dir/port_tls" ]; then
    tls_port=$(cat "$dir/port_tls")
    ca=$dir/certs/ca.pem
    tls_window=$(QT_QPA_PLATFORM=offscreen "$build/bench/window_check_bench" "$tls_port" bulk secret \
        "$rounds" "--tls=$ca" | seconds)
    tls_peer=$(python3 "$root/bench/poplib_check.py" "$tls_port" bulk secret "$rounds" "--tls=$ca")
fi
echo "$server, $messages messages; on Xvfb:"
echo "$xvfb"
echo "offscreen:"
echo "$offscreen"
python3 - "$(echo "$xvfb" | seconds)" "$(echo "$offscreen" | seconds)" "$peer" "$tls_window" \
    "$tls_peer" <<'PY'
import sys
xvfb, offscreen, peer, tls_window, tls_peer = map(float, sys.argv[1:])
print("poplib %.3f s" % peer)
print("ratio window/poplib: Xvfb %.2f, offscreen %.2f (target: at most 1.0)"
      % (xvfb / peer, offscreen / peer))
if tls_peer > 0:
    print("over TLS, offscreen: window %.3f s, poplib.POP3_SSL %.3f s" % (tls_window, tls_peer))
    print("ratio window/POP3_SSL: %.2f (target: at most 1.0)" % (tls_window / tls_peer))
PY
