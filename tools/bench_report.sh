#!/usr/bin/env bash
# Builds the benchmarks optimised, runs each of them with repetitions and prints the median of
# every figure beside its goal, with the machine it ran on, as a Markdown table.
#   tools/bench_report.sh                       build in build/release, 10 repetitions
#   BUILD_DIR=build/x REPETITIONS=5 tools/bench_report.sh
# The raw JSON of each benchmark stays in $BUILD_DIR/bench-report/.
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
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQNTE_BUILD_UI=ON -DQNTE_BUILD_BENCH=ON \
  -DQNTE_SANITIZE=OFF >&2
cmake --build "$build" -j2 --target bench_core bench_cross_hair bench_startup >&2

out=$build/bench-report
mkdir -p "$out"
for bench in bench_core bench_cross_hair bench_startup; do
  echo "Running $bench, $repetitions repetitions ..." >&2
  "$build/bench/$bench" --benchmark_format=json --benchmark_repetitions="$repetitions" \
    --benchmark_report_aggregates_only=true >"$out/$bench.json" 2>"$out/$bench.log" || {
    echo "$bench failed; see $out/$bench.log" >&2
    exit 1
  }
done

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


def time_of(name, unit):
    """The median time per iteration, in seconds times unit."""
    run = medians.get(name)
    if run is None:
        return None
    return run["real_time"] * seconds_per_unit[run["time_unit"]] / unit


def counter_of(name, counter):
    run = medians.get(name)
    return None if run is None else run.get(counter)


def ms_counter(name):
    # The benchmark's own median over single moves or starts; its mean per iteration otherwise.
    value = counter_of(name, "median_ms")
    return value if value is not None else time_of(name, 1e-3)


def megabytes(name):
    mib = counter_of(name, "peak_rss_MB")  # ru_maxrss in KiB / 1024
    return None if mib is None else mib * 1048576 / 1e6


rows = [
    ("Complete pressure reading (`UpdatePressureReading`)", time_of("BM_UpdatePressureReading", 1e-6), "µs", 2),
    ("Row scan (`ScanCurveRow`)", time_of("BM_ScanCurveRow", 1e-6), "µs", None),
    ("Cross-hair move with repaint", ms_counter("BM_CrossHairMoveAndRepaint"), "ms", 1),
    ("Cross-hair move without repaint", ms_counter("BM_CrossHairMoveOnly"), "ms", None),
    ("Start-up to first paint", ms_counter("BM_StartToFirstPaint"), "ms", 150),
    ("Peak memory (resident, start to exit)", megabytes("BM_StartToFirstPaint"), "MB", 50),
]
no_goal = {"Row scan (`ScanCurveRow`)": "— (part of the reading)",
           "Cross-hair move without repaint": "— (part of the move)"}

print(f"| Figure | Median of {repetitions} repetitions | Goal | Met |")
print("|---|---|---|---|")
for figure, value, unit, goal in rows:
    shown = "n/a" if value is None else (f"{value:.3f} {unit}" if value < 10 else f"{value:.1f} {unit}")
    if goal is None:
        goal_text, met = no_goal[figure], "—"
    else:
        goal_text = f"≤ {goal} {unit}"
        met = "n/a" if value is None else ("yes" if value <= goal else "no")
    print(f"| {figure} | {shown} | {goal_text} | {met} |")


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


load = context.get("load_avg")
print()
print(f"Machine: {cpu_model()}, {os.cpu_count()} cores"
      + (f" at {context['mhz_per_cpu']} MHz" if context.get("mhz_per_cpu") else "")
      + f"; {os_name()}, Linux {platform.release()}; Qt platform {os.environ.get('QT_QPA_PLATFORM')}"
      + (f"; load average {load[0]:.2f} when the core benchmark started" if load else "")
      + ".")
for error in errors:
    print(f"Failed: {error}")
sys.exit(1 if errors or any(value is None for _, value, _, _ in rows) else 0)
PY
