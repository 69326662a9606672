#!/bin/bash
# mxtool's device commands against mxsim on a pseudo-terminal: find, read, send, the faults and a
# device that goes away. Usage: device_e2e_test.sh MXSIM MXTOOL
set -u
MXSIM=$1
MXTOOL=$2
WORK=$(mktemp -d /tmp/mxe2e.XXXXXX)
export HOME=$WORK XDG_CONFIG_HOME=$WORK/config XDG_STATE_HOME=$WORK/state MXSETUP_LOCK_DIR=$WORK/locks
mkdir "$MXSETUP_LOCK_DIR"
TTY=$WORK/ttyMX
SIM_PID=
failures=0

cleanup() {
  [ -n "$SIM_PID" ] && kill "$SIM_PID" 2>/dev/null && wait "$SIM_PID" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

start_sim() {
  # The shell empties the file only once the new process runs: the last one's "ready" must go.
  rm -f "$WORK/sim.out"
  "$MXSIM" --link "$TTY" "$@" >"$WORK/sim.out" 2>&1 &
  SIM_PID=$!
  for _ in $(seq 100); do
    grep -q "^ready $TTY" "$WORK/sim.out" 2>/dev/null && return 0
    sleep 0.05
  done
  fail "mxsim did not become ready: $(cat "$WORK/sim.out")"
  return 1
}

stop_sim() {
  kill "$SIM_PID" && wait "$SIM_PID"
  SIM_PID=
  [ -e "$TTY" ] && fail "mxsim left $TTY behind"
  [ -e "$WORK/.ttyMX.lock" ] && fail "mxsim left its lock file behind"
}

# run EXPECTED_CODE ARGS...: runs mxtool with only COM2 mapped; stdout in $OUT, stderr in $ERR.
run() {
  local expected=$1
  shift
  MXSETUP_COM2=$TTY "$MXTOOL" "$@" >"$WORK/out" 2>"$WORK/err"
  local code=$?
  OUT=$(cat "$WORK/out")
  ERR=$(cat "$WORK/err")
  [ "$code" = "$expected" ] || fail "mxtool $* exited $code, wanted $expected; stdout: $OUT; stderr: $ERR"
}

expect_out() {
  grep -qF -- "$1" "$WORK/out" || fail "stdout lacks \"$1\": $OUT"
}

# cancel_after SIGNAL SECONDS ARGS...: runs mxtool with only COM2 mapped and sends it SIGNAL after
# SECONDS; CODE is its exit code and MS the time from the signal to its end.
cancel_after() {
  local signal=$1 delay=$2
  shift 2
  MXSETUP_COM2=$TTY "$MXTOOL" "$@" >"$WORK/out" 2>"$WORK/err" &
  local tool=$! start
  sleep "$delay"
  start=$(date +%s%N)
  kill -s "$signal" "$tool"
  wait "$tool"
  CODE=$?
  MS=$((($(date +%s%N) - start) / 1000000))
}

stored() {
  grep -E "^(ComPort|Baud|Parity|DataBits|StopBits)=" "$XDG_CONFIG_HOME/Brantwick Systems/MXSetup.conf" | sort | tr '\n' ' '
}

# Find scans to the interface at its own settings and stores the place.
start_sim --model 3 --line 19200-O-7-1 --serial "SN-E2E-7" || exit 1
run 0 find
expect_out "Serial communications = COM2  @  19200-O-7-1"
expect_out "Serial number = SN-E2E-7"
expect_out "Model = Mesurix4 Network"
grep -qF "Checking serial port COM2 ($TTY)" "$WORK/err" || fail "no progress line: $ERR"
[ "$(stored)" = "Baud=19200 ComPort=2 DataBits=55 Parity=79 StopBits=49 " ] || fail "stored: $(stored)"

# Read at the stored place: a configuration file of the identified model.
run 0 read -o "$WORK/read.mxs"
expect_out "Complete set of parameters received from the Mesurix.     "
[ "$(stat -c %s "$WORK/read.mxs" 2>/dev/null)" = 7626 ] || fail "read.mxs is not 7626 bytes"
[ "$(od -An -tu1 -j $((139 + 2310)) -N1 "$WORK/read.mxs" | tr -d ' ')" = 3 ] || fail "model byte"
grep -q "Checking serial port" "$WORK/err" && fail "read scanned although the place was stored"
# A file that cannot be saved fails before the transfer, not after it.
run 2 read -o "$WORK/no/such/folder.mxs"
grep -qF "$WORK/no/such" "$WORK/err" || fail "unwritable target not named: $ERR"
[ -s "$WORK/out" ] && fail "read talked to the interface before checking its target: $OUT"

# Send a new Mesurix4 Network file: the interface resets at the file's host settings (9600-N-8-1).
"$MXTOOL" new --model 3 -o "$WORK/new.mxs" >/dev/null || fail "mxtool new"
run 0 send - <"$WORK/new.mxs"
expect_out "Mesurix acknowledged successful transfer of parameters."
expect_out "Wait for Mesurix to reset before sending additional requests.     "
[ "$(stored)" = "Baud=19200 ComPort=2 DataBits=55 Parity=79 StopBits=49 " ] || fail "send changed the store"
# The next command's probe fails, the scan finds the new settings, and the image comes back whole.
run 0 read -o "$WORK/back.mxs"
grep -qF "Checking baud rate 9600" "$WORK/err" || fail "no scan after the reset"
cmp -s "$WORK/new.mxs" "$WORK/back.mxs" || fail "image read back differs from the one sent"
stop_sim

# One simulator per link: a second is refused while the first serves it and leaves the link alone;
# the link of one that was killed is taken over.
start_sim || exit 1
FIRST=$(readlink "$TTY")
timeout 5 "$MXSIM" --link "$TTY" >"$WORK/second.out" 2>&1
code=$?
[ "$code" = 1 ] || fail "a second mxsim on a live link exited $code"
grep -qF "$TTY is served by another mxsim (process $SIM_PID)" "$WORK/second.out" ||
  fail "second mxsim: $(cat "$WORK/second.out")"
[ "$(readlink "$TTY")" = "$FIRST" ] || fail "the second mxsim took over or removed the link"
kill -KILL "$SIM_PID"; wait "$SIM_PID" 2>/dev/null; SIM_PID=
start_sim || exit 1
run 0 find
# One whose lock file was removed under it leaves the lock of the one started since alone.
FIRST_PID=$SIM_PID
rm "$WORK/.ttyMX.lock"
start_sim || exit 1
kill "$FIRST_PID"; wait "$FIRST_PID"
[ -e "$WORK/.ttyMX.lock" ] || fail "a stopping mxsim removed the lock of the one that replaced it"
stop_sim

# A port that another program holds open is left out of a scan, naming the holder; named with
# --port, it is probed after a warning. mxsim, at the far end of the line, holds it too.
start_sim || exit 1
sleep 60 <"$TTY" &
HOLDER=$!
run 1 find
expect_out "COM2 ($TTY) is in use by process $HOLDER (sleep)"
run 0 find --port COM2
grep -qF "mxtool: warning: COM2 ($TTY) is in use by process $HOLDER (sleep); probing it as named" \
  "$WORK/err" || fail "no warning for a held port: $ERR"
kill "$HOLDER"; wait "$HOLDER" 2>/dev/null
stop_sim

# Faults of the interface: each ends with its message and exit code 1.
start_sim --fault refuse
run 1 send "$WORK/new.mxs"
expect_out "Mesurix indicated parameter transfer failed.     "
expect_out "Transfer Failed: "
stop_sim
start_sim --fault badsum
run 1 read -o "$WORK/bad.mxs"
expect_out "Invalid checksum on parameters received from the Mesurix.     "
[ -e "$WORK/bad.mxs" ] && fail "a failed read wrote a file"
stop_sim
start_sim --fault short
run 1 read -o "$WORK/bad.mxs"
expect_out "Unable to read the parameters from the Mesurix.     "
stop_sim
start_sim --fault silent
run 1 find
expect_out "Cannot find a Mesurix interface.     "
# Ctrl+C is the scan's Cancel: the search stops at once and says it was cancelled.
cancel_after SIGINT 0.5 find
[ "$CODE" = 130 ] || fail "cancelled find exited $CODE"
grep -qF "mxtool: find cancelled (SIGINT)" "$WORK/err" || fail "cancelled find: $(cat "$WORK/err")"
grep -qF "Cannot find" "$WORK/out" && fail "a cancelled scan reported nothing found"
grep -qF "Checking baud rate 2400" "$WORK/err" && fail "the scan went on after Ctrl+C"
stop_sim

# The signals cancel a read or a send at once (a few milliseconds here; the bound leaves room for a
# loaded machine and the sanitizers, and still catches a transfer that runs on to its time-out): no
# file, exit 128 + the signal, port and lock released, and the interface back at its own speed ("<$F"), where the next command's
# probe finds it.
check_cancelled() {  # check_cancelled COMMAND SIGNAL CODE
  [ "$CODE" = "$3" ] || fail "$1 cancelled by $2 exited $CODE"
  [ "$MS" -lt 2500 ] || fail "$1 took $MS ms to stop after $2"
  grep -qF "mxtool: $1 cancelled ($2)" "$WORK/err" || fail "$1 after $2: $(cat "$WORK/err")"
  [ -s "$WORK/out" ] && fail "$1 after $2 printed: $(cat "$WORK/out")"
  [ -e "$LOCK" ] && fail "$1 after $2 left its lock file"
}
start_sim --line 19200-O-7-1 --pace || exit 1
LOCK=$MXSETUP_LOCK_DIR/LCK..$(readlink "$TTY" | sed 's|^/dev/||; s|/|_|g')
cancel_after SIGINT 1.5 read -o "$WORK/cancelled.mxs"
check_cancelled read SIGINT 130
[ -e "$WORK/cancelled.mxs" ] && fail "a cancelled read wrote its file"
sleep 3 # the rest of the paced image
run 0 find
expect_out "Serial communications = COM2  @  19200-O-7-1"
stop_sim
start_sim --line 19200-O-7-1 --fault mute || exit 1
LOCK=$MXSETUP_LOCK_DIR/LCK..$(readlink "$TTY" | sed 's|^/dev/||; s|/|_|g')
for signal in SIGTERM:143 SIGHUP:129; do
  cancel_after "${signal%:*}" 1.5 send "$WORK/new.mxs"
  check_cancelled send "${signal%:*}" "${signal#*:}"
  run 0 find
  expect_out "Serial communications = COM2  @  19200-O-7-1"
done
stop_sim

# A port held by another program is reported with its holder and skipped, and the last line says
# so.
start_sim
flock "$TTY" sleep 3 &
HOLDER=$!
sleep 0.2
run 1 find
grep -qF "in use by process" "$WORK/err" || fail "busy port not reported: $ERR"
[ "$(tail -n 1 "$WORK/out")" = "COM2 ($TTY) is in use by process $HOLDER (flock)" ] ||
  fail "last line of a scan over a busy port: $OUT"
kill "$HOLDER" 2>/dev/null; wait "$HOLDER" 2>/dev/null
stop_sim

# The interface goes away in the middle of a paced read: a clear message, no hang.
start_sim --pace
MXSETUP_COM2=$TTY "$MXTOOL" read -o "$WORK/gone.mxs" >"$WORK/out" 2>"$WORK/err" &
TOOL=$!
sleep 1.5
kill "$SIM_PID"; wait "$SIM_PID"; SIM_PID=
START=$(date +%s%N)
wait "$TOOL"
code=$?
ELAPSED_MS=$((($(date +%s%N) - START) / 1000000))
[ "$code" = 1 ] || fail "read from a vanished interface exited $code"
grep -qF "Unable to read the parameters from the Mesurix.     " "$WORK/out" || fail "vanished: $(cat "$WORK/out")"
[ "$ELAPSED_MS" -lt 1000 ] || fail "read took $ELAPSED_MS ms after the interface went away"

# Usage and file errors.
run 2 read
run 2 send
run 2 send "$WORK/missing.mxs"
head -c 500 "$WORK/new.mxs" >"$WORK/cut.mxs"
run 2 send "$WORK/cut.mxs"
grep -qF "Invalid Mesurix configuration file.     " "$WORK/err" || fail "cut file: $ERR"
MXSETUP_COM1=$WORK/none "$MXTOOL" find >"$WORK/out" 2>&1
[ $? = 1 ] || fail "find without ports"

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "device end-to-end: all passed"
