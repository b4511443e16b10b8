#!/bin/sh
# Runs a command as a client of a private headless sway, so keyboard tests never type
# into a user's session and tests running in parallel do not share a seat. sway refuses
# to run as root: it runs as nobody, its runtime folder owned by that user, and the
# command (root in CI) connects through the socket's path. A machine without sway fails
# here rather than skipping the tests. Listing the tests of a program needs no display.
set -u

case " $* " in
  *" --gtest_list_tests "*) exec "$@" ;;
esac

here=$(cd "$(dirname "$0")" && pwd)
if ! command -v sway >/dev/null 2>&1; then
  echo "with-sway: sway is not installed (bash scripts/install-deps.sh installs it)" >&2
  exit 1
fi

user=65534
work=$(mktemp -d -t orbelin-sway.XXXXXX) || exit 1
# sway's user must reach its folder inside ours; nothing else is readable.
chmod 711 "$work"
mkdir "$work/run" "$work/client"
chmod 700 "$work/run" "$work/client"
if [ "$(id -u)" -eq 0 ]; then
  chown "$user:$user" "$work/run"
  as_user="setpriv --reuid=$user --regid=$user --clear-groups"
else
  as_user=
fi
cat >"$work/config" <<'CONFIG'
xwayland disable
output HEADLESS-1 resolution 1024x768
CONFIG
chmod 644 "$work/config"

sway=
cleanup() {
  trap '' TERM INT
  if [ -n "$sway" ]; then
    kill "$sway" 2>/dev/null
    tries=0
    while kill -0 "$sway" 2>/dev/null && [ "$tries" -lt 100 ]; do
      tries=$((tries + 1))
      sleep 0.05
    done
    kill -9 "$sway" 2>/dev/null
    wait "$sway" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

# A session of its own: sway signals its whole process group when it ends.
env -i PATH="$PATH" HOME="$work/run" XDG_RUNTIME_DIR="$work/run" \
  WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
  setsid $as_user sway -c "$work/config" >"$work/sway.log" 2>&1 &
sway=$!

# sway creates its socket once it accepts clients.
socket=
tries=0
while [ -z "$socket" ]; do
  for candidate in "$work"/run/wayland-*; do
    case "$candidate" in
      *.lock | *"*") ;;
      *) [ -S "$candidate" ] && socket=$candidate ;;
    esac
  done
  [ -n "$socket" ] && break
  if ! kill -0 "$sway" 2>/dev/null || [ "$tries" -ge 1200 ]; then
    echo "with-sway: sway did not start" >&2
    cat "$work/sway.log" >&2
    exit 1
  fi
  tries=$((tries + 1))
  sleep 0.05
done

WAYLAND_DISPLAY=$socket
XDG_RUNTIME_DIR="$work/client"
QT_QPA_PLATFORM=wayland
LSAN_OPTIONS="suppressions=$here/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export WAYLAND_DISPLAY XDG_RUNTIME_DIR QT_QPA_PLATFORM LSAN_OPTIONS
unset DISPLAY XAUTHORITY SWAYSOCK

"$@"
status=$?
exit "$status"
