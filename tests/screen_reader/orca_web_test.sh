#!/usr/bin/env bash
# The browser edition as a blind user meets it in Chromium: Orca runs headless against the page
# (Xvfb, a session bus, the accessibility bus), the X server's pointer and keyboard (xdotool) click
# the chart and fill in both calculators, and Orca must say each new reading once, in the sentence
# the desktop says (the native core's, from web_reference).
# Usage: orca_web_test.sh WEB_REFERENCE SITE_DIR. Exits 77 (skipped) only when Orca cannot start.
set -euo pipefail

. "$(dirname "$0")/orca_session.sh"
if [ "${1:-}" != --inside ]; then
  command -v chromium > /dev/null || { echo "missing chromium: run tools/install-deps.sh test" >&2; exit 1; }
  orca_outside 1280x1024x24 "$0" "$(realpath "$1")" "$(realpath "$2")"
fi

reference=$2
site=$3
work=$4
# The page's sentences are fixed strings.
match=-F
orca_inside "$work"
await_once() {
  await "$1"
  check_once "$1"
}

# Where each control's centre lies on the screen (the body's 8 px margin, then the layout table),
# and the name Orca says for it.
layout=$(echo layout | "$reference")
at() {
  /usr/bin/python3 -c 'import json, sys
c = next(c for c in json.loads(sys.argv[1])["controls"] if c["name"] == sys.argv[2])
print(8 + c["left"] + c["width"] // 2, 8 + c["top"] + c["height"] // 2, c["accessibleName"])' "$layout" "$1"
}
read -r _ _ first < <(at Text1)

support=$(dirname "$0")/../support
/usr/bin/python3 "$support/local_server.py" "$site" > "$work/url" &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/url" ] && break; sleep 0.1; done
# Display scale 1, kiosk: the page's origin is the screen's.
/usr/bin/python3 "$support/browsers.py" "$(cat "$work/url")" > "$work/chromium.out" 2>&1 &
pids+=($!)
window=$(window_of --class chromium)
xdotool windowfocus --sync "$window"
# The page is ready when Text1 has the focus. Orca meeting a browser that has just started
# sometimes takes the first load's "busy" for a second load that never ends, and then says
# nothing of the page; a reload, as a user would press it, ends that.
mark
for attempt in 1 2 3; do
  within "$first entry." 15 && break
  ((attempt < 3)) || fail "Orca did not say the focus on the page's first entry after two reloads"
  echo "Orca did not say the page's focus; reloading" >&2
  mark
  xdotool key F5
done

# The native core's sentences for the same actions.
mapfile -t sentences < <(printf '%s\n' "down 1 0 299 199" "text 0 37" "text 1 7" command1 \
  "text 2 1450" "text 3 200" "text 4 100" command2 | "$reference" |
  /usr/bin/python3 -c 'import json, sys
for line in sys.stdin: print(json.loads(line)["announcement"])')

echo "a click on the chart: the new reading, once"
mark
# Chart pixel (299, 199): inside Picture1's 1 px border.
xdotool mousemove $((8 + 32 + 1 + 299)) $((8 + 32 + 1 + 199)) click 1
await_once "${sentences[0]}"

# Orca now and then lets a focus change pass unsaid; a user who hears nothing tries again, and
# so does each step here before it fails.
# The click moves the focus, so keys typed then reach the entry. Orca says a focus only when it
# moves to another control, so an unheard one is moved on with Tab before the next try.
type_into() {
  local x y name attempt
  read -r x y name < <(at "$1")
  for attempt in 1 2 3; do
    mark
    xdotool mousemove "$x" "$y" click 1
    within "$name entry" 8 && break
    ((attempt < 3)) || fail "Orca did not say the focus on $1"
    xdotool key Tab
  done
  xdotool key ctrl+a type --delay 30 "$2"
}
# A button clicked as a hand clicks it: Orca has said the focus on it before the button is let
# go. (xdotool's click lets go within a millisecond, and Orca drops a polite message that comes
# in with a focus change it has not yet spoken.) Unheard, the button is let go elsewhere, which
# is no click; Orca is asked where the focus is (Where Am I), and the focused button is clicked.
press() {
  local x y name
  read -r x y name < <(at "$1")
  mark
  xdotool mousemove "$x" "$y" mousedown 1
  if within "$name push button" 8; then
    mark
    xdotool mouseup 1
    return
  fi
  xdotool mousemove 4 500 mouseup 1
  mark
  xdotool key KP_Enter
  await "$name push button"
  mark
  xdotool mousemove "$x" "$y" click 1
}
echo "the first Calculate: the result, once"
type_into Text1 37
type_into Text2 7
mark
press Command1
await_once "${sentences[3]}"

echo "the second Calculate: the result, once"
type_into Text3 1450
type_into Text4 200
type_into Text5 100
mark
press Command2
await_once "${sentences[7]}"

echo "the drawing window: announced as a dialog; Escape gives the focus back to Air End"
mark
read -r x y _ < <(at Command4)
xdotool mousemove "$x" "$y" click 1
await "air end outline drawing dialog"
mark
xdotool key Escape
await "Air End push button"
echo "PASS"
