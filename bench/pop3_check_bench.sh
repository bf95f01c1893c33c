#!/usr/bin/env bash
# Starts a private POP3 server (dovecot, courier or popa3d; default dovecot) with the
# 1000-message mailbox, then times a full check through the POP3 component beside Python's
# poplib sending the same commands, and the same commands sent pipelined in one batch. Prints
# the ratios. Usage: bench/pop3_check_bench.sh [build-dir] [server]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
server=${2:-dovecot}
dir=$(mktemp -d)
trap '"$root/tests/support/$server.sh" stop "$dir" >/dev/null 2>&1 || true; rm -rf "$dir"' EXIT
"$root/tests/support/$server.sh" start "$dir" >/dev/null
port=$(cat "$dir/port")
ours=$("$build/bench/pop3_check_bench" "$port" bulk secret 5)
peer=$(python3 "$root/bench/poplib_check.py" "$port" bulk secret 5)
batch=$(python3 "$root/bench/poplib_check.py" "$port" bulk secret 5 --pipelined)
python3 - "$server" "$ours" "$peer" "$batch" <<'PY'
import sys
ours, peer, batch = map(float, sys.argv[2:])
print("%s, full check of 1000 messages: component %.3f s, poplib %.3f s, pipelined batch %.3f s"
      % (sys.argv[1], ours, peer, batch))
print("ratio component/poplib: %.2f (target on Dovecot: at most 0.7)" % (ours / peer))
print("ratio component/pipelined: %.2f (the floor on this machine)" % (ours / batch))
PY
