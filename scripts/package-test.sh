#!/usr/bin/env bash
# Builds the Debian package and checks it: its contents, the desktop entry, the AppStream
# metadata and lintian; then installs it (into the system with CI=true or
# ORBELIN_PACKAGE_INSTALL=system, otherwise into a scratch root) and starts the installed
# program on a private Xvfb display as an unprivileged user with a fresh home:
#   - the first start creates ~/.local/share/orbelin with QELT.INI and QELT.PDF, and
#     FINISH.TXT there ends it, also while the box of a failed connection is open;
#   - a second start for the same folder ends at once, the lock being in the runtime folder;
#   - a program folder that cannot be written (a path under a regular file; a read-only
#     bind mount where mounting is allowed) gives the write-test box, then the program runs;
#   - a port the user may not open is reported with its group and the usermod command;
#   - --help and --version answer without a display, an unknown option gives status 2.
set -euo pipefail
cd "$(dirname "$0")/.."
root_dir=$(pwd)

fail() {
  echo "package-test: $*" >&2
  exit 1
}

if [ "${1:-}" != "--on-display" ]; then
  deb=$(bash scripts/package.sh | tail -n 1)
  echo "== package: $deb"
  contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
  for path in ./usr/bin/orbelin ./usr/bin/orbelin-replay ./usr/bin/orbelin-convert \
    ./usr/share/orbelin/QELT.PDF ./usr/share/orbelin/qelt.html \
    ./usr/share/doc/orbelin/copyright ./usr/share/doc/orbelin/NOTICE ./usr/share/doc/orbelin/changelog.gz \
    ./usr/share/applications/org.orbelin.Orbelin.desktop ./usr/share/metainfo/org.orbelin.Orbelin.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/org.orbelin.Orbelin.svg \
    ./usr/share/icons/hicolor/16x16/apps/org.orbelin.Orbelin.png \
    ./usr/share/icons/hicolor/48x48/apps/org.orbelin.Orbelin.png \
    ./usr/share/icons/hicolor/256x256/apps/org.orbelin.Orbelin.png \
    ./usr/share/man/man1/orbelin.1.gz ./usr/share/man/man1/orbelin-replay.1.gz ./usr/share/man/man1/orbelin-convert.1.gz; do
    grep -qxF "$path" <<<"$contents" || fail "$path is not in the package"
  done
  if grep -E '^\./usr/bin/.' <<<"$contents" | grep -vE '/orbelin(-replay|-convert)?$'; then
    fail "the package installs other programs"
  fi
  depends=$(dpkg-deb -f "$deb" Depends)
  for needed in qt6-qpa-plugins fonts-ipafont-gothic libqt6serialport6 libsqlite3-0; do
    grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
  done
  [ "$(basename "$deb")" = "orbelin_$(dpkg-deb -f "$deb" Version)_amd64.deb" ] || fail "unexpected name $deb"

  work=$(mktemp -d -t orbelin-package.XXXXXX)
  trap 'rm -rf "$work"' EXIT
  chmod 755 "$work"
  dpkg-deb -x "$deb" "$work/root"
  desktop-file-validate "$work/root/usr/share/applications/org.orbelin.Orbelin.desktop"
  appstreamcli validate --no-net --pedantic "$work/root/usr/share/metainfo/org.orbelin.Orbelin.metainfo.xml"
  grep -q '^License: Apache-2.0$' "$work/root/usr/share/doc/orbelin/copyright" || fail "the copyright file names no Apache-2.0"
  grep -q '<project_license>Apache-2.0</project_license>' "$work/root/usr/share/metainfo/org.orbelin.Orbelin.metainfo.xml" ||
    fail "the metadata names another licence"
  findings=$(lintian "$deb" 2>&1 | grep -v '^running with root privileges' || true)
  [ -z "$findings" ] || echo "$findings"
  if grep -q '^E:' <<<"$findings"; then fail "lintian reports errors"; fi
  for page in orbelin orbelin-replay orbelin-convert; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$work/root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man page $page: $warnings"
  done

  install=${ORBELIN_PACKAGE_INSTALL:-}
  [ -n "$install" ] || { [ "${CI:-}" = "true" ] && install=system || install=scratch; }
  if [ "$install" = "system" ]; then
    dpkg -i "$deb" >/dev/null
    prefix=/usr
  else
    prefix=$work/root/usr
  fi
  echo "== installed under $prefix"
  tests/platform/x11/with-xvfb.sh bash "$0" --on-display "$prefix" "$root_dir/build/default/bin/orbelin-test-windows"
  echo "== package test passed"
  exit 0
