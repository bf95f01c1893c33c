#!/usr/bin/env bash
# scripts/run.sh [--demo]: installs what is needed, builds, and starts Vellion in the current
# directory (its files "mail.acc" and "tarsel.ini" live there). With --demo it first starts a
# local POP3 server with a generated mailbox and runs Vellion in a prepared directory.
set -euo pipefail
here=$(pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build"
if [ "${1:-}" = "--demo" ]; then
    exec "$root/scripts/demo.sh" "$root/build/app/vellion"
fi
cd "$here"
exec "$root/build/app/vellion"
