#!/bin/sh
# Renders the rotor picture and stores it as GIF89a; Qt reads GIF but cannot write it.
# Usage: make_rotor_gif.sh <make_rotor_picture executable> <output.gif>
set -eu
generator=$1
output=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$generator" "$work/rotor.ppm"
# Grey only, no transparency, no comment or time stamp, so the file is the same on every run.
convert "$work/rotor.ppm" -strip -colorspace Gray -type Grayscale "GIF:$work/rotor.gif"
signature=$(head -c 6 "$work/rotor.gif")
if [ "$signature" != "GIF89a" ]; then
  echo "make_rotor_gif.sh: expected GIF89a, got $signature" >&2
  exit 1
fi
mv "$work/rotor.gif" "$output"
