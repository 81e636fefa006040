#!/usr/bin/env bash
# Installs what is missing, builds, and starts the sandbox.
# Usage: scripts/sandbox.sh [SCENARIO.scn]   (no file: the interactive prompt)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
(cd "$root" && scripts/setup.sh >&2 && cmake --preset release >/dev/null \
  && cmake --build --preset release -j "$(nproc)" >&2)
exec "$root/build/release/src/sandbox/quillon-sandbox" "$@"
