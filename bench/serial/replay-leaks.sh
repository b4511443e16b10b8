#!/bin/sh
# The engine over a long replay, for the sanitizer build's leak checker: RECORDS records
# (plain, Japanese, GS1 and cut ones) typed, written to a file and logged, then the
# program ends on FINISH.TXT. Fails when the replay fails or the leak checker reports.
# usage: replay-leaks.sh ORBELIN_REPLAY [RECORDS]
set -eu
replay=${1:?usage: replay-leaks.sh ORBELIN_REPLAY [RECORDS]}
records=${2:-5000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '[RCV]\r\nSelect=1\r\nHead=1\r\nFoot=3\r\n[KEY]\r\nFile=1\r\nFilePath=out.txt\r\nEANSend=3\r\n' >"$work/QELT.INI"
awk -v n="$records" 'BEGIN {
  for (i = 0; i < n; ++i) {
    kind = i % 10
    if (kind == 3) printf "text \"\\x02]C1010491234567890410L%06d\\x1d17261231\\r\"\n", i
    else if (kind == 6) printf "text \"\\x02品番%06dｶﾅ\\r\"\n", i
    else if (kind == 9) printf "text \"\\x02CUT%06d\"\nwait 5000\n", i
    else printf "text \"\\x02%012d\\r\"\n", i
    if (i % 50 == 0) print "wait 300"
  }
  print "wait 1000"
  print "touch FINISH.TXT"
  print "wait 1000"
}' >"$work/script.txt"
start=$(date +%s)
ASAN_OPTIONS="detect_leaks=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}" \
  "$replay" --dir "$work" --now 2026-12-07T10:00:00 "$work/script.txt" >"$work/transcript.txt"
echo "replay-leaks: $records records, $(wc -l <"$work/out.txt") lines written, $(($(date +%s) - start)) s, no leak reported"
