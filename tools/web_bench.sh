#!/usr/bin/env bash
# Benchmarks the browser version against the native core on this machine, in one run, and
# prints the medians as a Markdown table: a pressure reading in WebAssembly and natively,
# navigation to a live chart with a cold cache, the bytes of the first load.
#   tools/web_bench.sh [samples]    (10 by default)
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh test >&2
tools/web.sh --build >&2
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQNTE_BUILD_BENCH=ON -DQNTE_SANITIZE=OFF >&2
cmake --build build/release -j2 --target bench_core >&2
echo "Machine: $(nproc) cores, load average $(cut -d' ' -f1 /proc/loadavg) at the start" >&2
exec /usr/bin/python3 bench/web_bench.py build/web build/release/bench/bench_core "${1:-10}"
