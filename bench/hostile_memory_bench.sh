#!/usr/bin/env bash
# bench/hostile_memory_bench.sh [build-dir]: peak memory of a window check against servers that
# never end a reply or flood the client, each scenario in a process of its own, beside an idle
# window for comparison.
set -euo pipefail
cd "$(dirname "$0")/.."
bench=${1:-build}/bench/hostile_memory_bench
export QT_QPA_PLATFORM=offscreen
for scenario in idle endless-line endless-header flood; do
    "$bench" "$scenario"
done
