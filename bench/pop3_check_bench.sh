#!/usr/bin/env bash
# Starts a private Dovecot with the 1000-message mailbox, then times a full check through the
# POP3 component beside Python's poplib sending the same commands, and the same commands sent
# pipelined in one batch; then the same check over TLS (port 995's kind) beside poplib.POP3_SSL.
# Prints the ratios. Usage: bench/pop3_check_bench.sh [build-dir]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
dir=$(mktemp -d)
trap '"$root/tests/support/dovecot.sh" stop "$dir" >/dev/null 2>&1 || true; rm -rf "$dir"' EXIT
"$root/tests/support/dovecot.sh" start "$dir" >/dev/null
port=$(cat "$dir/port")
ours=$("$build/bench/pop3_check_bench" "$port" bulk secret 5)
peer=$(python3 "$root/bench/poplib_check.py" "$port" bulk secret 5)
batch=$(python3 "$root/bench/poplib_check.py" "$port" bulk secret 5 --pipelined)
tls_port=$(cat "$dir/port_tls")
ca=$dir/certs/ca.pem
ours_tls=$("$build/bench/pop3_check_bench" "$tls_port" bulk secret 5 "$ca")
peer_tls=$(python3 "$root/bench/poplib_check.py" "$tls_port" bulk secret 5 "--tls=$ca")
python3 - "$ours" "$peer" "$batch" "$ours_tls" "$peer_tls" <<'PY'
import sys
ours, peer, batch, ours_tls, peer_tls = map(float, sys.argv[1:])
print("full check of 1000 messages: component %.3f s, poplib %.3f s, pipelined batch %.3f s" % (ours, peer, batch))
print("ratio component/poplib: %.2f (target: at most 1.0)" % (ours / peer))
print("ratio component/pipelined: %.2f (the floor on this machine)" % (ours / batch))
print("over TLS: component %.3f s, poplib.POP3_SSL %.3f s" % (ours_tls, peer_tls))
print("ratio component/POP3_SSL: %.2f (target: at most 1.0)" % (ours_tls / peer_tls))
PY
