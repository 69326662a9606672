#!/usr/bin/env bash
# The mxtool command line as scripts use it: exit codes, streams, the round trip.
set -u
tool=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$tool" --help | grep -q "mxtool new --model M -o FILE.mxs" || fail "--help lists the commands"
"$tool" --help | grep -q "130 Ctrl+C (SIGINT), 143 SIGTERM" || fail "--help lists the exit codes of a cancel"
"$tool" frobnicate 2>"$dir/err"; [ $? -eq 2 ] || fail "unknown command exits 2"
grep -q usage "$dir/err" || fail "unknown command prints the usage on stderr"
"$tool" 2>/dev/null; [ $? -eq 2 ] || fail "no command exits 2"

"$tool" new --model MX4-PLUS-00 -o "$dir/a.mxs" >/dev/null || fail "new"
[ "$(stat -c %s "$dir/a.mxs")" = 7626 ] || fail "new writes 7626 bytes"
"$tool" check "$dir/a.mxs" | grep -q "Mesurix4 Plus, checksum ok" || fail "check summary"
"$tool" export "$dir/a.mxs" >"$dir/a.json" || fail "export"
"$tool" import "$dir/a.json" -o "$dir/b.mxs" || fail "import"
cmp -s "$dir/a.mxs" "$dir/b.mxs" || fail "export then import gives the same bytes"

# Each input is read once, so pipes work; "-" is standard input.
cat "$dir/a.mxs" | "$tool" check /dev/stdin | grep -q "Mesurix4 Plus, checksum ok" ||
  fail "check of a pipe"
"$tool" check - <"$dir/a.mxs" | grep -q "^-: Mesurix4 Plus, checksum ok" || fail "check -"
cmp -s <("$tool" export <(cat "$dir/a.mxs")) "$dir/a.json" || fail "export of a pipe"
"$tool" import - -o "$dir/c.mxs" <"$dir/a.json" || fail "import -"
cmp -s "$dir/a.mxs" "$dir/c.mxs" || fail "import - gives the same bytes"

head -c 3000 "$dir/a.mxs" >"$dir/short.mxs"
"$tool" check "$dir/short.mxs" >"$dir/out" 2>"$dir/err"; [ $? -eq 2 ] || fail "short file exits 2"
grep -qx "mxtool: $dir/short.mxs: Invalid Mesurix configuration file. (too short to hold a parameter image)" "$dir/err" || fail "invalid-file message on stderr"
[ -s "$dir/out" ] && fail "nothing on stdout for an invalid file"
# set edits by export's names; diff lists what changed, the checksum last; both leave files alone
# on a bad name or value.
"$tool" diff "$dir/a.mxs" "$dir/b.mxs" >"$dir/out"; [ $? -eq 0 ] && [ ! -s "$dir/out" ] ||
  fail "diff of equal files"
cp "$dir/a.mxs" "$dir/d.mxs"
"$tool" set "$dir/d.mxs" 'gageType[C]=3' 'networkSource[2][C]=1' ipAddress=10.1.2.3 \
  'description="Line\u0007 3"' || fail "set"
"$tool" diff "$dir/a.mxs" "$dir/d.mxs" >"$dir/out"; [ $? -eq 1 ] || fail "diff of different files exits 1"
grep -qx 'gageType\[C\]: [0-9-]* -> 3' "$dir/out" || fail "diff names the channel: $(cat "$dir/out")"
grep -qx 'networkSource\[2\]\[C\]: 0 -> 1' "$dir/out" || fail "diff names the row and channel"
grep -qx 'ipAddress: [0-9.]* -> 10.1.2.3' "$dir/out" || fail "diff writes addresses as dotted quads"
grep -qxF 'description: "" -> "Line\u0007 3"' "$dir/out" || fail "diff writes texts as JSON strings"
tail -n 1 "$dir/out" | grep -q '^checksum: ' || fail "diff ends with the checksum"
"$tool" set "$dir/d.mxs" 'gageType[C]=3' -o "$dir/e.mxs" && cmp -s "$dir/d.mxs" "$dir/e.mxs" ||
  fail "set -o writes the same file"
for bad in 'gageType[C]=300' 'gageType[Q]=1' 'nosuch=1' 'description=Line'; do
  "$tool" set "$dir/d.mxs" 'orderNum[A]=1' "$bad" 2>"$dir/err"; [ $? -eq 2 ] || fail "set $bad exits 2"
  grep -qF "$bad" "$dir/err" || fail "set $bad: the error names it: $(cat "$dir/err")"
done
cmp -s "$dir/d.mxs" "$dir/e.mxs" || fail "a refused set changed the file"
"$tool" diff "$dir/a.mxs" "$dir/short.mxs" >/dev/null 2>&1; [ $? -eq 2 ] || fail "diff of an invalid file exits 2"
echo "mxtool command line: all checks passed"
