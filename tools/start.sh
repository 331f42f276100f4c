#!/usr/bin/env bash
# Builds the program, if needed, and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh run
cmake --preset release >/dev/null
cmake --build --preset release --target qnte418grafik
exec build/release/ui/qnte418grafik
