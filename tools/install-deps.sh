#!/usr/bin/env bash
# Installs the Debian packages a job needs, and only those that are missing (with sudo unless
# run as root). Usage: tools/install-deps.sh [MODE]
#   run      build and start the program (tools/start.sh)
#   package  run, plus what cpack needs to build the Debian package (README, Install)
#   test     package, plus the test, benchmark, fuzzing and lint tools (tools/check.sh; default)
#   tools    run, plus what tools/screenshots.sh and the picture generators need
#   web      run, plus what tools/web.sh needs to build the browser version
# A package that cannot be installed is named, with the reason, and the script exits non-zero.
set -euo pipefail

run_packages=(cmake ninja-build g++ qt6-base-dev qt6-qpa-plugins fonts-wine fonts-dejavu-core libfast-float-dev libdragonbox-dev libcli11-dev nlohmann-json3-dev qt6-wayland libxcb1-dev pkg-config libcairo2-dev)
test_packages=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth desktop-file-utils appstream clang clang-format libclang-rt-14-dev lintian reuse git
  orca at-spi2-core dbus-daemon xdotool valgrind time chromium chromium-driver python3-selenium python3-pil nodejs
  poppler-utils
  firefox-esr webkit2gtk-driver python3-websockets
  weston qt6-gtk-platformtheme x11-xserver-utils man-db flake8 shellcheck)
# tools/check.sh installs its JavaScript checkers with npm, which Debian's Node leaves out; a Node
# that brings its own npm conflicts with Debian's.
command -v npm >/dev/null || test_packages+=(npm)
# cpack's Debian generator: dpkg-shlibdeps computes the package's dependencies.
package_packages=(dpkg-dev file)
tools_packages=(xvfb xauth x11-utils imagemagick librsvg2-bin xdotool weston qt6-gtk-platformtheme)
# tools/web.sh: the core compiled to WebAssembly, the icons drawn from the SVG.
web_packages=(emscripten librsvg2-bin python3)

mode=${1:-test}
packages=("${run_packages[@]}")
case $mode in
  run) ;;
  package) packages+=("${package_packages[@]}") ;;
  test) packages+=("${package_packages[@]}" "${test_packages[@]}" "${web_packages[@]}") ;;
  tools) packages+=("${tools_packages[@]}") ;;
  web) packages+=("${web_packages[@]}") ;;
  *) echo "usage: tools/install-deps.sh [run|package|test|tools|web]" >&2; exit 2 ;;
esac

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}
missing_packages() {
  local package
  for package in "${packages[@]}"; do
    installed "$package" || echo "$package"
  done
}

mapfile -t missing < <(missing_packages)
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "Cannot install ${missing[*]} (needed for '$mode'): not root and sudo is not installed." >&2
    echo "Install them as root: apt-get install ${missing[*]}" >&2
    exit 1
  fi
  sudo=(sudo)
fi
echo "Installing for '$mode': ${missing[*]}"
if ! "${sudo[@]}" apt-get update; then
  echo "Cannot install ${missing[*]} (needed for '$mode'): apt-get update failed (no network, or no right to install?)." >&2
  exit 1
fi
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}" ||
  true
# apt-get's status alone would not say which package is still missing.
mapfile -t still_missing < <(missing_packages)
if [ ${#still_missing[@]} -gt 0 ]; then
  echo "Could not install ${still_missing[*]} (needed for '$mode'); apt-get's message above says why." >&2
  exit 1
fi
