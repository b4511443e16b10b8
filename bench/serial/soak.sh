#!/bin/sh
# Resident memory of the real program over a long run: 20,000 records of 14 bytes sent
# through a pty in bursts of 2,000, the resident size printed after each burst. Fails when
# it grows by 2 MB or more after the first burst, or when a record is not typed once, in
# order. Runs on a private Xvfb display (a tray host and a text box are started inside).
# usage: soak.sh BUILD_DIR [RECORDS [BURST]]
set -u
build=${1:?usage: soak.sh BUILD_DIR [RECORDS [BURST]]}
records=${2:-20000}
burst=${3:-2000}
here=$(cd "$(dirname "$0")" && pwd)
exec "$here/../../tests/platform/x11/with-xvfb.sh" "$build/bin/orbelin-soak" "$records" "$burst" 2047 "$burst"
