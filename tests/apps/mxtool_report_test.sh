#!/usr/bin/env bash
# mxtool report as scripts use it: the text form, the PDF, page lists, models and exit codes.
set -u
tool=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
# As on a server: no display, no platform chosen.
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$tool" "$@"; }

"$tool" --help | grep -q "mxtool report FILE.mxs \[--model M\] \[--pages LIST\] -o OUT.pdf" ||
  fail "--help lists report"
run new --model 0 -o "$dir/a.mxs" >/dev/null || fail "new"

run report "$dir/a.mxs" --text >"$dir/a.txt" 2>"$dir/err" || fail "report --text"
[ -s "$dir/err" ] && fail "nothing on stderr: $(cat "$dir/err")"
head -1 "$dir/a.txt" | grep -qx "Global Settings & Channel Summary   (Filename: a.mxs)" ||
  fail "the title line comes first"
grep -qx "  Parameters = 9600:N-8-1" "$dir/a.txt" || fail "sub-row indented, label = value"
grep -qx "Description =" "$dir/a.txt" || fail "empty value as 'label ='"
grep -qx "Channel A | Channel B" "$dir/a.txt" || fail "summary heads"
grep -qx "Gage Type | Auto | Auto" "$dir/a.txt" || fail "summary row"
[ "$(grep -c "(Filename: a.mxs)" "$dir/a.txt")" = 2 ] || fail "global page and channel A by default"
grep -B1 -x "Channel A Parameters   (Filename: a.mxs)" "$dir/a.txt" | head -1 | grep -qx "" ||
  fail "a blank line between pages"
grep -qE "Page|[0-9]+:[0-9]{2}:[0-9]{2}|MXSetup Program" "$dir/a.txt" && fail "no header or footer"

run report "$dir/a.mxs" --model MX4-PLUS-00 --pages global --text >"$dir/b.txt" || fail "--model"
grep -qx "Mesurix Model = Mesurix4 Plus" "$dir/b.txt" || fail "the model given"
grep -qx "Gage Type | RS232 | RS232" "$dir/b.txt" || fail "the image follows the model"
[ "$(grep -c "(Filename:" "$dir/b.txt")" = 1 ] || fail "--pages global prints one page"

run report "$dir/a.mxs" --pages "global, c" --text >"$dir/c.txt" 2>"$dir/err" || fail "lacking C"
grep -q "has no channel C" "$dir/err" || fail "a channel the model lacks is reported"
[ "$(grep -c "(Filename:" "$dir/c.txt")" = 1 ] || fail "... and left out"
run report "$dir/a.mxs" --pages D --text >/dev/null 2>&1; [ $? -eq 2 ] || fail "no pages exits 2"

run report "$dir/a.mxs" --pages global,A,B -o "$dir/a.pdf" 2>"$dir/err" || fail "report -o"
[ -s "$dir/err" ] && fail "nothing on stderr for the PDF: $(cat "$dir/err")"
head -c 5 "$dir/a.pdf" | grep -q "%PDF-" || fail "a PDF file"
if command -v pdfinfo >/dev/null; then
  pdfinfo "$dir/a.pdf" | grep -qE "^Pages: +3$" || fail "three pages"
fi

for bad in "--text -o $dir/x.pdf" "" "--frob" "--pages" "--model 12 --text" "$dir/a.mxs --text"; do
  # shellcheck disable=SC2086
  run report "$dir/a.mxs" $bad >/dev/null 2>&1; [ $? -eq 2 ] || fail "bad arguments ($bad) exit 2"
done
run report "$dir/a.mxs" -o "$dir/missing/x.pdf" 2>/dev/null; [ $? -eq 2 ] || fail "unwritable exit 2"
head -c 3000 "$dir/a.mxs" >"$dir/short.mxs"
run report "$dir/short.mxs" --text >"$dir/out" 2>"$dir/err"; [ $? -eq 2 ] || fail "invalid file exit 2"
grep -q "^Invalid Mesurix configuration file." "$dir/err" || fail "invalid-file message"
[ -s "$dir/out" ] && fail "nothing on stdout for an invalid file"
echo "mxtool report: all checks passed"
