#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test: a plain build, then the same tests
# under AddressSanitizer and UndefinedBehaviorSanitizer, then the threading tests under
# ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
scripts/build.sh build
(cd build && ctest --output-on-failure -j2 --timeout 300)
scripts/build.sh build-asan address
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j2 --timeout 600)
scripts/build.sh build-tsan thread
(cd build-tsan && TSAN_OPTIONS="suppressions=$PWD/../tests/tsan.supp second_deadlock_stack=1" \
    ctest --output-on-failure -L threading --timeout 600)
echo "All tests passed."
