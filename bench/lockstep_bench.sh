#!/usr/bin/env bash
# A lockstep server (no PIPELINING; popa3d by default) checked by the POP3 component, by the whole
# program (the main window offscreen) and by Python's poplib with TCP_QUICKACK, in one run. Times:
# the median of <rounds> full checks of the 1000-message mailbox by each, the three taking turns
# so that a change in the machine's load falls on all of them. Counts: the system calls and
# context switches per message (perf's counts for a process that checks 1+<rounds> times less
# those of one that checks once, so start-up is left out).
# Usage: bench/lockstep_bench.sh [build-dir] [server] [rounds]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
server=${2:-popa3d}
rounds=${3:-7}
dir=$(mktemp -d)
trap '"$root/tests/support/servers/$server.sh" stop "$dir" >/dev/null 2>&1 || true; rm -rf "$dir"' EXIT
"$root/tests/support/servers/$server.sh" start "$dir" >/dev/null
port=$(cat "$dir/port")
messages=${VELLION_BULK_MESSAGES:-1000}

# The command of one process that checks <rounds> times by that peer, in cmd.
command_of() {
    case $1 in
    component) cmd=("$build/bench/pop3_check_bench" "$port" bulk secret "$2") ;;
    window)
        cmd=(env QT_QPA_PLATFORM=offscreen "$build/bench/window_check_bench" "$port" bulk secret
            "$2" --window-only)
        ;;
    poplib) cmd=(python3 "$root/bench/poplib_check.py" "$port" bulk secret "$2" --quickack) ;;
    esac
}
# The seconds it prints.
check() {
    command_of "$@"
    "${cmd[@]}" 2>/dev/null | awk '/^window check/ {print $3} /^[0-9.]+$/ {print $1}'
}
# Its system calls and context switches.
counts() {
    command_of "$@"
    perf stat -x, -o "$dir/perf" -e raw_syscalls:sys_enter,context-switches -- "${cmd[@]}" \
        >/dev/null 2>&1
    awk -F, '/raw_syscalls/ {s=$1} /context-switches/ {c=$1} END {print s, c}' "$dir/perf"
}
peers="component window poplib"
declare -A times calls switches
for ((i = 0; i < rounds; ++i)); do
    for peer in $peers; do times[$peer]+="$(check "$peer" 1) "; done
done
for peer in $peers; do
    read -r calls1 switches1 <<<"$(counts "$peer" 1)"
    read -r callsN switchesN <<<"$(counts "$peer" "$((rounds + 1))")"
    calls[$peer]=$(((callsN - calls1) / rounds))
    switches[$peer]=$(((switchesN - switches1) / rounds))
done
python3 - "$server" "$messages" \
    "$(for p in $peers; do echo "$p ${calls[$p]} ${switches[$p]} ${times[$p]}"; done)" <<'PY'
import statistics, sys
server, messages = sys.argv[1], int(sys.argv[2])
rows = {}
for line in sys.argv[3].splitlines():
    name, calls, switches, *seconds = line.split()
    rows[name] = (statistics.median(map(float, seconds)), min(map(float, seconds)),
                  max(map(float, seconds)), float(calls), float(switches))
print("%s, full check of %d messages in lockstep (median, range):" % (server, messages))
for name, (median, low, high, calls, switches) in rows.items():
    print("  %-9s %.3f s (%.3f-%.3f), %5.1f system calls and %4.1f context switches per message"
          % (name, median, low, high, calls / messages, switches / messages))
peer = rows["poplib"][0]
print("ratio component/poplib %.2f, window/poplib %.2f (target: at most 1.0; about 12 system"
      " calls and 2 context switches per message)" % (rows["component"][0] / peer,
                                                     rows["window"][0] / peer))
PY
