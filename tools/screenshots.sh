#!/usr/bin/env bash
# Pictures of the main window for a person to look at: the window driven into a few
# cross-hair states and grabbed (parked.png, reading.png, red.png, limit.png), and the real
# program as a user first sees it, from the X server's own screen (program.png, and
# program_screen.png with the whole screen); the program as users of other desktops see it,
# with a reading clicked on the chart: under the GTK theme Adwaita-dark (dark-theme.png),
# at display scale 2 (scale-2.png), and under the Wayland compositor weston with Qt's own
# title bar (wayland.png, the compositor's whole screen); the drive selection window beside
# the main window, a duty selected and its first drive shown (drive-selection.png, and
# drive-selection-dark.png under Adwaita-dark with red figures).
# Usage: tools/screenshots.sh [OUTPUT_DIR]   (default build/screenshots)
# Builds in BUILD_DIR (default build/run, as tools/start.sh) when needed. Installs what it needs
# (tools/install-deps.sh tools: xvfb, x11-utils, imagemagick, xdotool,
# weston and qt6-gtk-platformtheme).
set -euo pipefail
cd "$(dirname "$0")/.."

out=${1:-build/screenshots}
build=${BUILD_DIR:-build/run}
mkdir -p "$out"

tools/install-deps.sh tools

if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
fi
cmake --build "$build" -j2 --target qnte418grafik qnte_screenshot

screen=(-s "-screen 0 1024x768x24")

xvfb-run -a "${screen[@]}" "$build/ui/qnte_screenshot" "$out"

# The start of each script below: the program ($1) started on the X server, and its window id
# in $id once the window is up; the program ends with the script.
start_program='
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
'

# The program itself, untouched: started on a fresh X server and photographed there once
# its window is up.
program="$build/ui/qnte418grafik"
xvfb-run -a "${screen[@]}" bash -c "$start_program"'
  import -window root "$2/program_screen.png"
  import -window "$id" "$2/program.png"
' screenshots "$program" "$out"

# The program on a fresh X server, a reading clicked at chart pixel (299, 199) with the X
# pointer, and its window photographed: program_shot FILE [VAR=VALUE...]
program_shot() {
  local file=$1
  shift
  # Room for the window at scale 2.
  env "$@" xvfb-run -a -s "-screen 0 1700x1100x24" bash -c "$start_program"'
    scale=${QT_SCALE_FACTOR:-1}
    read -r x y < <(xwininfo -id "$id" | awk "/Absolute upper-left X/ { x = \$4 } /Absolute upper-left Y/ { y = \$4 } END { print x, y }")
    xdotool mousemove "$(awk -v o="$x" -v s="$scale" "BEGIN { print int(o + (33 + 299.5) * s) }")" \
      "$(awk -v o="$y" -v s="$scale" "BEGIN { print int(o + (33 + 199.5) * s) }")" click 1
    xdotool mousemove 0 0
    sleep 0.5
    import -window "$id" "$2"
  ' screenshots "$program" "$out/$file"
}
program_shot dark-theme.png QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark
program_shot scale-2.png QT_SCALE_FACTOR=2

# The drive selection window beside the main window, as started with --drive-selection: a duty
# typed, Enter, Tab on to the first drive's Show and Space, the two windows photographed
# together: selection_shot FILE DELIVERY PRESSURE [VAR=VALUE...]
selection_shot() {
  local file=$1 delivery=$2 pressure=$3
  shift 3
  env "$@" xvfb-run -a -s "-screen 0 1800x560x24" bash -c '
    set -euo pipefail
    "$1" --drive-selection & pid=$!
    trap "kill $pid 2> /dev/null || true" EXIT
    selection=$(timeout 10 xdotool search --sync --onlyvisible --name "^Drive selection$" | head -1)
    sleep 0.5
    xdotool windowfocus --sync "$selection"
    xdotool type "$3"
    xdotool key Tab
    xdotool type "$4"
    xdotool key Return
    sleep 0.5
    # Past the ten other entries and Select.
    for _ in $(seq 12); do xdotool key Tab; done
    xdotool key space
    sleep 0.5
    read -r right bottom < <(xwininfo -id "$selection" |
      awk "/Absolute upper-left X/ { x = \$4 } /Absolute upper-left Y/ { y = \$4 }
           /Width:/ { w = \$2 } /Height:/ { h = \$2 } END { print x + w, y + h }")
    import -window root -crop "${right}x${bottom}+0+0" +repage "$2"
  ' screenshots "$program" "$out/$file" "$delivery" "$pressure"
}
selection_shot drive-selection.png 4.5 8
# Red figures on a light field, as in the main window.
selection_shot drive-selection-dark.png 4.5 13 QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark

# Wayland alone: weston shown in Xvfb, the program given no X display.
env -u QT_QPA_PLATFORM tests/desktop/with_display.sh wayland bash -c '
  "$1" & pid=$!
  sleep 3
  DISPLAY=$QNTE_POINTER_DISPLAY xdotool mousemove 5 5
  sleep 0.5
  DISPLAY=$QNTE_POINTER_DISPLAY import -window root -crop 1500x1100+0+0 +repage "$2"
  kill $pid
' screenshots "$program" "$out/wayland.png"

ls "$out"/*.png
