#!/bin/sh
# Runs a Windows test program under Wine. The Wine prefix is ORBELIN_WINEPREFIX (made on
# first use); options before the program:
#   --xvfb    on a private Xvfb display (keyboard and window tests);
#   --serial  with COM1 and COM2 as the two ends of a pty pair (socat), COM1 for the port
#             under test and COM2 for the test to write into; creating the file named by
#             ORBELIN_DROP_COM1 ends the pair, as an unplugged reader would.
set -u
here=$(cd "$(dirname "$0")" && pwd)
xvfb=; serial=
while :; do
  case "${1:-}" in
    --xvfb) xvfb=1; shift ;;
    --serial) serial=1; shift ;;
    *) break ;;
  esac
done

command -v wine >/dev/null || { echo "with-wine: wine is not installed (scripts/install-deps.sh)" >&2; exit 1; }
WINEPREFIX=${ORBELIN_WINEPREFIX:-${HOME}/.cache/orbelin-wine}
WINEDEBUG=${WINEDEBUG:--all}
WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
# One test program at a time sets the prefix up; the rest wait for it.
mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/serial/registered" ]; then
    wineboot -i >/dev/null 2>&1
    # Wine's mount manager remakes dosdevices/comN from this key (else from /dev/ttyS*):
    # COM1 and COM2 point at fixed names that the pty pair of --serial takes.
    mkdir -p "$WINEPREFIX/serial"
    for n in 1 2; do
      wine reg add 'HKLM\Software\Wine\Ports' /v "COM$n" /d "$WINEPREFIX/serial/com$n" /f >/dev/null 2>&1
    done
    wineserver -w
    touch "$WINEPREFIX/serial/registered"
  fi
) 9>"$WINEPREFIX.lock"

work=$(mktemp -d -t orbelin-wine.XXXXXX) || exit 1
socat_pid=; watch_pid=
cleanup() {
  [ -n "$watch_pid" ] && kill "$watch_pid" 2>/dev/null
  [ -n "$socat_pid" ] && kill "$socat_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

if [ -n "$serial" ]; then
  command -v socat >/dev/null || { echo "with-wine: socat is not installed" >&2; exit 1; }
  devices="$WINEPREFIX/serial"
  rm -f "$devices/com1" "$devices/com2"
  socat "PTY,link=$devices/com1,raw,echo=0" "PTY,link=$devices/com2,raw,echo=0" 2>"$work/socat.log" &
  socat_pid=$!
  tries=0
  until [ -e "$devices/com1" ] && [ -e "$devices/com2" ]; do
    tries=$((tries + 1))
    [ "$tries" -ge 200 ] && { echo "with-wine: socat made no pty pair" >&2; cat "$work/socat.log" >&2; exit 1; }
    sleep 0.05
  done
  ln -sfn "$devices/com1" "$WINEPREFIX/dosdevices/com1"
  ln -sfn "$devices/com2" "$WINEPREFIX/dosdevices/com2"
  ORBELIN_DROP_COM1="$work/drop-com1"
  export ORBELIN_DROP_COM1
  ( while [ ! -e "$ORBELIN_DROP_COM1" ]; do sleep 0.05; done; kill "$socat_pid" ) &
  watch_pid=$!
  # The test sees the file through Wine's Z: drive.
  ORBELIN_DROP_COM1="Z:$(echo "$ORBELIN_DROP_COM1" | tr / '\\')"
  export ORBELIN_DROP_COM1
fi

if [ -n "$xvfb" ]; then
  "$here/../x11/with-xvfb.sh" env -u QT_QPA_PLATFORM wine "$@"
else
  wine "$@"
fi
