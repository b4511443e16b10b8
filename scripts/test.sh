#!/usr/bin/env bash
# Installs what is missing, builds the default and the sanitizer configurations and runs
# every test of both.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=$(nproc)
for preset in default asan; do
  echo "== $preset: configure and build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  echo "== $preset: test"
  ctest --preset "$preset" -j "$jobs"
done

bash scripts/windows-test.sh

bash scripts/fuzz.sh 20
bash scripts/package-test.sh
