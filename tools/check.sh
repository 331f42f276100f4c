#!/usr/bin/env bash
# Builds everything and runs every test: once optimised, once with AddressSanitizer and
# UndefinedBehaviorSanitizer, then each fuzz target briefly from its seeds.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh test
for preset in release sanitize; do
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
# The core's fuzz targets, briefly, from their seeds (tools/fuzz.sh [seconds] runs them long).
tools/fuzz.sh --runs 50000
