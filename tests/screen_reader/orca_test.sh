#!/usr/bin/env bash
# The main window as a blind user meets it: Orca runs headless against the real program
# (Xvfb, a session bus, the accessibility bus) and logs every utterance; real key presses
# and clicks come from xdotool, and the checks read what Orca said.
# Usage: orca_test.sh PROGRAM. Exits 77 (skipped) only when Orca cannot start here.
set -euo pipefail

if [ "${1:-}" != --inside ]; then
  program=$(realpath "$1")
  for tool in orca xvfb-run xauth dbus-run-session xdotool /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" > /dev/null || { echo "missing $tool: run tools/install-deps.sh test" >&2; exit 1; }
  done
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/home" "$work/run"
  chmod 700 "$work/run"
  status=0
  # The display, the buses and everything started in them end with this command.
  env -u QT_QPA_PLATFORM -u DBUS_SESSION_BUS_ADDRESS -u WAYLAND_DISPLAY HOME="$work/home" \
    XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" \
    XDG_CACHE_HOME="$work/home/.cache" XDG_RUNTIME_DIR="$work/run" \
    timeout 240 xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
    dbus-run-session -- "$0" --inside "$program" "$work" || status=$?
  exit "$status"
fi

program=$2
work=$3
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
log=$work/orca.log
pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2> /dev/null || true; done; }
trap cleanup EXIT

/usr/libexec/at-spi-bus-launcher --launch-immediately > "$work/bus.out" 2>&1 &
pids+=($!)
# Orca writes its log through a block buffer; line buffering lets the checks read each
# utterance as it is said. Orca looks for other Orcas of this user on the whole machine,
# refusing to start beside one (and with --replace killing them all); this one lives on
# its own display and buses, so it looks no further than itself.
# Orca's own interpreter, from its first line.
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

# Every utterance, one a line, without Orca's quoting.
said() { [ -f "$log" ] && grep -a "SPEECH OUTPUT: '" "$log" | sed -E "s/^.*SPEECH OUTPUT: '//; s/' ?\{.*$//" || true; }
mark() { mark=$(said | wc -l); }
since() { said | tail -n +"$((mark + 1))"; }
# Whether Orca said a matching line since the mark. Read whole first: grep -q stopping
# early would break the pipe, and with pipefail a match would count as none.
heard() {
  local text
  text=$(since)
  grep -Eq -- "$1" <<< "$text"
}
fail() {
  echo "FAIL: $1" >&2
  echo "Orca said since the step began:" >&2
  since | sed 's/^/  | /' >&2
  exit 1
}
# Waits up to 20 s for an utterance since the mark that matches the extended regex.
await() {
  local deadline=$((SECONDS + 20))
  until heard "$1"; do
    ((SECONDS < deadline)) || fail "Orca did not say /$1/"
    sleep 0.2
  done
  since | grep -E -- "$1" | sed -n '1s/^/  Orca: /p'
}
# After a pause that lets stragglers arrive, how often Orca said a matching line.
count() {
  sleep 1.5
  since | grep -Ec -- "$1" || true
}
check_once() {
  local n
  n=$(count "$1")
  [ "$n" -eq 1 ] || fail "said $n times, not once: /$1/"
}

mark
deadline=$((SECONDS + 40))
until heard "Screen reader on"; do
  if ((SECONDS >= deadline)); then
    echo "SKIP: Orca did not start here; its output:" >&2
    cat "$work/orca.out" >&2
    exit 77
  fi
  sleep 0.2
done

"$program" > "$work/program.out" 2>&1 &
pids+=($!)
window=$(xdotool search --sync --onlyvisible --name "Air End : QNTe418" | head -1)
# No window manager here: give the window the focus as one would.
xdotool windowfocus --sync "$window"
await "^ Air End : QNTe418\.$"
await "^Shaft power PK in kW text\.$"

