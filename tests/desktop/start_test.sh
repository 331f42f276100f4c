#!/usr/bin/env bash
# How the program starts, or refuses to, on the displays a user may or may not have:
# no display at all and a dead one give one plain line and status 1, never an abort; a
# desktop with Wayland alone (no X server, no XWayland) gets the windows.
# Usage: start_test.sh PROGRAM
set -uo pipefail
program=$1
here=$(dirname "$0")
failures=0
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT

refuses() {
  local name=$1
  local says=$2
  shift 2
  local status
  env "$@" XDG_RUNTIME_DIR="$runtime" "$program" > /dev/null 2> "$runtime/stderr"
  status=$?
  local lines
  lines=$(wc -l < "$runtime/stderr")
  if [ "$status" -ne 1 ] || [ "$lines" -ne 1 ] || ! grep -q "$says" "$runtime/stderr"; then
    echo "FAIL: $name: status $status, stderr:"
    cat "$runtime/stderr"
    failures=$((failures + 1))
  else
    echo "PASS: $name"
  fi
}

refuses "no display" "no display found" -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY
refuses "X display that is not running" "no display found" -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY DISPLAY=:59999
refuses "Wayland display that is not running" "no display found" -u QT_QPA_PLATFORM -u DISPLAY \
  WAYLAND_DISPLAY=qnte-nowhere
# As where qt6-wayland is missing: Qt has no plugin for the display it is told to use.
refuses "platform plugin missing" "install qt6-wayland" QT_QPA_PLATFORM=qnte-nowhere

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
