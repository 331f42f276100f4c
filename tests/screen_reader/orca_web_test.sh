#!/usr/bin/env bash
# The browser edition as a blind user meets it in Chromium: Orca runs headless against the page
# (Xvfb, a session bus, the accessibility bus), the X server's pointer and keyboard (xdotool) click
# the chart and fill in both calculators, and Orca must say each new reading once, in the sentence
# the desktop says (the native core's, from web_reference).
# Usage: orca_web_test.sh WEB_REFERENCE SITE_DIR. Exits 77 (skipped) only when Orca cannot start.
set -euo pipefail

if [ "${1:-}" != --inside ]; then
  reference=$(realpath "$1")
  site=$(realpath "$2")
  for tool in orca chromium xvfb-run xauth dbus-run-session xdotool /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" > /dev/null || { echo "missing $tool: run tools/install-deps.sh test" >&2; exit 1; }
  done
  work=$(mktemp -d)
  trap 'rm -rf "$work" 2> /dev/null || true' EXIT
  mkdir -p "$work/home" "$work/run"
  chmod 700 "$work/run"
  status=0
  env -u DBUS_SESSION_BUS_ADDRESS -u WAYLAND_DISPLAY HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
    XDG_DATA_HOME="$work/home/.local/share" XDG_CACHE_HOME="$work/home/.cache" XDG_RUNTIME_DIR="$work/run" \
    timeout 240 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    dbus-run-session -- "$0" --inside "$reference" "$site" "$work" || status=$?
  exit "$status"
fi

reference=$2
site=$3
work=$4
log=$work/orca.log
pids=()
cleanup() {
  local pid _ alive
  for pid in "${pids[@]}"; do kill "$pid" 2> /dev/null || true; done
  for _ in $(seq 30); do  # up to 3 s to end, then no longer asked
    alive=0
    for pid in "${pids[@]}"; do kill -0 "$pid" 2> /dev/null && alive=1; done
    ((alive)) || break
    sleep 0.1
  done
  for pid in "${pids[@]}"; do kill -KILL "$pid" 2> /dev/null || true; done
  wait "${pids[@]}" 2> /dev/null || true  # Orca does not end when asked
}
trap cleanup EXIT

/usr/libexec/at-spi-bus-launcher --launch-immediately > "$work/bus.out" 2>&1 &
pids+=($!)
# Orca line-buffered and alone on its display, as in orca_test.sh.
interpreter=$(head -1 "$(command -v orca)" | sed 's/^#! *//')
$interpreter -c '
import builtins, runpy, sys
plain_open = builtins.open
def line_buffered(file, mode="r", *args, **kwargs):
    if mode == "w" and not args and "buffering" not in kwargs:
        kwargs["buffering"] = 1
    return plain_open(file, mode, *args, **kwargs)
builtins.open = line_buffered
main = runpy.run_path(sys.argv[1], run_name="orca_launcher")["main"]
main.__globals__["otherOrcas"] = lambda: []
sys.argv = [sys.argv[1], "--debug-file=" + sys.argv[2]]
sys.exit(main())
' "$(command -v orca)" "$log" > "$work/orca.out" 2>&1 &
pids+=($!)

said() { [ -f "$log" ] && grep -a "SPEECH OUTPUT: '" "$log" | sed -E "s/^.*SPEECH OUTPUT: '//; s/' ?\{.*$//" || true; }
mark() { mark=$(said | wc -l); }
since() { said | tail -n +"$((mark + 1))"; }
fail() {
  echo "FAIL: $1" >&2
  echo "Orca said since the step began:" >&2
  since | sed 's/^/  | /' >&2
  exit 1
}
# Waits up to 20 s for Orca to say the line (a fixed string).
hear() {
  local deadline=$((SECONDS + 20))
  until since | grep -Fq -- "$1"; do
    ((SECONDS < deadline)) || fail "Orca did not say: $1"
    sleep 0.2
  done
}
# Waits up to 20 s for Orca to say the line (a fixed string, whole or after a role word such as
# "notification"), then 1.5 s for stragglers: it must have been said exactly once.
hear_once() {
  local deadline=$((SECONDS + 20)) n
  until since | grep -Fq -- "$1"; do
    ((SECONDS < deadline)) || fail "Orca did not say: $1"
    sleep 0.2
  done
  sleep 1.5
  n=$(since | grep -Fc -- "$1" || true)
  [ "$n" -eq 1 ] || fail "said $n times, not once: $1"
  echo "  Orca: $(since | grep -F -- "$1" | head -1)"
}

