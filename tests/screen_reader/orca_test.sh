#!/usr/bin/env bash
# The main window, and the drive selection window beside it, as a blind user meets them: Orca
# runs headless against the real program
# (Xvfb, a session bus, the accessibility bus) and logs every utterance; real key presses
# and clicks come from xdotool, and the checks read what Orca said.
# Usage: orca_test.sh PROGRAM. Exits 77 (skipped) only when Orca cannot start here.
set -euo pipefail

. "$(dirname "$0")/orca_session.sh"
[ "${1:-}" = --inside ] || orca_outside 1024x768x24 "$0" "$(realpath "$1")"

program=$2
work=$3
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
orca_inside "$work"

"$program" > "$work/program.out" 2>&1 &
pids+=($!)
window=$(window_of --name "Air End : QNTe418")
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
drawing=$(window_of --name "^ QNTe418$")
xdotool windowfocus --sync "$drawing"
await "QNTe418 air end outline drawing\.$"

echo "the drive selection window: Select, the outcome once, a drive's Show and the main window's reading once"
"$program" --drive-selection > "$work/selection.out" 2>&1 &
pids+=($!)
selection=$(window_of --name "^Drive selection$")
mark
xdotool windowfocus --sync "$selection"
await "^Free air delivery Q \(m³/min\) text\.$"
xdotool type "4.5"
tab_through "^Differential pressure p "
xdotool type "8"
tab_through "^Motor speeds " "^Pulley series " "^Smallest pulley " "^Largest pulley " "^Drives per motor speed "
xdotool key ctrl+a
xdotool type "2"
tab_through "^Service factor c2 " "^Belt sections " "^Highest belt speed " "^Most belts " "^Centre distance " \
  "^Select push button\.$"
mark
key space
await "^notification 4 drives; speed 4650 1/min, power 27\.0 kW\.$"
check_once "^notification "
tab_through "^Show 1450 1/min, pulleys 450 / 140 mm, 3 SPA belts on the window push button\.$"
mark
key space
await "^notification Speed 4660 rpm, power 27\.1 kW, pressure 8\.0 bar, delivery 4\.5 m³/min at 7 bar\.$"
check_once "^notification "

echo "leaving an entry says nothing of its selection"
mark=0
! heard "unselected" || fail "an entry's selection was said to go"
echo "PASS"