# The chart's client area starts at (33, 33) in the window.
chart() { xdotool mousemove --window "$window" $((33 + $1)) $((33 + $2)); }
key() { xdotool key --delay 0 "$@"; }
# Tab once for each expected line, each heard after its own Tab.
tab_through() {
  local expected
  for expected in "$@"; do
    mark
    key Tab
    await "$expected"
  done
}

echo "a click: the new reading, once"
mark
chart 299 199
xdotool click 1
await "^notification Speed 5000 rpm, power 25\.0 kW, pressure 5\.9 bar, delivery 4\.8 m³/min at 4 bar\.$"
check_once "^notification "

echo "a red point: which read-outs and why"
mark
chart 300 49
xdotool click 1
await "^notification Speed 5010 rpm, power 40\.0 kW, .* Speed and power outside the permitted region, above the speed limit of the 7 bar curve\.$"
check_once "^notification "

echo "a Tab round from the chart: every stop says what it is, values whole, no silent first visit"
rounds=(
  "^Shaft power PK in kW, cross-hair row scroll bar 40\.0\.$"
  "^Rotor speed nHR 5010 rpm, outside the permitted region, above the speed limit of the 7 bar curve label\.$"
  "^Air End push button\.$"
  "^Screw rotors image\.$"
  "^40\.0 selected\.$"
  "^Rotor speed nHR in 1/min, cross-hair column scroll bar 5010\.$"
  "^12\.2 selected\.$"
  "^Free air delivery Q1 4\.8 m³/min at 10 bar label\.$"
  "^Calculate speed from power and pressure push button\.$"
  "^Motor speed in 1/min text\.$"
  "^Motor pulley diameter text\.$"
  "^Air-end pulley diameter text\.$"
  "^Calculate air-end speed from the pulleys push button\.$"
  "^Close push button\.$"
  "^Performance chart image\.$"
)
tab_through "${rounds[@]}" "cross-hair row scroll bar"

echo "a scroll key: the bar's power, then the reading"
mark
key Down
await "^39\.9$"
await "^notification Speed 5010 rpm, power 39\.9 kW, "
check_once "^notification "

echo "a drag: quiet while it moves, the reading where it ends"
mark
chart 100 150
xdotool mousedown 3
for x in 120 140 160; do
  chart "$x" 150
  sleep 0.2
done
[ "$(count "^notification ")" -eq 0 ] || fail "spoke during the drag"
xdotool mouseup 3
await "^notification Speed 3610 rpm, power 29\.9 kW, "
check_once "^notification "

echo "the first Calculate: the result"
tab_through "cross-hair row scroll bar" "label\.$" "^Air End push button" "^Screw rotors" "^29\.9 selected\."
xdotool type "37"
tab_through "cross-hair column scroll bar" "^Differential pressure in bar text\.$"
xdotool type "7"
tab_through "label\.$" "^Calculate speed from power and pressure push button\.$"
mark
key space
await "^notification Speed [0-9]+ rpm, power 37\.0 kW, pressure 7\.0 bar, "
check_once "^notification "

echo "the second Calculate: the result"
for entry in "Motor speed in 1/min:1450" "Motor pulley diameter:200" "Air-end pulley diameter:100"; do
  mark
  key Tab
  await "^${entry%%:*} text\.$"
  xdotool type "${entry##*:}"
done
tab_through "^Calculate air-end speed from the pulleys push button\.$"
mark
key space
await "^notification Speed 2900 rpm, power 37\.0 kW, "
check_once "^notification "

echo "the drawing window says its name when it opens"
tab_through "^Close push button" "^Performance chart image" "scroll bar" "label\.$" "^Air End push button\.$"
mark
key space
drawing=$(xdotool search --sync --onlyvisible --name "^ QNTe418$" | head -1)
xdotool windowfocus --sync "$drawing"
await "QNTe418 air end outline drawing\.$"

echo "leaving an entry says nothing of its selection"
mark=0
! heard "unselected" || fail "an entry's selection was said to go"
echo "PASS"
