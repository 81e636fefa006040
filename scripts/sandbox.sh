#!/usr/bin/env bash
# Installs what is missing, builds the sandbox (and the report program it starts, nothing else),
# and starts it.
# Usage: scripts/sandbox.sh --web [--port N] [--pace MS] [SCENARIO.scn]   (the desktop in a browser)
#        scripts/sandbox.sh [SCENARIO.scn]   (text: the scenario, or the interactive prompt)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
(cd "$root" && scripts/setup.sh >&2 && cmake --preset release >/dev/null \
  && cmake --build --preset release -j "$(nproc)" --target quillon-sandbox >&2)
exec "$root/build/release/src/sandbox/quillon-sandbox" "$@"
