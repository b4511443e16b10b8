#!/usr/bin/env bash
# Builds the default preset and packs orbelin_<version>_amd64.deb in build/default: the
# programs under /usr/bin, the help and the AI table under /usr/share/orbelin, the desktop
# entry, AppStream metadata, icons and man pages. Prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target orbelin orbelin-replay orbelin-convert orbelin_ai_database \
  orbelin_help orbelin_package_files
(cd build/default && cpack -G DEB >/dev/null)

version=$(sed -n 's/^project(Orbelin VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb=build/default/orbelin_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { echo "package.sh: $deb was not made" >&2; exit 1; }
echo "$deb"
