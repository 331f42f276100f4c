#!/usr/bin/env bash
# Builds the program, if needed, and starts it. Installs only what the program needs to build
# and run (tools/install-deps.sh run); tests and benchmarks are not built (preset run).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh run
# Configured once; after that the build notices changed CMake files by itself.
if [ ! -f build/run/build.ninja ]; then
  cmake --preset run
fi
cmake --build --preset run --target qnte418grafik
exec build/run/ui/qnte418grafik
