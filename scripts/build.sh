#!/usr/bin/env bash
# scripts/build.sh [build-dir] [sanitizer]: configures (once) and builds with Ninja.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
san=${2:-}
# Warnings are errors here and in CI; a tree configured before that option existed gets it too.
if [ ! -f "$dir/build.ninja" ] || ! grep -q '^VELLION_WERROR:BOOL=ON' "$dir/CMakeCache.txt"; then
    # ccache, where a developer has it, shares objects between checkouts; CI builds without it.
    launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLION_SANITIZE="$san" \
        -DVELLION_WERROR=ON -DVELLION_BENCH="$([ -z "$san" ] && echo ON || echo OFF)" \
        "${launcher[@]}" >/dev/null
fi
cmake --build "$dir" -j2
