#!/bin/sh
# Measures the desktop program: time from main() to the first event loop iteration and
# resident memory at that moment, reported by orbelin itself, plus the wall time from
# launch to that report. Runs on a private Xvfb display with a tray host, in a fresh
# program folder each time, with COM1 on a new pseudo terminal.
# usage: measure-startup.sh PATH/TO/orbelin [RUNS]
set -u
program=${1:?usage: measure-startup.sh PATH/TO/orbelin [RUNS]}
runs=${2:-5}
here=$(cd "$(dirname "$0")" && pwd)
exec "$here/../../tests/platform/x11/with-xvfb.sh" sh -c '
  program=$1 runs=$2
  trayer --SetDockType true >/dev/null 2>&1 &
  tray=$!
  sleep 1
  i=0
  while [ "$i" -lt "$runs" ]; do
    dir=$(mktemp -d)
    # /dev/ptmx opens as a fresh pseudo terminal: a port that always connects.
    printf "[COM]\r\nPort=1\r\nDelayTime=0\r\n[PORTS]\r\n1=/dev/ptmx\r\n" >"$dir/QELT.INI"
    start=$(date +%s%N)
    "$program" --dir "$dir" --report-startup 2>"$dir/err" &
    pid=$!
    while ! grep -q "startup-ms" "$dir/err" 2>/dev/null; do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.01
    done
    seen=$(date +%s%N)
    echo "run $((i + 1)): $(grep -o "startup-ms.*" "$dir/err") wall-ms $(( (seen - start) / 1000000 ))"
    : >"$dir/FINISH.TXT"
    wait "$pid"
    rm -rf "$dir"
    i=$((i + 1))
  done
  kill "$tray" 2>/dev/null
' measure "$program" "$runs"