fi

# On the private display from here on.
prefix=$2
windows=$3
orbelin=$prefix/bin/orbelin
work=$(mktemp -d -t orbelin-start.XXXXXX)
chmod 755 "$work"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
  mountpoint -q "$work/ro" 2>/dev/null && umount "$work/ro"
  rm -rf "$work"
}
trap cleanup EXIT

nobody=65534
user_name=$(getent passwd "$nobody" | cut -d: -f1)

# A fresh home and runtime folder owned by the test user.
fresh_user() {
  local name=$1
  mkdir -p "$work/$name/home" "$work/$name/run"
  chown -R "$nobody:$nobody" "$work/$name"
  chmod 700 "$work/$name/home" "$work/$name/run"
}

# Starts the installed program as the test user; the pid is the program's own.
start_as_user() {
  local name=$1
  shift
  setpriv --reuid="$nobody" --regid="$nobody" --clear-groups \
    env -i HOME="$work/$name/home" XDG_RUNTIME_DIR="$work/$name/run" DISPLAY="$DISPLAY" QT_QPA_PLATFORM=xcb \
    PATH=/usr/bin:/bin LANG=C.UTF-8 "$@" "$orbelin" "${ORBELIN_ARGS[@]}" >>"$work/$name.out" 2>&1 &
  started=$!
  pids+=("$started")
}

wait_for() {
  local seconds=$1
  shift
  local tries=$((seconds * 20))
  until "$@"; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.05
  done
}

gone() { ! kill -0 "$1" 2>/dev/null; }

# Waits for the program to end and checks its status.
ended_with() {
  local pid=$1 expected=$2 seconds=$3 status=0
  wait_for "$seconds" gone "$pid" || fail "process $pid did not end within $seconds s"
  wait "$pid" || status=$?
  [ "$status" -eq "$expected" ] || fail "process $pid ended with $status, not $expected"
}

