#!/bin/sh
# Installs SETUP (orbelin-<version>-setup.exe) in a fresh Wine prefix and runs the setup
# test there (SetupTest.cpp): on a private display, with COM1 and COM2 as a pty pair.
#   setup-test.sh SETUP TEST_PROGRAM
set -eu
here=$(cd "$(dirname "$0")" && pwd)
setup=$(realpath "$1")
test_program=$(realpath "$2")
prefix=$(mktemp -d -t orbelin-setup-prefix.XXXXXX)
trap 'WINEPREFIX=$prefix/wine wineserver -k >/dev/null 2>&1 || true; rm -rf "$prefix"' EXIT
# The text box the test types into is found beside the test program.
ORBELIN_WINEPREFIX=$prefix/wine
ORBELIN_SETUP="Z:$(echo "$setup" | tr / '\\')"
export ORBELIN_WINEPREFIX ORBELIN_SETUP
"$here/with-wine.sh" --xvfb --serial "$test_program" --gtest_brief=1
