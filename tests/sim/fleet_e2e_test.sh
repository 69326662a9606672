#!/bin/bash
# mxtool on several interfaces at once: find --all, send and read --ports, --port, and Ctrl+C while
# every port is busy. Four mxsim on pseudo-terminals, one of them silent. Usage: fleet_e2e_test.sh
# MXSIM MXTOOL
set -u
MXSIM=$1
MXTOOL=$2
. "$(dirname "$0")/../support/shell_rig.sh" mxfleet

# start_sims ARGS...: COM1..COM4 as four mxsim with ARGS; COM3's is silent, COM2 has the stored
# place's settings, COM2 and COM4 are Network models.
start_sims() {
  for pid in "${SIMS[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  SIMS=()
  local n
  for n in 1 2 3 4; do
    local extra=(--serial "SN-$n")
    [ "$n" = 2 ] && extra+=(--model 5 --line 19200-E-7-1)
    [ "$n" = 4 ] && extra+=(--model 5)
    [ "$n" = 3 ] && extra+=(--fault silent)
    rm -f "$WORK/sim$n.out"  # emptied only once the new process runs
    "$MXSIM" --link "$WORK/tty$n" "${extra[@]}" "$@" >"$WORK/sim$n.out" 2>&1 &
    SIMS+=($!)
    export MXSETUP_COM$n="$WORK/tty$n"
  done
  wait_ready 1 2 3 4
}

# run EXPECTED_CODE ARGS...: stdout in $WORK/out, stderr in $WORK/err.
run() {
  local expected=$1
  shift
  "$MXTOOL" "$@" >"$WORK/out" 2>"$WORK/err"
  local code=$?
  [ "$code" = "$expected" ] ||
    fail "mxtool $* exited $code, wanted $expected; stdout: $(cat "$WORK/out"); stderr: $(cat "$WORK/err")"
}

stored() {
  grep -hE "^(ComPort|Baud)=" "$XDG_CONFIG_HOME/Brantwick Systems/MXSetup.conf" 2>/dev/null | sort | tr '\n' ' '
}

start_sims
"$MXTOOL" new --model 0 -o "$WORK/plus.mxs" >/dev/null || fail "mxtool new"
"$MXTOOL" set "$WORK/plus.mxs" 'description="fleet"' || fail "mxtool set"

# A stored place on COM2 is used there and stays as it was.
run 0 find --port COM2
[ "$(stored)" = "Baud=19200 ComPort=2 " ] || fail "find --port stored: $(stored)"
grep -q "Checking serial port COM1" "$WORK/err" && fail "find --port COM2 touched COM1"

# Every interface, one tab-separated line each, the silent one left out; the store is untouched.
run 0 find --all
printf 'COM1\t%s\t9600-N-8-1\tMesurix3 Plus\tSN-1\nCOM2\t%s\t19200-E-7-1\tMesurix5 Network\tSN-2\nCOM4\t%s\t9600-N-8-1\tMesurix5 Network\tSN-4\n' \
  "$WORK/tty1" "$WORK/tty2" "$WORK/tty4" >"$WORK/want"
sort "$WORK/out" | cmp -s - "$WORK/want" || fail "find --all printed: $(cat "$WORK/out")"
[ "$(stored)" = "Baud=19200 ComPort=2 " ] || fail "find --all changed the store: $(stored)"

# One file to every port: a line each as it finishes, the silent one failed, exit 1; the serial
# number and model of each, and the conversion to another model said.
run 1 send "$WORK/plus.mxs" --ports COM1-COM4
cut -f1,3,4,5 "$WORK/out" | sort | tr '\t\n' ' ;' >"$WORK/got"
[ "$(cat "$WORK/got")" = "COM1 ok SN-1 Mesurix3 Plus;COM2 ok SN-2 Mesurix5 Network;COM3 failed  ;COM4 ok SN-4 Mesurix5 Network;" ] ||
  fail "send lines: $(cat "$WORK/out")"
