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
# Every command of the entry and its actions is one the program takes: without a display it
# stops at the display (1), not at its command line (2).
while read -r -a command; do
  status=0
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work" \
    "$prefix/bin/${command[0]}" "${command[@]:1}" >/dev/null 2>&1 || status=$?
  [ "$status" -eq 1 ] || fail "the desktop entry's \"${command[*]}\" ends with status $status"
done < <(sed -n 's/^Exec=//p' "$prefix/share/applications/$id.desktop")
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
# The command-line reader beside the program, with its manual page.
"$prefix/bin/qnte418grafik-read" --version >/dev/null || fail "the reader does not run from the prefix"
[ -f "$prefix/share/man/man1/qnte418grafik-read.1.gz" ] || fail "no manual page of the reader"
unexpected=$(cd "$prefix" && find . -type f | grep -v -E '^\./(bin/qnte418grafik|share/(applications|metainfo|icons)/|share/doc/qnte418grafik/(copyright|changelog\.gz)$|share/man/man1/[^/]+\.1\.gz$)' || true)
[ -z "$unexpected" ] || fail "installs more than the application: $unexpected"
# A man page for every executable, and none for a program that is not installed.
for program in "$prefix"/bin/*; do
  [ -f "$prefix/share/man/man1/$(basename "$program").1.gz" ] || fail "no man page for $(basename "$program")"
done
for page in "$prefix"/share/man/man1/*.1.gz; do
  [ -e "$page" ] || continue
  [ -x "$prefix/bin/$(basename "$page" .1.gz)" ] || fail "man page without its program: $(basename "$page")"
done
doc=$prefix/share/doc/qnte418grafik
head -n 1 "$doc/copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' ||
  fail "copyright is not in Debian's machine-readable format"

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
  grep -q "usr/bin/qnte418grafik-read" <<<"$contents" || fail "package lacks the reader"
  grep -q "usr/share/man/man1/qnte418grafik-read.1.gz" <<<"$contents" || fail "package lacks the reader's manual page"
  # Bind now: lintian mentions its absence only as information. The sanitizer builds go without.
  if grep -q '^QNTE_SANITIZE:BOOL=OFF$' "$build/CMakeCache.txt"; then
    dpkg-deb -x "$deb" "$work/unpacked"
    elf=$(readelf -d -l "$work/unpacked/usr/bin/qnte418grafik")
    grep -q 'BIND_NOW' <<<"$elf" && grep -q 'GNU_RELRO' <<<"$elf" || fail "executable not linked with -z relro -z now"
  fi
  # Debian's policy checker: nothing at all above the level of information.
  lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || { cat "$work/lintian.log"; fail "lintian"; }
else
  fail "no package built"
fi

# A dpkg-shlibdeps that fails must stop cpack, not leave a package without dependencies.
mkdir "$work/broken"
printf '#!/bin/sh\nexit 2\n' >"$work/broken/dpkg-shlibdeps"
chmod +x "$work/broken/dpkg-shlibdeps"
if (cd "$work" && PATH="$work/broken:$PATH" cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/broken-deb" >/dev/null 2>&1); then
  fail "cpack succeeded although dpkg-shlibdeps failed"
fi
ls "$work"/broken-deb/*.deb >/dev/null 2>&1 && fail "cpack left a package without dependencies"

[ "$failures" -eq 0 ]
