#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, and only those
# that are missing. Usage: tools/install-deps.sh [run|web|test]
# (web: what tools/web.sh needs to build the browser version; test includes it)
set -euo pipefail

run_packages=(cmake ninja-build g++ qt6-base-dev fonts-wine fonts-dejavu-core libfast-float-dev libdragonbox-dev libcli11-dev nlohmann-json3-dev)
web_packages=(emscripten librsvg2-bin python3)
browser_test_packages=(chromium chromium-driver python3-selenium python3-pil)
test_packages=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth desktop-file-utils appstream dpkg-dev file clang libclang-rt-14-dev orca at-spi2-core dbus-daemon xdotool valgrind time)

packages=("${run_packages[@]}")
if [ "${1:-test}" = test ]; then
  packages+=("${test_packages[@]}")
fi
if [ "${1:-test}" = test ] || [ "${1:-test}" = web ]; then
  packages+=("${web_packages[@]}")
fi
if [ "${1:-test}" = test ]; then
  packages+=("${browser_test_packages[@]}")
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