mark
deadline=$((SECONDS + 40))
until since | grep -q "Screen reader on"; do
  if ((SECONDS >= deadline)); then
    echo "SKIP: Orca did not start here; its output:" >&2
    cat "$work/orca.out" >&2
    exit 77
  fi
  sleep 0.2
done

port=$(/usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
/usr/bin/python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site" > /dev/null 2>&1 &
pids+=($!)
# Display scale 1, kiosk: the page's origin is the screen's.
chromium --no-sandbox --test-type --kiosk --no-first-run --force-renderer-accessibility \
  --force-device-scale-factor=1 --window-position=0,0 --user-data-dir="$work/chromium" \
  "http://127.0.0.1:$port/" > "$work/chromium.out" 2>&1 &
pids+=($!)
window=$(xdotool search --sync --onlyvisible --class chromium | head -1)
xdotool windowfocus --sync "$window"
mark
hear "Shaft power PK in kW entry."  # the page is ready: Text1 has the focus

# Where each control's centre lies on the screen: the body's 8 px margin, then the layout table.
layout=$(echo layout | "$reference")
at() {
  /usr/bin/python3 -c 'import json, sys
c = next(c for c in json.loads(sys.argv[1])["controls"] if c["name"] == sys.argv[2])
print(8 + c["left"] + c["width"] // 2, 8 + c["top"] + c["height"] // 2)' "$layout" "$1"
}
# The native core's sentences for the same actions.
mapfile -t sentences < <(printf '%s\n' "down 1 0 299 199" "text 0 37" "text 1 7" command1 \
  "text 2 1450" "text 3 200" "text 4 100" command2 | "$reference" |
  /usr/bin/python3 -c 'import json, sys
for line in sys.stdin: print(json.loads(line)["announcement"])')

echo "a click on the chart: the new reading, once"
mark
# Chart pixel (299, 199): inside Picture1's 1 px border.
xdotool mousemove $((8 + 32 + 1 + 299)) $((8 + 32 + 1 + 199)) click 1
hear_once "${sentences[0]}"

type_into() {
  read -r x y < <(at "$1")
  mark
  xdotool mousemove "$x" "$y" click 1
  hear " entry"  # the click has moved the focus: keys typed now reach the entry
  xdotool key ctrl+a type --delay 30 "$2"
}
# A button clicked as a hand clicks it: Orca has said the focus on it before the button is let
# go. (xdotool's click lets go within a millisecond, and Orca drops a polite message that comes
# in with a focus change it has not yet spoken.)
press() {
  read -r x y < <(at "$1")
  mark
  xdotool mousemove "$x" "$y" mousedown 1
  hear " push button"
  mark
  xdotool mouseup 1
}
echo "the first Calculate: the result, once"
type_into Text1 37
type_into Text2 7
mark
press Command1
hear_once "${sentences[3]}"

echo "the second Calculate: the result, once"
type_into Text3 1450
type_into Text4 200
type_into Text5 100
mark
press Command2
hear_once "${sentences[7]}"

echo "the drawing window: announced as a dialog; Escape gives the focus back to Air End"
mark
read -r x y < <(at Command4)
xdotool mousemove "$x" "$y" click 1
hear "air end outline drawing dialog"
mark
xdotool key Escape
hear "Air End push button"
echo "PASS"
