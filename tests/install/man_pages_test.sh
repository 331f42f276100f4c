#!/usr/bin/env bash
# Lints every manual page as man-db formats and indexes it: no warning of any kind from groff at a
# terminal's width, and a NAME section that lexgrog reads. Usage: man_pages_test.sh SOURCE_DIR
set -euo pipefail
failures=0
for page in "$1"/docs/man/*.1; do
  for width in 80 60; do
    warnings=$(MANWIDTH=$width LC_ALL=C.UTF-8 man --warnings=w -E UTF-8 -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || { echo "FAIL: $page at $width columns: $warnings"; failures=$((failures + 1)); }
  done
  lexgrog "$page" >/dev/null || { echo "FAIL: lexgrog cannot read the NAME of $page"; failures=$((failures + 1)); }
done
[ "$failures" -eq 0 ]
