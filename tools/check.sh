#!/usr/bin/env bash
# Checks the licence notes (reuse lint), the formatting (clang-format), every file against
# .editorconfig (eclint), the JavaScript (ESLint), the Python (flake8) and the shell scripts
# (shellcheck), builds everything and runs every test: once optimised, once with AddressSanitizer
# and UndefinedBehaviorSanitizer, then each fuzz target briefly from its seeds. Installs what it
# needs (tools/install-deps.sh test; npm ci for eclint and ESLint, as package-lock.json pins them).
# Ends with one verdict line: what passed, or the stage that failed.
set -euo pipefail
cd "$(dirname "$0")/.."

stage="installing the test packages"
summary=()
log=$(mktemp)
finish() {
  local status=$?
  rm -f "$log"
  if [ $status -ne 0 ]; then echo; echo "FAILED: $stage (exit status $status; the output above says why)"; fi
}
trap finish EXIT

tools/install-deps.sh test

stage="licence notes (reuse lint)"
reuse lint --quiet || { reuse lint | tail -n 30; exit 1; }
summary+=("licence notes")

stage="formatting (clang-format, as .clang-format says)"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
summary+=("formatting")

stage="the JavaScript and .editorconfig checkers (npm ci)"
# npm ci starts again from nothing: only when the lock changed since it last ran here.
if ! cmp -s package-lock.json node_modules/.installed-lock; then
  npm ci --no-audit --no-fund
  cp package-lock.json node_modules/.installed-lock
fi

stage=".editorconfig (eclint, and grep for bytes that are not UTF-8)"
# eclint takes an aligned continuation line for a wrong indent size, so it checks the indent
# style alone; clang-format and flake8 check the indent size of the C++ and the Python.
git grep -Ilz '' | xargs -0 node_modules/.bin/eclint check --indent_size 1
not_utf8=$(git grep -Ilz '' | LC_ALL=C.UTF-8 xargs -0 grep -naxv '.*' || true)
[ -z "$not_utf8" ] || { echo "not UTF-8:"; echo "$not_utf8"; exit 1; }
summary+=(".editorconfig")

stage="JavaScript (ESLint, as eslint.config.mjs says)"
git ls-files -z '*.js' '*.mjs' | xargs -0 node_modules/.bin/eslint
summary+=("JavaScript")

stage="Python (flake8, as .flake8 says)"
git ls-files -z '*.py' | xargs -0 flake8
summary+=("Python")

stage="shell scripts (shellcheck, as .shellcheckrc says, warnings and errors)"
git ls-files -z '*.sh' .ci/run | xargs -0 shellcheck --severity=warning
summary+=("shell scripts")

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

stage="done"
echo
printf -v joined '%s, ' "${summary[@]}"
echo "all passed: ${joined%, }"