grep -q "^COM3.*Cannot find a Mesurix interface.$" "$WORK/out" || fail "COM3's line: $(cat "$WORK/out")"
grep -q "^COM2.*; converted from Mesurix3 Plus to Mesurix5 Network$" "$WORK/out" ||
  fail "COM2's conversion: $(cat "$WORK/out")"
grep -qx "send: 3 of 4 ports succeeded, 1 failed" "$WORK/err" || fail "send summary: $(cat "$WORK/err")"

# And back: each interface now holds the file (COM2 reset to 9600-N-8-1, found by its own scan,
# and kept its own model).
mkdir "$WORK/back"
run 0 read --ports "COM4,$WORK/tty1,COM2" -o "$WORK/back"
for n in 1 2 4; do
  "$MXTOOL" diff "$WORK/plus.mxs" "$WORK/back/COM$n.mxs" | grep -v '^modelIndex: 0 -> 5$\|^checksum: ' >"$WORK/diff"
  [ -s "$WORK/diff" ] && fail "COM$n.mxs differs: $(cat "$WORK/diff")"
done
[ "$(cut -f1 "$WORK/out" | sort | tr '\n' ' ')" = "$WORK/tty1 COM2 COM4 " ] || fail "read lines: $(cat "$WORK/out")"
run 2 read --ports COM1,COM9 -o "$WORK/back"
run 2 read --ports COM1 -o "$WORK/no/such/folder"

# apply: what differs is sent, once; --check sends nothing and exits 3; the silent port fails.
"$MXTOOL" set "$WORK/plus.mxs" 'description="apply"' -o "$WORK/apply.mxs" || fail "set for apply"
run 3 apply "$WORK/apply.mxs" --ports COM1,COM2 --check --diff
grep -c "	would change	" "$WORK/out" | grep -qx 2 || fail "apply --check lines: $(cat "$WORK/out")"
grep -qx 'description: "fleet" -> "apply"' "$WORK/out" || fail "apply --diff: $(cat "$WORK/out")"
run 0 apply "$WORK/apply.mxs" --ports COM1,COM2 --json
grep -c '"outcome":"changed"' "$WORK/out" | grep -qx 2 || fail "apply lines: $(cat "$WORK/out")"
grep -q '"message":"converted from Mesurix3 Plus to Mesurix5 Network".*"serial":"SN-2"' "$WORK/out" ||
  fail "apply's conversion: $(cat "$WORK/out")"
tail -n 1 "$WORK/out" | grep -qx '{"summary":{"changed":2,"total":2}}' || fail "apply summary: $(cat "$WORK/out")"
run 1 apply "$WORK/apply.mxs" --ports COM1-COM3 --json
grep -c '"outcome":"unchanged"' "$WORK/out" | grep -qx 2 || fail "apply again: $(cat "$WORK/out")"
grep -q '"outcome":"failed","port":"COM3"' "$WORK/out" || fail "COM3 in apply: $(cat "$WORK/out")"
[ "$("$MXTOOL" log --serial SN-2 | cut -f10 | tr '\n' ' ')" = "ok changed " ] ||
  fail "the log of SN-2: $("$MXTOOL" log)"

