#!/usr/bin/env bash
# Runs a command on a display of its own, as a user's desktop would give it:
#   with_display.sh x11 COMMAND...      a fresh Xvfb; the command gets DISPLAY
#   with_display.sh wayland COMMAND...  weston on a fresh Xvfb; the command gets
#                                       WAYLAND_DISPLAY only, no DISPLAY
# With QNTE_XFT_DPI set, the X server's resources say Xft.dpi: that many, as a desktop's
# font settings do for a scaled display. QNTE_SCREEN sets the screen's size (1600x1200 unless set).
# Either way QNTE_POINTER_DISPLAY names the X display whose pointer xdotool moves: real
# window-system input, which reaches a Wayland client through weston.
# Exits 77 (skipped) only when the server cannot start here.
set -euo pipefail

mode=$1
shift
for tool in Xvfb xdotool; do
  command -v "$tool" > /dev/null || { echo "with_display: $tool is missing (tools/install-deps.sh test)" >&2; exit 1; }
done
if [ "$mode" = wayland ] && ! command -v weston > /dev/null; then
  echo "with_display: weston is missing (tools/install-deps.sh test)" >&2
  exit 1
fi

pids=()
runtime=$(mktemp -d)
chmod 700 "$runtime"
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2> /dev/null || true; done
  wait 2> /dev/null || true
  rm -rf "$runtime"
}
trap cleanup EXIT

# Displays from 60 up: other sessions on this machine use the low numbers.
display=""
for n in $(seq 60 199); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
  Xvfb ":$n" -screen 0 "${QNTE_SCREEN:-1600x1200}x24" -nolisten tcp -noreset > /dev/null 2>&1 &
  pid=$!
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    kill -0 "$pid" 2> /dev/null || break
    sleep 0.1
  done
  if [ -e "/tmp/.X11-unix/X$n" ] && kill -0 "$pid" 2> /dev/null; then
    pids+=("$pid")
    display=":$n"
    break
  fi
done
[ -n "$display" ] || { echo "SKIP: no Xvfb display could start here"; exit 77; }
export QNTE_POINTER_DISPLAY=$display
if [ -n "${QNTE_XFT_DPI:-}" ]; then
  echo "Xft.dpi: $QNTE_XFT_DPI" | DISPLAY=$display xrdb -nocpp -merge
fi

if [ "$mode" = x11 ]; then
  DISPLAY=$display QT_QPA_PLATFORM=xcb "$@"
  exit
fi

socket=qnte-wayland
DISPLAY=$display XDG_RUNTIME_DIR=$runtime weston --backend=x11-backend.so --use-pixman --no-config \
  --idle-time=0 --width=1500 --height=1100 --socket=$socket > "$runtime/weston.log" 2>&1 &
pids+=("$!")
for _ in $(seq 100); do
  [ -S "$runtime/$socket" ] && break
  sleep 0.1
done
if [ ! -S "$runtime/$socket" ]; then
  echo "SKIP: weston could not start here:"
  cat "$runtime/weston.log"
  exit 77
fi
# The desktop shell's panel and background come up just after the socket.
sleep 1
env -u DISPLAY XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=$socket "$@"
