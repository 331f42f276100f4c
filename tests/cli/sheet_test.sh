#!/usr/bin/env bash
# The command line's sheets as users write them: the shared sheet checks on the PDFs of a reading
# and of a proposal, and the file written safely: standard output, a device and a FIFO written
# in place and never replaced, a failed write leaving nothing behind.
# Usage: sheet_test.sh READER SOURCE_DIR
set -euo pipefail
reader=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
check=("$source/tests/support/sheet_check.py" --chart "$source/resources/chart.bmp")
fail() { echo "FAIL: $*"; exit 1; }

for sheet in "at 5000 25" "select 4.5 8 --proposal 1"; do
  name=${sheet%% *}
  # shellcheck disable=SC2086 # the sheet's words are arguments
  "$reader" sheet -o "$work/$name.svg" --reference "ACME <pumps> & Co" $sheet
  # shellcheck disable=SC2086
  "$reader" sheet -o "$work/$name.pdf" --reference "ACME <pumps> & Co" $sheet
  /usr/bin/python3 "${check[@]}" --expect "$work/$name.svg" "$work/$name.pdf"
done

for out in - /dev/stdout; do
  "$reader" sheet -o "$out" at 5000 25 > "$work/out.pdf"
  [ "$(head -c 5 "$work/out.pdf")" = "%PDF-" ] || fail "$out holds no PDF"
done

status=0
"$reader" sheet -o /dev/full at 5000 25 2> "$work/err" || status=$?
[ "$status" -eq 3 ] || fail "/dev/full gave exit status $status, not 3"
grep -q "cannot write /dev/full" "$work/err" || fail "/dev/full: $(cat "$work/err")"
[ -c /dev/full ] || fail "/dev/full is no longer a device"

mkfifo "$work/fifo"
cat "$work/fifo" > "$work/from-fifo" &
"$reader" sheet -o "$work/fifo" at 5000 25
wait $!
[ -p "$work/fifo" ] || fail "the FIFO was replaced"
[ "$(head -c 5 "$work/from-fifo")" = "%PDF-" ] || fail "nothing came through the FIFO"

echo old > "$work/kept.pdf"
status=0
"$reader" sheet -o "$work/kept.pdf" at 9000 25 2> /dev/null || status=$?
[ "$status" -eq 1 ] && [ "$(cat "$work/kept.pdf")" = old ] || fail "a refused reading touched the file"
# A write that fails half-way, at a file size limit: the old file stays, and nothing beside it.
mkdir "$work/small"
echo old > "$work/small/kept.pdf"
status=0
(trap '' XFSZ; ulimit -f 8; exec "$reader" sheet -o "$work/small/kept.pdf" at 5000 25) 2> "$work/err" ||
  status=$?
[ "$status" -eq 3 ] || fail "a write past the size limit gave exit status $status, not 3: $(cat "$work/err")"
[ "$(cat "$work/small/kept.pdf")" = old ] || fail "a failed write replaced the file"
[ "$(ls -A "$work/small")" = kept.pdf ] || fail "a half-written file was left: $(ls -A "$work/small")"
status=0
"$reader" sheet -o "$work/missing/sheet.pdf" at 5000 25 2> /dev/null || status=$?
[ "$status" -eq 3 ] || fail "a missing folder gave exit status $status, not 3"
echo "sheet command: all checks passed"
