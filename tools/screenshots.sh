#!/usr/bin/env bash
# Pictures of the main window for a person to look at: the window driven into a few
# cross-hair states and grabbed (parked.png, reading.png, red.png, limit.png), and the real
# program as a user first sees it, from the X server's own screen (program.png, and
# program_screen.png with the whole screen).
# Usage: tools/screenshots.sh [OUTPUT_DIR]   (default build/screenshots)
# Builds in BUILD_DIR (default build/run, as tools/start.sh) when needed. Installs what it needs
# (tools/install-deps.sh tools: xvfb, x11-utils, imagemagick).
set -euo pipefail
cd "$(dirname "$0")/.."

out=${1:-build/screenshots}
build=${BUILD_DIR:-build/run}
mkdir -p "$out"

tools/install-deps.sh tools

if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQNTE_BUILD_TESTS=OFF -DQNTE_BUILD_BENCH=OFF
fi
cmake --build "$build" -j2 --target qnte418grafik qnte_screenshot

screen=(-s "-screen 0 1024x768x24")

xvfb-run -a "${screen[@]}" "$build/ui/qnte_screenshot" "$out"

# The program itself, untouched: started on a fresh X server and photographed there once
# its window is up.
program="$build/ui/qnte418grafik"
xvfb-run -a "${screen[@]}" bash -c '
  set -euo pipefail
  "$1" & pid=$!
  trap "kill $pid 2> /dev/null || true" EXIT
  id=""
  for _ in $(seq 100); do
    id=$(xwininfo -root -tree | awk "/\" Air End : QNTe418\"/ { print \$1; exit }")
    [ -n "$id" ] && break
    sleep 0.1
  done
  [ -n "$id" ] || { echo "the program window did not appear" >&2; exit 1; }
  sleep 0.5
  import -window root "$2/program_screen.png"
  import -window "$id" "$2/program.png"
' screenshots "$program" "$out"

ls "$out"/*.png
