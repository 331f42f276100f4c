#!/usr/bin/env bash
# Builds the core's libFuzzer targets with clang and runs each in turn.
#   tools/fuzz.sh [seconds]   each target for that long (default 600), growing a corpus kept
#                             in build/fuzz/corpus/ between runs
#   tools/fuzz.sh --runs N    each target for N inputs from its seeds only, in a scratch copy
# Seeds are in fuzz/corpus/<target>/. A broken rule or a crash stops the script with the
# failing input saved under build/fuzz/artifacts/; replay it with build/fuzz/fuzz/<target> FILE.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh test

runs=""
seconds=600
if [ "${1:-}" = --runs ]; then
  runs=${2:?"usage: tools/fuzz.sh [seconds] | --runs N"}
elif [ $# -gt 0 ]; then
  seconds=$1
fi

build=build/fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQNTE_FUZZ=ON -DQNTE_BUILD_UI=OFF -DQNTE_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target fuzz_targets

artifacts=$build/artifacts
mkdir -p "$artifacts"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The broken rule or the sanitizer's finding, and where the input was saved.
failure() {
  grep -m1 -A30 -E 'BROKEN RULE|ERROR: |runtime error' "$1" || tail -n 40 "$1"
  grep 'Test unit written' "$1" || true
}

for target in numeric_text calculators cross_hair; do
  if [ -n "$runs" ]; then
    corpus=$scratch/$target
    cp -r "fuzz/corpus/$target" "$corpus"
    limit=(-runs="$runs")
    echo "fuzzing $target: $runs inputs"
  else
    corpus=$build/corpus/$target
    mkdir -p "$corpus"
    cp fuzz/corpus/$target/* "$corpus/"
    limit=(-max_total_time="$seconds")
    echo "fuzzing $target: $seconds s"
  fi
  # Number texts may be long; event scripts need only a few dozen lines.
  max_len=1024
  [ "$target" = numeric_text ] && max_len=4096
  "$build/fuzz/${target}_fuzz" "${limit[@]}" -dict=fuzz/numbers.dict -max_len=$max_len -print_final_stats=1 \
    -artifact_prefix="$artifacts/$target-" "$corpus" 2>"$scratch/$target.log" ||
    { failure "$scratch/$target.log"; echo "fuzz target $target failed" >&2; exit 1; }
  grep -E '^stat::number_of_executed_units|^Done' "$scratch/$target.log" || true
done
