#!/usr/bin/env bash
# Starts a private POP3 server (default dovecot) with the 1000-message mailbox and times the
# check with "preview while checking" beside the check without it.
# Usage: bench/preview_check_bench.sh [build-dir] [server] [lines]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
server=${2:-dovecot}
lines=${3:-20}
dir=$(mktemp -d)
trap '"$root/tests/support/servers/$server.sh" stop "$dir" >/dev/null 2>&1 || true; rm -rf "$dir"' EXIT
"$root/tests/support/servers/$server.sh" start "$dir" >/dev/null
echo "$server, 1000 messages:"
"$build/bench/preview_check_bench" "$(cat "$dir/port")" bulk secret 5 "$lines"
