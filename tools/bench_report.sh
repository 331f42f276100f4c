#!/usr/bin/env bash
# Builds the benchmarks optimised and runs each figure beside its floor, interleaved in the
# same run, then prints a Markdown table of figure, floor, their ratio and the goal, with the
# machine it ran on. Ratios hold from machine to machine where absolute times do not.
#   tools/bench_report.sh                       build in build/release, 10 repetitions
#   BUILD_DIR=build/x REPETITIONS=5 tools/bench_report.sh
#   INSTRUCTIONS=1 tools/bench_report.sh         also count the instructions to the first
#                                                paint under callgrind: slow, but the same
#                                                on a busy machine as on a quiet one
#   WEB=0 tools/bench_report.sh                  without the browser figures (they need
#                                                emscripten and Chromium, and take minutes)
# The browser figures come from bench/web_bench.py (the WebAssembly reading and the native one
# in turn, navigation with a cold cache, first-load bytes), the command-line reader's from
# tools/bench_reader.sh, both in their JSON mode, after the native figures of the same run.
# The raw JSON of each benchmark stays in $BUILD_DIR/bench-report/. A figure that misses its
# goal is reported, not failed: only a benchmark that cannot run ends the script with 1.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${BUILD_DIR:-build/release}
repetitions=${REPETITIONS:-10}
case $repetitions in
  '' | *[!0-9]* | 0) echo "REPETITIONS must be a whole number from 1 up" >&2; exit 2 ;;
esac
# The same platform wherever it runs: the figures then compare across machines and CI.
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

tools/install-deps.sh test >&2
# Named explicitly, so that a build directory configured otherwise still builds what is timed.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQNTE_BUILD_UI=ON -DBUILD_TESTING=ON -DQNTE_BUILD_BENCH=ON \
  -DQNTE_SANITIZE=OFF >&2
cmake --build "$build" -j2 --target bench_core bench_cross_hair bench_startup qnte418grafik-read >&2

out=$build/bench-report
mkdir -p "$out"
cut -d' ' -f1 /proc/loadavg >"$out/load-before"
for bench in bench_core bench_cross_hair bench_startup; do
  echo "Running $bench, $repetitions repetitions ..." >&2
  # Random interleaving runs the repetitions of a figure and of its floor in turn.
  "$build/bench/$bench" --benchmark_format=json --benchmark_repetitions="$repetitions" \
    --benchmark_enable_random_interleaving=true \
    --benchmark_report_aggregates_only=true >"$out/$bench.json" 2>"$out/$bench.log" || {
    echo "$bench failed; see $out/$bench.log" >&2
    exit 1
  }
done
rm -f "$out"/instructions-* "$out"/web.json "$out"/web.skipped "$out"/reader.json
if [ "${INSTRUCTIONS:-0}" = 1 ]; then
  for window in program bare text; do
    executable=bench_${window}_window argument=
    [ "$window" != text ] || executable=bench_bare_window argument=text
    echo "Counting the instructions of $executable $argument to its first paint ..." >&2
    QNTE_EXIT_AT_FIRST_PAINT=1 valgrind --tool=callgrind --callgrind-out-file="$out/callgrind.$window" \
      "$build/bench/$executable" $argument >/dev/null 2>"$out/callgrind.$window.log" || {
      echo "callgrind failed on $executable $argument; see $out/callgrind.$window.log" >&2
      exit 1
    }
    sed -n 's/^totals: *//p' "$out/callgrind.$window" >"$out/instructions-$window"
  done
fi

web_missing=
if [ "${WEB:-1}" = 0 ]; then
  web_missing="WEB=0"
else
  for tool in emcc chromium chromedriver; do
    command -v "$tool" >/dev/null || web_missing+="no $tool, "
  done
  /usr/bin/python3 -c 'import selenium' 2>/dev/null || web_missing+="no python3-selenium, "
  [ -z "$web_missing" ] || web_missing="${web_missing%, } (tools/install-deps.sh test installs them)"
fi
if [ -n "$web_missing" ]; then
  echo "Browser figures skipped: $web_missing." | tee "$out/web.skipped" >&2
else
  tools/web.sh --build >&2
  echo "Running the browser figures, $repetitions samples each ..." >&2
  /usr/bin/python3 bench/web_bench.py --json build/web "$build/bench/bench_core" "$repetitions" \
    >"$out/web.json" 2>"$out/web.log" || {
    echo "bench/web_bench.py failed; see $out/web.log" >&2
    exit 1
  }
fi
echo "Running the command-line reader, $repetitions runs per format ..." >&2
BUILD_DIR=$build REPETITIONS=$repetitions tools/bench_reader.sh --json >"$out/reader.json" 2>"$out/reader.log" || {
  echo "tools/bench_reader.sh failed; see $out/reader.log" >&2
  exit 1
}
cut -d' ' -f1 /proc/loadavg >"$out/load-after"

