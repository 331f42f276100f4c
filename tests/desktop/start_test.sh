#!/usr/bin/env bash
# How the program starts, or refuses to, on the displays a user may or may not have:
# no display at all and a dead one give one plain line and status 1, never an abort; a
# desktop with Wayland alone (no X server, no XWayland) gets the windows. An unknown option
# gives one line and status 2; --drive-selection brings the drive selection window up beside
# the main window.
# Usage: start_test.sh PROGRAM
set -uo pipefail
program=$1
here=$(dirname "$0")
failures=0
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT

# refuses NAME EXPECTED-STATUS WORDS [VAR=VALUE...] [-- OPTION...]
refuses() {
  local name=$1
  local expected=$2
  local says=$3
  shift 3
  local environment=() options=()
  while [ $# -gt 0 ] && [ "$1" != -- ]; do environment+=("$1"); shift; done
  [ $# -gt 0 ] && shift && options=("$@")
  local status
  env "${environment[@]}" XDG_RUNTIME_DIR="$runtime" "$program" "${options[@]}" > /dev/null 2> "$runtime/stderr"
  status=$?
  local lines
  lines=$(wc -l < "$runtime/stderr")
  if [ "$status" -ne "$expected" ] || [ "$lines" -ne 1 ] || ! grep -q -- "$says" "$runtime/stderr"; then
    echo "FAIL: $name: status $status, stderr:"
    cat "$runtime/stderr"
    failures=$((failures + 1))
  else
    echo "PASS: $name"
  fi
}

refuses "no display" 1 "no display found" -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY
refuses "X display that is not running" 1 "no display found" -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY DISPLAY=:59999
refuses "Wayland display that is not running" 1 "no display found" -u QT_QPA_PLATFORM -u DISPLAY \
  WAYLAND_DISPLAY=qnte-nowhere
# As where qt6-wayland is missing: Qt has no plugin for the display it is told to use.
refuses "platform plugin missing" 1 "install qt6-wayland" QT_QPA_PLATFORM=qnte-nowhere
# Refused before any display is looked for, the option named.
refuses "unknown option" 2 "unknown option --bogus" -u DISPLAY -u WAYLAND_DISPLAY -- --bogus
refuses "an option beside the known one" 2 "unknown option -x" -- --drive-selection -x

# --drive-selection on X11: the main window and the drive selection window beside it, to its
# right, both up until the program is ended.
status=0
"$here/with_display.sh" x11 bash -c '
  "$1" --drive-selection 2> "$2/x11.err" & pid=$!
  trap "kill $pid 2> /dev/null" EXIT
  main=$(timeout 10 xdotool search --sync --onlyvisible --name "Air End : QNTe418" | head -1)
  selection=$(timeout 10 xdotool search --sync --onlyvisible --name "^Drive selection$" | head -1)
  [ -n "$main" ] && [ -n "$selection" ] || { echo "windows: main ${main:-none}, selection ${selection:-none}"; exit 1; }
  left() { xwininfo -id "$1" | awk "/Absolute upper-left X/ { print \$4 }"; }
  width() { xwininfo -id "$1" | awk "/Width:/ { print \$2 }"; }
  [ "$(left "$selection")" -ge $(($(left "$main") + $(width "$main"))) ] || { echo "the selection window overlaps the main window"; exit 1; }
  kill -0 $pid || { wait $pid; echo "exited with status $?"; cat "$2/x11.err"; exit 1; }
' drive-selection "$program" "$runtime" || status=$?
case $status in
  0) echo "PASS: --drive-selection on X11" ;;
  77) echo "SKIP: --drive-selection on X11: Xvfb cannot start here" ;;
  *) echo "FAIL: --drive-selection on X11"; failures=$((failures + 1)) ;;
esac

# Wayland alone: the program must come up and stay up until it is ended.
status=0
env -u QT_QPA_PLATFORM "$here/with_display.sh" wayland bash -c '
  "$1" 2> "$2/wayland.err" & pid=$!
  sleep 4
  kill -0 $pid || { wait $pid; echo "exited with status $?"; cat "$2/wayland.err"; exit 1; }
  kill $pid
' wayland-only "$program" "$runtime" || status=$?
case $status in
  0) echo "PASS: Wayland alone" ;;
  77) echo "SKIP: Wayland alone: weston cannot start here" ;;
  *) echo "FAIL: Wayland alone"; failures=$((failures + 1)) ;;
esac

exit $((failures > 0))
