# shellcheck shell=bash
# Orca headless on a display and buses of its own, for the screen-reader tests; sourced.
# orca_outside SCREEN SCRIPT ARGS...: runs SCRIPT --inside ARGS... WORK on a fresh Xvfb of size
#   SCREEN with its own session bus, home and runtime folder, and exits with its status.
# orca_inside WORK: starts the accessibility bus and Orca, logging every utterance to WORK, and
#   waits until Orca is on (exit 77, skipped, when it cannot start here). Then `mark` notes
#   where a step begins, `await PATTERN` waits up to 20 s for an utterance since the mark
#   (`within PATTERN SECONDS` the same without failing),
#   `check_once PATTERN` checks it was said once; patterns are extended regexes, or fixed
#   strings with `match=-F`; `window_of` finds a window as `xdotool search` does.

orca_outside() {
  local screen=$1 script=$2 work status=0
  shift 2
  for tool in orca xvfb-run xauth dbus-run-session xdotool /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" > /dev/null || { echo "missing $tool: run tools/install-deps.sh test" >&2; exit 1; }
  done
  work=$(mktemp -d)
  trap 'rm -rf "$work" 2> /dev/null || true' EXIT
  mkdir -p "$work/home" "$work/run"
  chmod 700 "$work/run"
  # The display, the buses and everything started in them end with this command.
  env -u QT_QPA_PLATFORM -u DBUS_SESSION_BUS_ADDRESS -u WAYLAND_DISPLAY HOME="$work/home" \
    XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" \
    XDG_CACHE_HOME="$work/home/.cache" XDG_RUNTIME_DIR="$work/run" \
    timeout 240 xvfb-run -a -s "-screen 0 $screen -nolisten tcp" \
    dbus-run-session -- "$script" --inside "$@" "$work" || status=$?
  exit "$status"
}

pids=()
cleanup() {
  local pid _ alive
  for pid in "${pids[@]}"; do kill "$pid" 2> /dev/null || true; done
  for _ in $(seq 30); do  # up to 3 s to end, then no longer asked: Orca does not end when asked
    alive=0
    for pid in "${pids[@]}"; do kill -0 "$pid" 2> /dev/null && alive=1; done
    ((alive)) || break
    sleep 0.1
  done
  for pid in "${pids[@]}"; do kill -KILL "$pid" 2> /dev/null || true; done
  wait "${pids[@]}" 2> /dev/null || true
}

# window_of XDOTOOL_SEARCH_ARGS...: the first visible window that matches. xdotool dies of a
# window that vanishes while it looks (a browser's short-lived ones), so it looks again.
window_of() {
  local found _
  for _ in $(seq 300); do
    found=$(xdotool search --onlyvisible "$@" 2> /dev/null | head -1) || true
    [ -n "$found" ] && echo "$found" && return
    sleep 0.1
  done
  echo "no window: $*" >&2
  return 1
}

match=-E
# Every utterance, one a line, without Orca's quoting.
said() { [ -f "$log" ] && grep -a "SPEECH OUTPUT: '" "$log" | sed -E "s/^.*SPEECH OUTPUT: '//; s/' ?\{.*$//" || true; }
mark() { mark=$(said | wc -l); }
since() { said | tail -n +"$((mark + 1))"; }
# Whether Orca said a matching line since the mark. Read whole first: grep -q stopping
# early would break the pipe, and with pipefail a match would count as none.
heard() {
  local text
  text=$(since)
  grep "$match" -q -- "$1" <<< "$text"
}
fail() {
  echo "FAIL: $1" >&2
  echo "Orca said since the step began:" >&2
  since | sed 's/^/  | /' >&2
  echo "What Orca last did with the events it had:" >&2
  grep -aE "EVENT MANAGER: Queueing|Ignoring|Not presenting|loading" "$log" | tail -25 | cut -c1-200 | sed 's/^/  | /' >&2
  exit 1
}
# within PATTERN [SECONDS]: whether Orca says a matching line within SECONDS (20).
within() {
  local deadline=$((SECONDS + ${2:-20}))
  until heard "$1"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.2
  done
  since | grep "$match" -- "$1" | sed -n '1s/^/  Orca: /p'
}
await() { within "$1" || fail "Orca did not say /$1/"; }
# After a pause that lets stragglers arrive, how often Orca said a matching line.
count() {
  sleep 1.5
  since | grep "$match" -c -- "$1" || true
}
check_once() {
  local n
  n=$(count "$1")
  [ "$n" -eq 1 ] || fail "said $n times, not once: /$1/"
}

orca_inside() {
  log=$1/orca.log
  trap cleanup EXIT
  /usr/libexec/at-spi-bus-launcher --launch-immediately > "$1/bus.out" 2>&1 &
  pids+=($!)
  # Orca writes its log through a block buffer; line buffering lets the checks read each
  # utterance as it is said. Orca looks for other Orcas of this user on the whole machine,
  # refusing to start beside one (and with --replace killing them all); this one lives on
  # its own display and buses, so it looks no further than itself.
  # Orca's own interpreter, from its first line.
  local interpreter deadline
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
' "$(command -v orca)" "$log" > "$1/orca.out" 2>&1 &
  pids+=($!)
  mark
  deadline=$((SECONDS + 40))
  until heard "Screen reader on"; do
    if ((SECONDS >= deadline)); then
      echo "SKIP: Orca did not start here; its output:" >&2
      cat "$1/orca.out" >&2
      exit 77
    fi
    sleep 0.2
  done
}
