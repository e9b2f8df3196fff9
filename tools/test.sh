#!/usr/bin/env bash
# Sets up what is missing, builds both configurations and runs every test:
# the core natively, then the core and the real program under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
"$root/tools/build.sh" native
ctest --test-dir "$root/build/native" --output-on-failure
"$root/tools/build.sh" win32
ctest --test-dir "$root/build/win32" --output-on-failure
