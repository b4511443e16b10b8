#!/usr/bin/env bash
# Builds the windows preset (MinGW-w64 cross build) and runs its tests under Wine: every
# engine, tool and backend test program, then the Linux replay tool tests against
# orbelin-replay.exe, and the setup program installed, run and removed in a Wine prefix of
# its own. Needs the Linux default build for the replay tests. A missing Wine,
# cross compiler or Windows SDK fails here, loudly.
set -euo pipefail
cd "$(dirname "$0")/.."

for tool in wine x86_64-w64-mingw32-g++-posix socat; do
  command -v "$tool" >/dev/null || { echo "windows-test: $tool is missing (run scripts/install-deps.sh)" >&2; exit 1; }
done

start=$(date +%s)
export ORBELIN_WINEPREFIX=${ORBELIN_WINEPREFIX:-$PWD/build/windows/wineprefix}
echo "== windows: configure and build"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)"
echo "== windows: test under Wine"
ctest --preset windows -j "$(nproc)"

replay_tests=build/default/bin/replay_tool_tests
if [ ! -x "$replay_tests" ]; then
  echo "windows-test: $replay_tests is missing (build the default preset first)" >&2
  exit 1
fi
echo "== windows: the replay tool's tests against orbelin-replay.exe"
ORBELIN_REPLAY_COMMAND="'$PWD/tests/platform/win32/with-wine.sh' '$PWD/build/windows/bin/orbelin-replay.exe'" \
  "$replay_tests" --gtest_brief=1
echo "== windows: the setup program, installed into a fresh Wine prefix"
bash scripts/package-windows.sh >/dev/null
version=$(sed -n 's/^project(Orbelin VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
setup_log=build/windows/setup-test.log
# Wine's own messages as its server and display go away fill the log, not the output.
if ! tests/platform/win32/setup-test.sh "build/windows/orbelin-$version-setup.exe" build/windows/bin/win32_setup_test.exe \
  >"$setup_log" 2>&1; then
  cat "$setup_log" >&2
  exit 1
fi
grep -E '^\[  (PASSED|FAILED) ' "$setup_log"
echo "== windows: done in $(( $(date +%s) - start )) s"