# --vars: an address each; refused before anything is sent: a bad cell, one address twice, and
# --update-network to two Network interfaces without an address each.
sent=$("$MXTOOL" log | wc -l)
printf 'serial,ipAddress,description\nSN-2,10.0.0.2,"two, ""B"""\nSN-4,10.0.0.4,four\n' >"$WORK/vars.csv"
printf 'port,basePort\nCOM2,1\nCOM4,99999\n' >"$WORK/badcell.csv"
printf 'port,ipAddress\nCOM2,10.0.0.9\nCOM4,10.0.0.09\n' >"$WORK/twice.csv"
run 2 apply "$WORK/apply.mxs" --ports COM2,COM4 --vars "$WORK/badcell.csv"
grep -q "badcell.csv: row 3, column basePort: " "$WORK/err" || fail "bad cell: $(cat "$WORK/err")"
run 2 send "$WORK/apply.mxs" --ports COM2,COM4 --vars "$WORK/twice.csv" --update-network
grep -q "rows 2 and 3 give the same address 10.0.0.9" "$WORK/err" || fail "one address twice: $(cat "$WORK/err")"
run 2 send "$WORK/apply.mxs" --ports COM2,COM4 --update-network
grep -q "must give each its own ipAddress" "$WORK/err" || fail "one address for two: $(cat "$WORK/err")"
[ "$("$MXTOOL" log | wc -l)" = "$sent" ] || fail "a refused command sent: $("$MXTOOL" log)"
run 0 apply "$WORK/apply.mxs" --ports COM4,COM2 --vars "$WORK/vars.csv" --update-network --json
grep -q '"field":"ipAddress","from":"[0-9.]*","to":"10.0.0.4"}.*"serial":"SN-4"' "$WORK/out" ||
  fail "SN-4's address: $(cat "$WORK/out")"
grep -qF '"to":"\"two, \\\"B\\\"\""' "$WORK/out" || fail "a text cell: $(cat "$WORK/out")"

# A Network interface keeps its own address unless --update-network, and apply predicts so.
printf 'serial,description\nSN-2,"two, ""B"""\n' >"$WORK/desc.csv"
run 0 apply "$WORK/apply.mxs" --port COM2 --vars "$WORK/desc.csv" --check
run 3 apply "$WORK/apply.mxs" --port COM2 --vars "$WORK/desc.csv" --check --update-network --json
grep -q '"changes":\[{"field":"ipAddress","from":"10.0.0.2","to":"192.168.0.10"}' "$WORK/out" ||
  fail "--update-network's change: $(cat "$WORK/out")"

# A list may name devices beyond COM1..COM20, by path or by pattern; read names their files after
# the device.
"$MXSIM" --link "$WORK/tty9" --serial SN-9 >"$WORK/sim9.out" 2>&1 &
SIMS+=($!)
wait_ready 9
mkdir "$WORK/beyond"
run 0 read --ports "$WORK/tty[19]" -o "$WORK/beyond"
[ "$(ls "$WORK/beyond" | tr '\n' ' ')" = "COM1.mxs tty9.mxs " ] || fail "read beyond: $(ls "$WORK/beyond")"
grep -q "^$WORK/tty9	$WORK/tty9	ok	SN-9	Mesurix3 Plus	" "$WORK/out" || fail "tty9's line: $(cat "$WORK/out")"
run 2 find --port "$WORK/tty9"

# Ctrl+C while every port is in the middle of a paced read: all stop, no file, no lock left.
start_sims --pace
mkdir "$WORK/cut"
"$MXTOOL" read --ports COM1-COM4 -o "$WORK/cut" >"$WORK/out" 2>"$WORK/err" &
tool=$!
sleep 1.5
start=$(date +%s%N)
kill -INT "$tool"
wait "$tool"
code=$?
ms=$((($(date +%s%N) - start) / 1000000))
[ "$code" = 130 ] || fail "cancelled read --ports exited $code"
[ "$ms" -lt 2500 ] || fail "read --ports took $ms ms to stop"
[ -z "$(ls "$WORK/cut")" ] || fail "a cancelled read --ports wrote $(ls "$WORK/cut")"
[ -z "$(ls "$MXSETUP_LOCK_DIR")" ] || fail "locks left: $(ls "$MXSETUP_LOCK_DIR")"
grep -c "	cancelled	.*	cancelled (SIGINT)$" "$WORK/out" | grep -qx 4 || fail "cancelled lines: $(cat "$WORK/out")"
grep -qF "mxtool: read cancelled (SIGINT)" "$WORK/err" || fail "cancel not said: $(cat "$WORK/err")"

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "fleet end-to-end: all passed"
