#!/usr/bin/env bash
# Installs the build into a temporary prefix and packs it, then checks what a desktop and
# a package manager will find. Usage: install_test.sh BUILD_DIR
set -euo pipefail
build=$1
id=org.qnte418grafik.qnte418grafik
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$work/usr" >/dev/null
prefix=$work/usr
[ -x "$prefix/bin/qnte418grafik" ] || fail "no executable in bin/"
desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop entry invalid"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null || fail "metainfo invalid"
grep -q '^Icon='"$id"'$' "$prefix/share/applications/$id.desktop" || fail "desktop entry names another icon"
for size in 16 22 24 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
  if [ ! -f "$icon" ]; then
    fail "no ${size}px icon"
    continue
  fi
  # Width and height stand big-endian at bytes 16 to 23 of a PNG.
  dimensions=$(od -An -tu1 -j16 -N8 "$icon" | awk '{print $3*256+$4 "x" $7*256+$8}')
  [ "$dimensions" = "${size}x${size}" ] || fail "${size}px icon is $dimensions"
done
[ -f "$prefix/share/icons/hicolor/scalable/apps/$id.svg" ] || fail "no scalable icon"
unexpected=$(cd "$prefix" && find . -type f | grep -v -E '^\./(bin/qnte418grafik|share/(applications|metainfo|icons)/)' || true)
[ -z "$unexpected" ] || fail "installs more than the application: $unexpected"

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >/dev/null) || fail "cpack failed"
deb=$(ls "$work"/deb/*.deb 2>/dev/null | head -n 1)
if [ -n "$deb" ]; then
  depends=$(dpkg-deb -f "$deb" Depends)
  for library in libqt6core6 libqt6gui6 libqt6widgets6; do
    grep -q "$library" <<<"$depends" || fail "package does not depend on $library: $depends"
  done
  # Without it a desktop with Wayland alone cannot show the windows.
  grep -q "qt6-wayland" <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "package does not recommend qt6-wayland"
  contents=$(dpkg-deb -c "$deb")
  grep -q "usr/bin/qnte418grafik" <<<"$contents" || fail "package lacks the executable"
else
  fail "no package built"
fi

[ "$failures" -eq 0 ]
