#!/usr/bin/env bash
# Times qnte418grafik-read over a batch of 100 000 `at` lines, process start included, and
# prints the median readings per second of each output format beside the goal, with the CPU
# time, and the peak resident memory for 1 000 and for 100 000 lines (a batch streams: both
# should match).
#   tools/bench_reader.sh                       build in build/release, 10 repetitions
#   BUILD_DIR=build/x REPETITIONS=5 tools/bench_reader.sh
#   tools/bench_reader.sh --json                the medians as one JSON object, for
#                                               tools/bench_report.sh, instead of a table
set -euo pipefail
cd "$(dirname "$0")/.."
json=false
case ${1:-} in
  '') ;;
  --json) json=true ;;
  *) echo "usage: tools/bench_reader.sh [--json]" >&2; exit 2 ;;
esac

build=${BUILD_DIR:-build/release}
repetitions=${REPETITIONS:-10}
case $repetitions in
  '' | *[!0-9]* | 0) echo "REPETITIONS must be a whole number from 1 up" >&2; exit 2 ;;
esac
lines=100000
goal=200000

tools/install-deps.sh test >&2
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQNTE_SANITIZE=OFF >&2
cmake --build "$build" -j2 --target qnte418grafik-read >&2
reader=$build/cli/qnte418grafik-read

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Speeds over the whole chart and powers over all rows, the same lines on every run.
awk -v n="$lines" 'BEGIN { for (i = 0; i < n; i++) printf "%d,%.1f\n", 2000 + (i * 37) % 5001, 5 + ((i * 53) % 401) / 10 }' \
  >"$work/at.csv"
head -n 1000 "$work/at.csv" >"$work/at-1000.csv"

# One run: wall seconds from the spawn to the exit, and the CPU seconds (user + system) it
# used. On a shared machine the wall time also counts the waits for a core; the CPU time does not.
run_once() {
  local start end cpu
  start=$(date +%s%N)
  cpu=$(/usr/bin/time -f '%U %S' "$reader" --format "$1" at --batch "$work/at.csv" 2>&1 >/dev/null | tail -n 1)
  end=$(date +%s%N)
  awk -v ns=$((end - start)) -v cpu="$cpu" 'BEGIN { split(cpu, c, " "); printf "%.6f %.2f\n", ns / 1e9, c[1] + c[2] }'
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

peak_kib() { /usr/bin/time -f %M "$reader" --format json at --batch "$1" 2>&1 >/dev/null | tail -n 1; }

# One line per format: the format, the median wall and CPU seconds.
for format in text csv json; do
  for _ in $(seq "$repetitions"); do run_once "$format"; done >"$work/runs"
  echo "$format $(cut -d' ' -f1 "$work/runs" | median) $(cut -d' ' -f2 "$work/runs" | median)"
done >"$work/medians"
peak_few=$(peak_kib "$work/at-1000.csv")
peak_all=$(peak_kib "$work/at.csv")

if $json; then
  awk -v n="$lines" -v g="$goal" -v r="$repetitions" -v few="$peak_few" -v all="$peak_all" '
    { formats = formats sprintf("%s\"%s\": {\"wall_s\": %s, \"cpu_s\": %s}", NR > 1 ? ", " : "", $1, $2, $3) }
    END { printf "{\"lines\": %d, \"goal\": %d, \"repetitions\": %d, \"formats\": {%s}, \"peak_kib_1000\": %d, \"peak_kib_all\": %d}\n",
            n, g, r, formats, few, all }' "$work/medians"
  exit 0
fi
echo "| Format | Median wall time of $repetitions runs | Readings per second | Goal | Met | Median CPU time | Readings per CPU second |"
echo "|---|---|---|---|---|---|---|"
awk -v n="$lines" -v g="$goal" '{
  rate = n / $2
  printf "| %s | %.3f s | %d | ≥ %d | %s | %.2f s | %s |\n", $1, $2, rate, g, (rate >= g) ? "yes" : "no", $3,
    ($3 > 0) ? sprintf("%d", n / $3) : "n/a" }' "$work/medians"
echo
echo "Peak resident memory: $peak_few KiB for 1 000 lines, $peak_all KiB for $lines lines."
echo "Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores; load average $(cut -d' ' -f1 /proc/loadavg) at the end."
