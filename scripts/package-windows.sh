#!/usr/bin/env bash
# Builds the windows preset and packs orbelin-<version>-win64.zip in build/windows: the
# programs, the Qt and MinGW runtime DLLs, the platform plugin and styles, QELT.PDF, the
# help and the licences, in one folder that runs wherever it is unpacked. The same folder
# becomes the setup program orbelin-<version>-setup.exe (packaging/windows/orbelin.nsi).
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" --target orbelin orbelin-replay orbelin-convert orbelin_ai_database orbelin_help

version=$(sed -n 's/^project(Orbelin VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
licence=$(sed -n 's/^set(ORBELIN_SPDX_LICENSE "\(.*\)")/\1/p' CMakeLists.txt)
name=orbelin-$version-win64
bin=build/windows/bin
sdk=build/windows/_sdk/orbelin-windows-sdk
[ -d "$sdk" ] || sdk=$(sed -n 's/^ORBELIN_WINDOWS_SDK_DIR:INTERNAL=//p' build/windows/CMakeCache.txt)
stage=build/windows/package/$name
rm -rf "build/windows/package" && mkdir -p "$stage/platforms" "$stage/styles" "$stage/licenses"

cp "$bin"/orbelin.exe "$bin"/orbelin-replay.exe "$bin"/orbelin-convert.exe "$bin"/QELT.PDF "$bin"/qelt.html "$stage/"
cp "$bin"/Qt6Core.dll "$bin"/Qt6Gui.dll "$bin"/Qt6Widgets.dll "$bin"/libstdc++-6.dll "$bin"/libgcc_s_seh-1.dll \
  "$bin"/libwinpthread-1.dll "$stage/"
cp "$bin"/platforms/qwindows.dll "$stage/platforms/"
cp "$bin"/styles/*.dll "$stage/styles/"
x86_64-w64-mingw32-strip --strip-unneeded "$stage"/*.exe "$stage"/*.dll "$stage"/*/*.dll
cp "$sdk"/licenses/* data/NOTICE "$stage/licenses/"
cp LICENSE "$stage/licenses/LICENSE.txt"

rm -f "build/windows/$name.zip"
(cd build/windows/package && zip -qr9 "../$name.zip" "$name")
echo "build/windows/$name.zip"

setup=build/windows/orbelin-$version-setup.exe
makensis -V2 -DVERSION="$version" -DLICENCE="$licence" -DSTAGE="$PWD/$stage" -DOUTFILE="$PWD/$setup" \
  packaging/windows/orbelin.nsi
echo "$setup"
