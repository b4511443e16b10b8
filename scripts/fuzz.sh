#!/usr/bin/env bash
# Builds the fuzz preset and runs every fuzz target for a fixed time on a copy of its seed
# corpus. A finding fails the run; the input that reproduces it is kept under
# build/fuzz/findings/ and printed in hex, so the CI log carries it too.
#   bash scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-20}
shift || true

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in tests/fuzz/fuzz_*.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi

work=build/fuzz/run
findings=build/fuzz/findings
rm -rf "$work"
mkdir -p "$work" "$findings"
failed=0
for target in "${targets[@]}"; do
  corpus="$work/$target"
  cp -r "tests/fuzz/corpus/$target" "$corpus"
  options=(-max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1
           -artifact_prefix="$findings/$target-")
  [ -f "tests/fuzz/$target.dict" ] && options+=(-dict="tests/fuzz/$target.dict")
  echo "== fuzz: $target for ${seconds}s"
  if ! "build/fuzz/bin/$target" "${options[@]}" "$corpus" >"$work/$target.log" 2>&1; then
    failed=1
    tail -n 40 "$work/$target.log"
    for finding in "$findings/$target"-*; do
      [ -f "$finding" ] || continue
      echo "-- reproducing input $finding:"
      od -A x -t x1z -v "$finding" | head -n 64
    done
  fi
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' "$work/$target.log" | tr '\n' ' '
  echo
done

if [ "$failed" -ne 0 ]; then
  echo "fuzz: findings above; run one again with build/fuzz/bin/TARGET FILE"
  exit 1
fi
echo "fuzz: ${#targets[@]} targets, no finding"
