#!/usr/bin/env bash
# Checks the licence notes (reuse lint) and the formatting (clang-format), builds everything and
# runs every test: once optimised, once with AddressSanitizer and UndefinedBehaviorSanitizer, then
# each fuzz target briefly from its seeds. Installs what it needs (tools/install-deps.sh test).
# Ends with one verdict line: what passed, or the stage that failed.
set -euo pipefail
cd "$(dirname "$0")/.."

stage="installing the test packages"
summary=()
log=$(mktemp)
trap 'status=$?; rm -f "$log"
  if [ $status -ne 0 ]; then echo; echo "FAILED: $stage (exit status $status; the output above says why)"; fi' EXIT

tools/install-deps.sh test

stage="licence notes (reuse lint)"
reuse lint --quiet || { reuse lint | tail -n 30; exit 1; }
summary+=("licence notes")

stage="formatting (clang-format, as .clang-format says)"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
summary+=("formatting")

for preset in release sanitize; do
  name=optimised
  [ "$preset" = sanitize ] && name=sanitized
  stage="$name build (preset $preset)"
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  stage="$name tests (ctest --preset $preset)"
  ctest --preset "$preset" | tee "$log"
  # ctest's closing line: "100% tests passed, 0 tests failed out of N".
  count=$(sed -n 's/.* tests failed out of \([0-9][0-9]*\)$/\1/p' "$log" | tail -n 1)
  summary+=("${count:-?} tests $name")
done

# The core's fuzz targets, briefly, from their seeds (tools/fuzz.sh [seconds] runs them long).
stage="short fuzz runs (tools/fuzz.sh)"
tools/fuzz.sh --runs 50000 | tee "$log"
targets=$(grep -c '^fuzzing ' "$log" || true)
summary+=("$targets fuzz targets")

stage=done
echo
printf -v joined '%s, ' "${summary[@]}"
echo "all passed: ${joined%, }"
