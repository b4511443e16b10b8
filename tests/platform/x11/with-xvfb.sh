#!/bin/sh
# Runs a command on a private Xvfb display of its own, so keyboard tests never type into
# a user's session and tests running in parallel do not share a display. Listing the
# tests of a program needs no display. Sanitizer leak reports from the X and Qt
# libraries are suppressed; our own code's leaks are still reported.
set -u

case " $* " in
  *" --gtest_list_tests "*) exec "$@" ;;
esac

here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d -t orbelin-xvfb.XXXXXX) || exit 1
chmod 700 "$work"

# Display numbers far above the usual :0 and :99 keep clear of other servers on the
# machine; a number already taken makes Xvfb exit at once and the next one is tried.
# Without -noreset the server resets when its last client leaves and refuses the next
# connection for a moment.
xvfb=
start_xvfb() {
  number=$1
  : >"$work/display"
  Xvfb ":$number" -displayfd 3 -nolisten tcp -noreset -screen 0 1024x768x24 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb=$!
  # Xvfb writes its display number once it accepts connections.
  tries=0
  while [ ! -s "$work/display" ]; do
    if ! kill -0 "$xvfb" 2>/dev/null || [ "$tries" -ge 200 ]; then
      kill "$xvfb" 2>/dev/null
      wait "$xvfb" 2>/dev/null
      xvfb=
      return 1
    fi
    tries=$((tries + 1))
    sleep 0.05
  done
}

cleanup() {
  if [ -n "$xvfb" ]; then
    kill "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

attempt=0
until start_xvfb $((300 + ($$ * 7 + attempt * 13) % 600)); do
  attempt=$((attempt + 1))
  if [ "$attempt" -ge 20 ]; then
    echo "with-xvfb: Xvfb did not start" >&2
    cat "$work/xvfb.log" >&2
    exit 1
  fi
done

DISPLAY=":$(head -n 1 "$work/display")"
XDG_RUNTIME_DIR="$work"
QT_QPA_PLATFORM=xcb
LSAN_OPTIONS="suppressions=$here/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export DISPLAY XDG_RUNTIME_DIR QT_QPA_PLATFORM LSAN_OPTIONS
unset WAYLAND_DISPLAY XAUTHORITY

"$@"
status=$?
exit "$status"
