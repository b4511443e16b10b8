#!/bin/sh
# Runs a command in a session of its own with a Japanese input method switched on:
#   with-input-method.sh fcitx5|ibus COMMAND...
# It runs inside with-xvfb.sh or with-sway.sh, which give the display. mozc_server exits
# at once as root, so the input method, its bus and the command all run as an
# unprivileged user (nobody) inside dbus-run-session; its home is a fresh folder whose
# profile has Mozc on without a hot key. The command starts only once the method owns
# its bus name; a method that does not come up within the deadline fails the command.
# IBUS_ENABLE_SYNC_MODE reaches the command: Qt and GTK programs then hand keys to ibus
# one at a time. Listing the tests of a program needs no input method.
set -u

case " $* " in
  *" --gtest_list_tests "*) exec "$@" ;;
esac

method=${1:-}
shift
case "$method" in
  fcitx5 | ibus) ;;
  *) echo "with-input-method: the first argument is fcitx5 or ibus" >&2; exit 2 ;;
esac
for program in dbus-run-session "$method" mozc_server; do
  if ! command -v "$program" >/dev/null 2>&1 && [ ! -x "/usr/lib/mozc/$program" ]; then
    echo "with-input-method: $program is not installed (bash scripts/install-deps.sh installs it)" >&2
    exit 1
  fi
done

user=65534
work=$(mktemp -d -t orbelin-im.XXXXXX) || exit 1
chmod 711 "$work"
home="$work/home"
mkdir -p "$home/.config/fcitx5" "$home/.config/mozc" "$work/run"

cat >"$home/.config/fcitx5/profile" <<'PROFILE'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=mozc

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=mozc
Layout=

[GroupOrder]
0=Default
PROFILE
cat >"$home/.config/fcitx5/config" <<'CONFIG'
[Behavior]
ActiveByDefault=True
CONFIG
cat >"$home/.config/mozc/ibus_config.textproto" <<'MOZC'
engines {
  name : "mozc-jp"
  longname : "Mozc"
  layout : "default"
  layout_variant : ""
  layout_option : ""
  rank : 80
}
active_on_launch: True
MOZC

if [ "$(id -u)" -eq 0 ]; then
  chown -R "$user:$user" "$home" "$work/run"
  as_user="setpriv --reuid=$user --regid=$user --clear-groups"
  # The display's runtime folder belongs to root; the command gets one of its own.
else
  as_user=
fi
chmod 700 "$work/run"

# Inside the session: start the method, wait for its bus name, run the command.
cat >"$work/session.sh" <<'SESSION'
#!/bin/sh
method=$1
shift
has_owner() {
  dbus-send --session --print-reply=literal --reply-timeout=2000 --dest=org.freedesktop.DBus \
    /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner "string:$1" 2>/dev/null | grep -q true
}
log="$HOME/method.log"
if [ "$method" = fcitx5 ]; then
  fcitx5 -r --keep >"$log" 2>&1 &
  name=org.fcitx.Fcitx5
else
  ibus write-cache >"$log" 2>&1
  ibus-daemon --panel=disable --emoji-extension=disable -r >>"$log" 2>&1 &
  name=org.freedesktop.IBus
fi
daemon=$!
# Runs the check every 50 ms until it holds; a method that ends or does not get there
# within 30 s fails the command.
await() {
  what=$1
  shift
  tries=0
  until "$@"; do
    if ! kill -0 "$daemon" 2>/dev/null || [ "$tries" -ge 600 ]; then
      echo "with-input-method: $what" >&2
      cat "$log" >&2
      kill "$daemon" 2>/dev/null
      exit 1
    fi
    tries=$((tries + 1))
    sleep 0.05
  done
}
# "ibus engine NAME" fails now and then although it sets the engine: the check is what
# the engine is afterwards.
ibus_takes_mozc() {
  IBUS_ADDRESS=$(ibus address 2>/dev/null) && [ -n "$IBUS_ADDRESS" ] \
    && { ibus engine mozc-jp >/dev/null 2>&1; [ "$(ibus engine 2>/dev/null)" = mozc-jp ]; }
}
await "$method did not come up" has_owner "$name"
if [ "$method" = ibus ]; then
  # ibus has a bus of its own, announced in a file for the display: wait for the file
  # and for Mozc to be the engine.
  await "ibus did not take Mozc" ibus_takes_mozc
  export IBUS_ADDRESS
  QT_IM_MODULE=ibus
else
  QT_IM_MODULE=fcitx
fi
export QT_IM_MODULE
"$@"
status=$?
kill "$daemon" 2>/dev/null
wait "$daemon" 2>/dev/null
exit "$status"
SESSION
chmod 755 "$work/session.sh"

# Everything the session started carries its runtime folder in its environment, also
# what left the session's process group (mozc_server detaches and outlives the bus):
# those processes, found by that mark, are ended before the folder goes.
session_processes() {
  for environ in /proc/[0-9]*/environ; do
    if { tr '\0' '\n' <"$environ"; } 2>/dev/null | grep -qxF "XDG_RUNTIME_DIR=$work/run"; then
      pid=${environ#/proc/}
      echo "${pid%/environ}"
    fi
  done
}
end_session() {
  pids=$(session_processes)
  [ -n "$pids" ] || return 0
  # shellcheck disable=SC2086
  kill $pids 2>/dev/null
  tries=0
  while [ -n "$(session_processes)" ] && [ "$tries" -lt 100 ]; do
    tries=$((tries + 1))
    sleep 0.05
  done
  pids=$(session_processes)
  # shellcheck disable=SC2086
  [ -z "$pids" ] || kill -KILL $pids 2>/dev/null
}
cleanup() {
  end_session
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

env -i PATH="$PATH" HOME="$home" XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$home/.config" \
  ${DISPLAY:+DISPLAY="$DISPLAY"} ${WAYLAND_DISPLAY:+WAYLAND_DISPLAY="$WAYLAND_DISPLAY"} \
  ${QT_QPA_PLATFORM:+QT_QPA_PLATFORM="$QT_QPA_PLATFORM"} ${LSAN_OPTIONS:+LSAN_OPTIONS="$LSAN_OPTIONS"} \
  ${ASAN_OPTIONS:+ASAN_OPTIONS="$ASAN_OPTIONS"} ${UBSAN_OPTIONS:+UBSAN_OPTIONS="$UBSAN_OPTIONS"} \
  ${IBUS_ENABLE_SYNC_MODE:+IBUS_ENABLE_SYNC_MODE="$IBUS_ENABLE_SYNC_MODE"} \
  GSETTINGS_BACKEND=memory LANG=C.UTF-8 \
  $as_user dbus-run-session -- "$work/session.sh" "$method" "$@"
status=$?
exit "$status"
