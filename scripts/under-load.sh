#!/usr/bin/env bash
# Runs a test command RUNS times in a row while a clean build of the project loops beside
# it (-j2, no compiler cache, in build/load), the way tests meet a busy machine. Prints one
# line per run and fails when any run failed; each run's output is kept in build/load-runs.
# usage: under-load.sh RUNS COMMAND [ARGUMENTS...]
set -uo pipefail
cd "$(dirname "$0")/.."
runs=${1:?usage: under-load.sh RUNS COMMAND [ARGUMENTS...]}
shift
[ $# -gt 0 ] || { echo "usage: under-load.sh RUNS COMMAND [ARGUMENTS...]" >&2; exit 2; }

mkdir -p build/load-runs
# A session of its own, so that the whole build (cmake, ninja, the compilers) ends with it.
setsid bash -c '
  export CCACHE_DISABLE=1
  while :; do
    rm -rf build/load
    cmake -S . -B build/load -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null 2>&1
    cmake --build build/load -j2 >/dev/null 2>&1
  done' &
loader=$!
trap 'kill -- -"$loader" 2>/dev/null; wait "$loader" 2>/dev/null' EXIT
# The build gets going before the first run.
until [ -f build/load/build.ninja ]; do sleep 0.5; done

failed=0
for run in $(seq 1 "$runs"); do
  start=$(date +%s)
  if "$@" >"build/load-runs/run-$run.log" 2>&1; then
    result=passed
  else
    result=FAILED
    failed=$((failed + 1))
  fi
  echo "under-load: run $run $result in $(($(date +%s) - start)) s, load $(cut -d' ' -f1 /proc/loadavg)"
done
echo "under-load: $failed of $runs runs failed"
[ "$failed" -eq 0 ]
