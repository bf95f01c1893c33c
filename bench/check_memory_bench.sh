#!/usr/bin/env bash
# Whole-program memory of re-checks: starts a private POP3 server whose user bulk holds
# <messages> messages with the headers of real mail (make_mailbox.py's messy shape, about 1.5 KB
# each), then checks that mailbox <rounds> times in one program, by Check and, in a second
# program, by Check All in the background. Prints the peak and current resident memory after
# each check. Targets at 20000 messages: peak under 100 MB, the last check at most 10% above the
# first.
# Usage: bench/check_memory_bench.sh [build-dir] [server] [messages] [rounds]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
server=${2:-dovecot}
messages=${3:-20000}
rounds=${4:-3}
dir=$(mktemp -d)
trap '"$root/tests/support/servers/$server.sh" stop "$dir" >/dev/null 2>&1 || true; rm -rf "$dir"' EXIT
VELLION_BULK_SHAPE=messy VELLION_BULK_MESSAGES=$messages \
    "$root/tests/support/servers/$server.sh" start "$dir" >/dev/null
port=$(cat "$dir/port")
echo "$server, $messages messages with realistic headers"
for mode in memory memory-round; do
    QT_QPA_PLATFORM=offscreen "$build/bench/window_check_bench" "$port" bulk secret "$rounds" "$mode"
done
