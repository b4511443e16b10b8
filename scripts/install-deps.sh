#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Orbelin need,
# asking apt only when something is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libsqlite3-dev
  qt6-base-dev qt6-serialport-dev
  libx11-dev libxtst-dev
  xvfb xauth trayer fonts-ipafont-gothic
  # Wayland: the virtual keyboard and clipboard, Qt as a Wayland client, headless sway for the tests
  libwayland-dev libxkbcommon-dev qt6-wayland sway
  # input methods: switching them off over D-Bus, and fcitx5 and ibus with Mozc for the tests
  libdbus-1-dev dbus-bin fcitx5 fcitx5-mozc fcitx5-frontend-qt6 ibus ibus-mozc
  # the Debian package: CPack with dpkg-shlibdeps, the icons (Qt SVG), the run-time plugins and the checks
  dpkg-dev qt6-svg-dev qt6-qpa-plugins lintian desktop-file-utils appstream man-db
  # Windows: the MinGW-w64 cross compiler, Wine to run the tests, socat for COM ports on ptys, zip and
  # NSIS (makensis) to package
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix googletest wine wine64 socat zip nsis
  # fuzz targets: clang with the libFuzzer runtime
  clang libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q "${missing[@]}"
