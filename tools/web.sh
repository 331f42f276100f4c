#!/usr/bin/env bash
# Builds the tool for web browsers into build/web/, or QNTE_WEB_DIR if set (static files,
# index.html at the root; copy the folder to any static web host) and serves it on
# http://127.0.0.1:8418/ until stopped.
#   tools/web.sh            build and serve
#   tools/web.sh --build    build only
# The core is compiled to WebAssembly with Debian's emscripten; tools/install-deps.sh installs it.
set -euo pipefail
cd "$(dirname "$0")/.."
build_only=false
[ "${1:-}" = --build ] && build_only=true

tools/install-deps.sh web
# Debian's emcc runs under the Node on PATH and finds its modules (acorn) here.
export NODE_PATH=/usr/share/nodejs
# Unset, the folder is the build's default, the one the browser tests read.
if [ -n "${QNTE_WEB_DIR:-}" ]; then folder=(-DQNTE_WEB_DIR:PATH="$QNTE_WEB_DIR"); else folder=(-UQNTE_WEB_DIR); fi
emcmake cmake -S . -B build/wasm -G Ninja -DCMAKE_BUILD_TYPE=Release -DQNTE_BUILD_UI=OFF -DQNTE_BUILD_CLI=OFF \
  -DBUILD_TESTING=OFF "${folder[@]}" >/dev/null
out=$(cmake -N -L build/wasm | sed -n 's/^QNTE_WEB_DIR:PATH=//p')
cmake --build build/wasm --target web_page
echo "Built $out"
$build_only && exit 0

echo "Serving on http://127.0.0.1:8418/ (Ctrl+C stops)"
exec /usr/bin/python3 -m http.server 8418 --bind 127.0.0.1 --directory "$out"