python3 - "$out" "$repetitions" <<'PY'
import json
import os
import platform
import sys

out, repetitions = sys.argv[1], sys.argv[2]
seconds_per_unit = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}

medians = {}
errors = []
context = {}
for bench in ("bench_core", "bench_cross_hair", "bench_startup"):
    with open(os.path.join(out, bench + ".json")) as f:
        report = json.load(f)
    context = context or report.get("context", {})
    for run in report.get("benchmarks", []):
        if run.get("error_occurred"):
            errors.append(f"{run.get('name')}: {run.get('error_message', 'failed')}")
        elif run.get("run_type") == "aggregate" and run.get("aggregate_name") == "median":
            # "BM_X/iterations:20/manual_time" and the like: the family name is what counts.
            medians[run["run_name"].split("/")[0]] = run


def cpu_time(name, unit):
    """The median CPU time per call, in seconds / unit: in-process figures and their floors
    compare on CPU time, which a busy machine's other work does not stretch."""
    run = medians.get(name)
    if run is None:
        return None
    return run["cpu_time"] * seconds_per_unit[run["time_unit"]] / unit


def counter(name, key):
    run = medians.get(name)
    return None if run is None else run.get(key)


def optional_json(name):
    try:
        with open(os.path.join(out, name)) as f:
            return json.load(f)
    except OSError:
        return None


def grouped(number):
    return f"{number:,.0f}".replace(",", " ")


web = optional_json("web.json")
reader = optional_json("reader.json")


# figure, its value, its floor's value (None: it has no floor), unit, goal as a ratio to the
# floor, goal in the figure's own unit (at most; for a rate, at least)
NO_FLOOR = object()
rows = [
    ("Complete pressure reading (`UpdatePressureReading`) / plain row-scan loop",
     cpu_time("BM_UpdatePressureReading", 1e-6), cpu_time("BM_PlainRowScan", 1e-6), "µs", 1.25, None),
    ("Default drive selection (two motor speeds, R40 63–500 mm, four belt sections) / complete pressure reading",
     cpu_time("BM_DriveSelection", 1e-6), cpu_time("BM_UpdatePressureReading", 1e-6), "µs", None, 5000),
    ("Row scan (`ScanCurveRow`) / plain row-scan loop",
     cpu_time("BM_ScanCurveRow", 1e-6), cpu_time("BM_PlainRowScan", 1e-6), "µs", None, None),
    ("Start-up to first paint / bare Qt window",
     counter("BM_StartToFirstPaint", "median_ms"), counter("BM_StartToFirstPaint", "floor_median_ms"), "ms", 1.25, None),
    ("Start-up to first paint / bare Qt window with one line of text",
     counter("BM_StartToFirstPaint", "median_ms"), counter("BM_StartToFirstPaint", "text_floor_median_ms"), "ms",
     None, None),
    ("Start-up to first paint, CPU time / bare Qt window",
     counter("BM_StartToFirstPaint", "cpu_median_ms"), counter("BM_StartToFirstPaint", "floor_cpu_median_ms"), "ms",
     None, None),
    ("Peak resident memory, start to exit / bare Qt window",
     counter("BM_StartToFirstPaint", "peak_rss_MB"), counter("BM_StartToFirstPaint", "floor_peak_rss_MB"), "MiB", 1.25,
     None),
    ("Cross-hair move with repaint", counter("BM_CrossHairMoveAndRepaint", "median_ms"), NO_FLOOR, "ms", None, 0.5),
    ("Cross-hair move without repaint", counter("BM_CrossHairMoveOnly", "median_ms"), NO_FLOOR, "ms", None, None),
]
if web:
    rows += [
        ("Complete pressure reading, WebAssembly in headless Chromium / native, in turn",
         web["wasm_reading_us"], web["native_reading_us"], "µs", 2, None),
        ("Default drive selection, WebAssembly in headless Chromium / native, in turn",
         web["wasm_selection_ms"], web["native_selection_ms"], "ms", 2, None),
        ("Navigation to the chart drawn and live, cold cache", web["navigation_ms"], NO_FLOOR, "ms", None, 300),
        ("Bytes transferred on the first load", web["transferred_bytes"] / 1e6, NO_FLOOR, "MB", None, 1),
        ("All files of the page, gzip -9", web["site_gzip_bytes"] / 1e6, NO_FLOOR, "MB", None, None),
    ]
if reader:
    rows += [(f"Command-line `at` readings per second, {name}, {grouped(reader['lines'])} lines, start to exit",
              reader["lines"] / runs["wall_s"], NO_FLOOR, "/s", None, reader["goal"])
             for name, runs in reader["formats"].items()]


