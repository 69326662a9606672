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
# Codes no interface takes: refused by set and import (nothing written) unless --exact, and named
# with the values allowed; check warns of them, and fails with --strict.
for bad in hostBaud=12345 'gageType[A]=99' modelIndex=9 'hostParity="X"'; do
  "$tool" set "$dir/a.mxs" "$bad" -o "$dir/codes.mxs" 2>"$dir/err"; [ $? -eq 2 ] || fail "set $bad exits 2"
  [ -e "$dir/codes.mxs" ] && fail "set $bad wrote the file"
  grep -q "cannot be .*: no interface takes it (" "$dir/err" || fail "set $bad: $(cat "$dir/err")"
done
grep -qF '("N", "E", "O")' "$dir/err" || fail "the allowed characters: $(cat "$dir/err")"
"$tool" set "$dir/a.mxs" hostBaud=12345 --exact -o "$dir/codes.mxs" || fail "set --exact"
"$tool" set "$dir/codes.mxs" 'gageType[A]=3' -o "$dir/codes2.mxs" || fail "set of another field"
"$tool" check "$dir/codes.mxs" >/dev/null 2>"$dir/err" || fail "check exits 0 with warnings"
grep -q "warning: hostBaud holds 12345, which no interface takes (1200, 2400, 4800, 9600, 19200)" \
  "$dir/err" || fail "check's warning: $(cat "$dir/err")"
"$tool" check "$dir/codes.mxs" --strict >/dev/null 2>&1; [ $? -eq 1 ] || fail "check --strict exits 1"
"$tool" export "$dir/codes.mxs" >"$dir/codes.json"
"$tool" import "$dir/codes.json" -o "$dir/codes3.mxs" 2>/dev/null; [ $? -eq 2 ] || fail "import of 12345 exits 2"
[ -e "$dir/codes3.mxs" ] && fail "import of 12345 wrote the file"
"$tool" import "$dir/codes.json" -o "$dir/codes3.mxs" --exact || fail "import --exact"
"$tool" diff "$dir/a.mxs" "$dir/codes.mxs" --json |
  grep -q '^{"changes":\[{"field":"hostBaud","from":"9600","to":"12345"},{"field":"checksum",' ||
  fail "diff --json: $("$tool" diff "$dir/a.mxs" "$dir/codes.mxs" --json)"

# Inputs that are no file to replace, or no export at all, are said to be so; the save target is
# checked before a FIFO is waited on.
"$tool" set <(cat "$dir/a.mxs") 'orderNum[A]=1' 2>"$dir/err"; [ $? -eq 2 ] || fail "set <(...) exits 2"
grep -qF "is not a file that can be replaced: set needs -o OUT.mxs" "$dir/err" ||
  fail "set <(...): $(cat "$dir/err")"
mkfifo "$dir/fifo"
timeout 10 "$tool" set "$dir/fifo" 'orderNum[A]=1' -o "$dir/no/such.mxs" 2>"$dir/err"
[ $? -eq 2 ] && grep -qF "$dir/no" "$dir/err" || fail "set FIFO -o BAD: $(cat "$dir/err")"
truncate -s $((64 * 1024 * 1024 + 1)) "$dir/big.json"
"$tool" import "$dir/big.json" -o "$dir/big.mxs" 2>"$dir/err"; [ $? -eq 2 ] || fail "import of 64 MiB + 1"
grep -qF "big.json: too large to import (the limit is 64 MiB)" "$dir/err" || fail "import: $(cat "$dir/err")"
echo "mxtool command line: all checks passed"