echo "== first start of the installed program with a fresh home"
fresh_user first
data=$work/first/home/.local/share/orbelin
ORBELIN_ARGS=()
start_as_user first
first=$started
wait_for 30 test -s "$data/QELT.INI" || fail "no $data/QELT.INI; output: $(cat "$work/first.out")"
wait_for 30 test -s "$data/QELT.PDF" || fail "no $data/QELT.PDF"
[ "$(stat -c %u "$data")" = "$nobody" ] || fail "the data folder does not belong to the user"
# COM1 cannot be opened by this user: the connect failure's box stays open meanwhile.
"$windows" wait RSOpen 30 || fail "no connect failure box; windows: $("$windows" list)"
ls "$work/first/run"/orbelin-*.lock >/dev/null 2>&1 || fail "no lock in the runtime folder"
ls "$data"/*.lock >/dev/null 2>&1 && fail "a lock file in the data folder"

echo "== a second start for the same folder ends at once"
start_as_user first
second=$started
ended_with "$second" 0 10
kill -0 "$first" 2>/dev/null || fail "the first instance ended too"

echo "== FINISH.TXT ends the program, even with the box open"
: >"$data/FINISH.TXT"
ended_with "$first" 0 10

echo "== a program folder under a regular file: the write-test box, then a running program"
fresh_user unwritable
: >"$work/unwritable/plain"
ORBELIN_ARGS=()
start_as_user unwritable XDG_DATA_HOME="$work/unwritable/plain/data"
blocked=$started
"$windows" wait "コントロール確認" 30 || fail "no write-test box; windows: $("$windows" list); $(cat "$work/unwritable.out")"
"$windows" close "コントロール確認"
"$windows" wait RSOpen 30 || fail "start-up did not go on after the write-test box; windows: $("$windows" list)"
kill -0 "$blocked" 2>/dev/null || fail "the program ended after the write-test box"
kill "$blocked"

if mkdir -p "$work/rw" "$work/ro" && mount --bind "$work/rw" "$work/ro" 2>/dev/null &&
  mount -o remount,bind,ro "$work/ro" 2>/dev/null; then
  echo "== --dir on a read-only bind mount: the write-test box, then a running program"
  fresh_user readonly
  printf '[COM]\r\nPort=1\r\n[PORTS]\r\n1=%s\r\n' "$work/no-such-device" >"$work/rw/QELT.INI"
  ORBELIN_ARGS=(--dir "$work/ro")
  start_as_user readonly
  readonly_pid=$started
  "$windows" wait "コントロール確認" 30 || fail "no write-test box on the read-only folder"
  "$windows" close "コントロール確認"
  "$windows" wait RSOpen 30 || fail "start-up did not go on after the write-test box (read-only folder)"
  : >"$work/rw/FINISH.TXT"
  ended_with "$readonly_pid" 0 10
else
  echo "== (no read-only bind mount here: mounting is not permitted)"
fi

echo "== a port the user may not open: the group and the command in the log and the box"
fresh_user permission
folder=$work/permission/folder
mkdir -p "$folder" "$work/dev"
chown "$nobody:$nobody" "$folder"
if ! mknod -m 0660 "$work/dev/ttyREADER" c 4 64 2>/dev/null; then
  install -m 0660 /dev/null "$work/dev/ttyREADER"
fi
chgrp dialout "$work/dev/ttyREADER"
printf '[COM]\r\nPort=1\r\n[PORTS]\r\n1=%s\r\n' "$work/dev/ttyREADER" >"$folder/QELT.INI"
chown "$nobody:$nobody" "$folder/QELT.INI"
ORBELIN_ARGS=(--dir "$folder")
start_as_user permission
denied=$started
"$windows" wait RSOpen 30 || fail "no connect failure box for the denied port"
wait_for 10 grep -qa "sudo usermod -aG dialout $user_name" "$folder/ERROR.LOG" ||
  fail "ERROR.LOG does not give the command: $(iconv -f CP932 -t UTF-8 "$folder/ERROR.LOG" 2>&1)"
iconv -f CP932 -t UTF-8 "$folder/ERROR.LOG" | grep -q "^.*\[RSOpen\] .*ttyREADER.*グループ dialout" ||
  fail "ERROR.LOG does not name the group: $(iconv -f CP932 -t UTF-8 "$folder/ERROR.LOG")"
: >"$folder/FINISH.TXT"
ended_with "$denied" 0 10

echo "== --help and --version without a display"
for program in orbelin orbelin-replay orbelin-convert; do
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/$program" --help) ||
    fail "$program --help failed"
  grep -q "^usage: $program" <<<"$out" || fail "$program --help: $out"
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/$program" --version) ||
    fail "$program --version failed"
  grep -qE "^$program [0-9]+\.[0-9]+\.[0-9]+$" <<<"$out" || fail "$program --version: $out"
  status=0
  err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/$program" --no-such-option 2>&1 </dev/null) ||
    status=$?
  [ "$status" -eq 2 ] || fail "$program --no-such-option ended with $status"
  grep -q "usage: $program" <<<"$err" || fail "$program --no-such-option printed no usage: $err"
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/$program" -platform offscreen --help) ||
    fail "$program -platform offscreen --help failed"
  grep -q "Qt's standard options" <<<"$out" || fail "$program --help does not name Qt's options: $out"
done

echo "== the installed tools keep their files in the user's folder, as the program does"
fresh_user tools
echo 12 | setpriv --reuid="$nobody" --regid="$nobody" --clear-groups \
  env -i HOME="$work/tools/home" PATH=/usr/bin:/bin LANG=C.UTF-8 "$prefix/bin/orbelin-convert" >"$work/tools.out" 2>&1 ||
  fail "orbelin-convert failed: $(cat "$work/tools.out")"
[ -f "$work/tools/home/.local/share/orbelin/QELT.INI" ] ||
  fail "orbelin-convert wrote no QELT.INI in the user's folder: $(cat "$work/tools.out")"