def shown(value, unit):
    if value is None:
        return "n/a"
    if unit == "/s":
        return f"{grouped(value)} /s"
    return f"{value:.3f} {unit}" if value < 10 else f"{value:.1f} {unit}"


print(f"| Figure | Ratio | Goal | Met | Figure, median of {repetitions} | Floor, median of {repetitions} |")
print("|---|---|---|---|---|---|")
missing = False
for figure, value, floor, unit, ratio_goal, goal in rows:
    has_floor = floor is not NO_FLOOR
    ratio = value / floor if has_floor and value is not None and floor else None
    missing = missing or value is None or (has_floor and floor is None)
    if ratio_goal is not None:
        goal_text = f"≤ {ratio_goal}×"
        met = "n/a" if ratio is None else ("yes" if ratio <= ratio_goal else "no")
    elif goal is not None and unit == "/s":
        goal_text = f"≥ {shown(goal, unit)}"
        met = "n/a" if value is None else ("yes" if value >= goal else "no")
    elif goal is not None:
        goal_text = f"≤ {goal} {unit}"
        met = "n/a" if value is None else ("yes" if value <= goal else "no")
    else:
        goal_text, met = "—", "—"
    # A third decimal where two would round a ratio onto its goal.
    close = ratio is not None and ratio_goal is not None and abs(ratio - ratio_goal) < 0.01
    ratio_text = "—" if not has_floor else ("n/a" if ratio is None else f"{ratio:.3f}×" if close else f"{ratio:.2f}×")
    floor_text = shown(floor, unit) if has_floor else "—"
    print(f"| {figure} | {ratio_text} | {goal_text} | {met} | {shown(value, unit)} | {floor_text} |")


def cpu_model():
    try:
        with open("/proc/cpuinfo") as f:
            for line in f:
                if line.lower().startswith("model name"):
                    return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return platform.processor() or "unknown"


def os_name():
    try:
        with open("/etc/os-release") as f:
            fields = dict(line.rstrip("\n").split("=", 1) for line in f if "=" in line)
        return fields.get("PRETTY_NAME", "").strip('"') or platform.system()
    except OSError:
        return platform.system()


def load(when):
    try:
        with open(os.path.join(out, "load-" + when)) as f:
            return f.read().strip()
    except OSError:
        return "?"


print()
print(f"Machine: {cpu_model()}, {os.cpu_count()} cores"
      + (f" at {context['mhz_per_cpu']} MHz" if context.get("mhz_per_cpu") else "")
      + f"; {os_name()}, Linux {platform.release()}; Qt platform {os.environ.get('QT_QPA_PLATFORM')}"
      + f"; load average {load('before')} before the run, {load('after')} after.")
if web:
    fetched = web["module_fetched_ms"]
    print()
    print(f"Navigation, medians of {web['samples']}: the {web['module_bytes'] / 1024:.0f} KiB module had arrived at "
          + ("n/a" if fetched is None else f"{fetched:.0f} ms")
          + f", the core was running at {web['core_loaded_ms']:.0f} ms, the chart drawn and live at "
          f"{web['navigation_ms']:.0f} ms. First load {web['transferred_bytes'] / 1024:.0f} KiB; all files "
          f"{web['site_bytes'] / 1024:.0f} KiB, {web['site_gzip_bytes'] / 1024:.0f} KiB with gzip -9.")
try:
    with open(os.path.join(out, "web.skipped")) as f:
        print()
        print(f.read().strip())
except OSError:
    pass
if reader:
    print()
    print("Command-line reader, CPU time of the same runs: "
          + ", ".join(f"{name} {runs['cpu_s']:.2f} s" for name, runs in reader["formats"].items())
          + f"; peak resident memory {reader['peak_kib_1000']} KiB for 1 000 lines, "
          f"{reader['peak_kib_all']} KiB for {grouped(reader['lines'])}.")
counts = {}
for window in ("program", "bare", "text"):
    try:
        with open(os.path.join(out, "instructions-" + window)) as f:
            counts[window] = int(f.read().split()[0])
    except (OSError, ValueError, IndexError):
        pass
if len(counts) == 3:
    print()
    print(f"Instructions to the first paint (callgrind): program {counts['program'] / 1e6:.1f} million, "
          f"bare window {counts['bare'] / 1e6:.1f} million, ratio {counts['program'] / counts['bare']:.2f}×; "
          f"bare window with one line of text {counts['text'] / 1e6:.1f} million, "
          f"ratio {counts['program'] / counts['text']:.2f}×.")
for error in errors:
    print(f"Failed: {error}")
sys.exit(1 if errors or missing else 0)
PY
