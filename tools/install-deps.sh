#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, and only those
# that are missing. Usage: tools/install-deps.sh [run|test]
set -euo pipefail

run_packages=(cmake ninja-build g++ qt6-base-dev fonts-wine fonts-dejavu-core qt6-wayland libxcb1-dev)
test_packages=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth desktop-file-utils appstream dpkg-dev file clang libclang-rt-14-dev weston xdotool qt6-gtk-platformtheme x11-xserver-utils)

packages=("${run_packages[@]}")
if [ "${1:-test}" = test ]; then
  packages+=("${test_packages[@]}")
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
