#!/usr/bin/env bash
# Starts a private POP3 server (dovecot, courier or popa3d; default dovecot) with the
# 1000-message mailbox, then times a full check through the POP3 component beside Python's
# poplib sending the same commands, and the same commands sent pipelined in one batch. Prints
# the ratios; where the server has a TLS port (Dovecot), the same check over TLS beside
# poplib.POP3_SSL. Usage: bench/pop3_check_bench.sh [build-dir] [server]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
server=${2:-dovecot}
dir=$(mktemp -d)
trap '"$root/tests/support/servers/$server.sh" stop "$dir" >/dev/null 2>&1 || true; rm -rf "$dir"' EXIT
"$root/tests/support/servers/$server.sh" start "$dir" >/dev/null
port=$(cat "$dir/port")
ours=$("$build/bench/pop3_check_bench" "$port" bulk secret 5)
peer=$(python3 "$root/bench/poplib_check.py" "$port" bulk secret 5)
batch=$(python3 "$root/bench/poplib_check.py" "$port" bulk secret 5 --pipelined)
ours_tls=0 peer_tls=0
if [ -f "$dir/port_tls" ]; then
    tls_port=$(cat "$dir/port_tls")
    ca=$dir/certs/ca.pem
    ours_tls=$("$build/bench/pop3_check_bench" "$tls_port" bulk secret 5 "$ca")
    peer_tls=$(python3 "$root/bench/poplib_check.py" "$tls_port" bulk secret 5 "--tls=$ca")
fi
python3 - "$server" "$ours" "$peer" "$batch" "$ours_tls" "$peer_tls" <<'PY'
import sys
ours, peer, batch, ours_tls, peer_tls = map(float, sys.argv[2:])
print("%s, full check of 1000 messages: component %.3f s, poplib %.3f s, pipelined batch %.3f s"
      % (sys.argv[1], ours, peer, batch))
print("ratio component/poplib: %.2f (target on Dovecot: at most 0.7)" % (ours / peer))
print("ratio component/pipelined: %.2f (the floor on this machine)" % (ours / batch))
if peer_tls > 0:
    print("over TLS: component %.3f s, poplib.POP3_SSL %.3f s" % (ours_tls, peer_tls))
    print("ratio component/POP3_SSL: %.2f (target: at most 1.0)" % (ours_tls / peer_tls))
PY
