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
head -1 "$dir/a.txt" | grep -qx "Filename: a.mxs" || fail "the file name once, first"
[ "$(grep -c "a.mxs" "$dir/a.txt")" = 1 ] || fail "the file name only once"
grep -qx "  Parameters = 9600:N-8-1" "$dir/a.txt" || fail "sub-row indented, label = value"
grep -qx "Description =" "$dir/a.txt" || fail "empty value as 'label ='"
grep -qx "Channel A | Channel B" "$dir/a.txt" || fail "summary heads"
grep -qx "Gage Type | A: Auto | B: Auto" "$dir/a.txt" || fail "summary cells by channel"
[ "$(grep -cE "^(Global Settings & Channel Summary|Channel A Parameters)$" "$dir/a.txt")" = 2 ] ||
  fail "global page and channel A by default"
grep -B1 -x "Channel A Parameters" "$dir/a.txt" | head -1 | grep -qx "" ||
  fail "a blank line between pages"

# One setting changed: one line of the text changes, whatever the folders are called.
mkdir "$dir/x" "$dir/y"
run set "$dir/a.mxs" "gageType[B]=1" -o "$dir/x/same.mxs" >/dev/null 2>&1 || fail "set"
cp "$dir/a.mxs" "$dir/y/same.mxs"
run report "$dir/x/same.mxs" --text >"$dir/x.txt"
run report "$dir/y/same.mxs" --text >"$dir/y.txt"
[ "$(diff "$dir/x.txt" "$dir/y.txt" | grep -c "^<")" = 1 ] || fail "one setting, one changed line"
grep -qE "Page|[0-9]+:[0-9]{2}:[0-9]{2}|MXSetup Program" "$dir/a.txt" && fail "no header or footer"

run report "$dir/a.mxs" --model MX4-PLUS-00 --pages global --text >"$dir/b.txt" || fail "--model"
grep -qx "Mesurix Model = Mesurix4 Plus" "$dir/b.txt" || fail "the model given"
grep -qx "Gage Type | A: RS232 | B: RS232" "$dir/b.txt" || fail "the image follows the model"
[ "$(grep -c "^Channel . Parameters$" "$dir/b.txt")" = 0 ] || fail "--pages global prints one page"

run report "$dir/a.mxs" --pages "global, c" --text >"$dir/c.txt" 2>"$dir/err" || fail "lacking C"
grep -q "has no channel C" "$dir/err" || fail "a channel the model lacks is reported"
grep -q "^Channel C" "$dir/c.txt" && fail "... and left out"
run report "$dir/a.mxs" --pages D --text >/dev/null 2>&1; [ $? -eq 2 ] || fail "no pages exits 2"

run report "$dir/a.mxs" --pages global,A,B -o "$dir/a.pdf" 2>"$dir/err" || fail "report -o"
[ -s "$dir/err" ] && fail "nothing on stderr for the PDF: $(cat "$dir/err")"
head -c 5 "$dir/a.pdf" | grep -q "%PDF-" || fail "a PDF file"
if command -v pdfinfo >/dev/null; then
  pdfinfo "$dir/a.pdf" | grep -qE "^Pages: +3$" || fail "three pages"
fi

# Changed outside the program: printed, with the warning check gives.
cp "$dir/a.mxs" "$dir/edited.mxs"
printf 'X' | dd of="$dir/edited.mxs" bs=1 seek=154 conv=notrunc 2>/dev/null
run report "$dir/edited.mxs" --text >"$dir/out" 2>"$dir/err" || fail "a stale checksum still prints"
grep -q "^mxtool: warning: $dir/edited.mxs: checksum mismatch (stored 0x" "$dir/err" ||
  fail "stale checksum warning: $(cat "$dir/err")"
grep -qx "Description = X" "$dir/out" || fail "the edited file is what prints"

# The paper: each size, either orientation, the locale's by default.
pdfsize() { pdfinfo "$1" | sed -n 's/^Page size: *\([0-9.]*\) x \([0-9.]*\).*/\1x\2/p'; }
if command -v pdfinfo >/dev/null; then
  run report "$dir/a.mxs" --paper a5 --landscape -o "$dir/p.pdf" || fail "--paper --landscape"
  [ "$(pdfsize "$dir/p.pdf")" = "595x420" ] || fail "A5 landscape: $(pdfsize "$dir/p.pdf")"
  LC_ALL= LANG= LC_PAPER=en_US.UTF-8 run report "$dir/a.mxs" -o "$dir/p.pdf" || fail "US locale"
  [ "$(pdfsize "$dir/p.pdf")" = "612x792" ] || fail "US locale prints Letter"
  LC_ALL= LANG= LC_PAPER=de_DE.UTF-8 run report "$dir/a.mxs" -o "$dir/p.pdf" || fail "DE locale"
  [ "$(pdfsize "$dir/p.pdf")" = "595x842" ] || fail "DE locale prints A4"
fi

# The output is never the input, nor any file that is not a PDF; "-" is standard output.
cp "$dir/a.mxs" "$dir/keep.mxs"
ln -s "$dir/keep.mxs" "$dir/link.pdf"
for out in keep.mxs link.pdf a.txt; do
  run report "$dir/keep.mxs" -o "$dir/$out" 2>"$dir/err"; [ $? -eq 2 ] || fail "-o $out exits 2"
  grep -q "^mxtool: $dir/$out: " "$dir/err" || fail "-o $out names it: $(cat "$dir/err")"
done
cmp -s "$dir/keep.mxs" "$dir/a.mxs" || fail "the input is untouched"
grep -qx "Filename: a.mxs" "$dir/a.txt" || fail "a file that is not a PDF is untouched"
run report "$dir/keep.mxs" -o "$dir/a.pdf" || fail "an existing PDF is replaced"
run report "$dir/keep.mxs" -o - >"$dir/out.pdf" || fail "-o -"
head -c 5 "$dir/out.pdf" | grep -q "%PDF-" || fail "-o - writes the PDF on stdout"

for bad in "--paper B5 -o $dir/z.pdf" "--text -o $dir/x.pdf" "" "--frob" "--pages" "--model 12 --text" "$dir/a.mxs --text"; do
  # shellcheck disable=SC2086
  run report "$dir/a.mxs" $bad >/dev/null 2>&1; [ $? -eq 2 ] || fail "bad arguments ($bad) exit 2"
done
run report "$dir/a.mxs" -o "$dir/missing/x.pdf" 2>/dev/null; [ $? -eq 2 ] || fail "unwritable exit 2"
head -c 3000 "$dir/a.mxs" >"$dir/short.mxs"
run report "$dir/short.mxs" --text >"$dir/out" 2>"$dir/err"; [ $? -eq 2 ] || fail "invalid file exit 2"
grep -q "^mxtool: $dir/short.mxs: Invalid Mesurix configuration file. (too short" "$dir/err" || fail "invalid-file message"
[ -s "$dir/out" ] && fail "nothing on stdout for an invalid file"
echo "mxtool report: all checks passed"
