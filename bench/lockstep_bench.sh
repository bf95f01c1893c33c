#!/usr/bin/env bash
# A lockstep server (no PIPELINING; popa3d by default) checked by the POP3 component, by the whole
# program (the main window offscreen) and by Python's poplib with TCP_QUICKACK, in one run: the
# time of a full check of the 1000-message mailbox, and the system calls and context switches per
# message of each (perf's counts of a run with more rounds less those of a run with one, so
# start-up is left out). Usage: bench/lockstep_bench.sh [build-dir] [server] [rounds]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
server=${2:-popa3d}
rounds=${3:-5}
dir=$(mktemp -d)
trap '"$root/tests/support/$server.sh" stop "$dir" >/dev/null 2>&1 || true; rm -rf "$dir"' EXIT
"$root/tests/support/$server.sh" start "$dir" >/dev/null
port=$(cat "$dir/port")
messages=${VELLION_BULK_MESSAGES:-1000}

# Runs the command under perf; prints the seconds it printed (a line of a number alone, or the
# window's "window check" line), then the system calls and the context switches of the process.
counted() {
    local out
    out=$(perf stat -x, -o "$dir/perf" -e raw_syscalls:sys_enter,context-switches -- "$@" |
        awk '/^window check/ {print $3} /^[0-9.]+$/ {print $1}')
    echo "$out $(awk -F, '/raw_syscalls/ {s=$1} /context-switches/ {c=$1} END {print s, c}' "$dir/perf")"
}
# One check by each, then one round more than asked: the difference is the rounds' own cost.
run() {
    case $1 in
    component) counted "$build/bench/pop3_check_bench" "$port" bulk secret "$2" ;;
    window)
        counted env QT_QPA_PLATFORM=offscreen "$build/bench/window_check_bench" "$port" bulk \
            secret "$2" --window-only
        ;;
    poplib) counted python3 "$root/bench/poplib_check.py" "$port" bulk secret "$2" --quickack ;;
    esac
}

report=()
for peer in component window poplib; do
    read -r _ calls1 switches1 <<<"$(run "$peer" 1)"
    read -r seconds calls switches <<<"$(run "$peer" "$((rounds + 1))")"
    report+=("$peer" "$seconds" "$(((calls - calls1) / rounds))" "$(((switches - switches1) / rounds))")
done
python3 - "$server" "$messages" "${report[@]}" <<'PY'
import sys
server, messages, rest = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
rows = {rest[i]: tuple(map(float, rest[i + 1:i + 4])) for i in range(0, len(rest), 4)}
print("%s, full check of %d messages in lockstep:" % (server, messages))
for name, (seconds, calls, switches) in rows.items():
    print("  %-9s %.3f s, %5.1f system calls and %4.1f context switches per message"
          % (name, seconds, calls / messages, switches / messages))
peer = rows["poplib"][0]
print("ratio component/poplib %.2f, window/poplib %.2f (target: at most 1.0; about 12 system"
      " calls and 2 context switches per message)" % (rows["component"][0] / peer,
                                                     rows["window"][0] / peer))
PY
