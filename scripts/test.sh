#!/usr/bin/env bash
# Installs what is missing, builds the normal and the sanitizer builds, and runs every test.
# Usage: scripts/test.sh [--quick]   (--quick: the normal build only)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

presets=(release asan)
[ "${1:-}" = "--quick" ] && presets=(release)

jobs=$(nproc)
for preset in "${presets[@]}"; do
  echo "== build: $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  echo "== test: $preset"
  ctest --preset "$preset" -j "$jobs"
done
