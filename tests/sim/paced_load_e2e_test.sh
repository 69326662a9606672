#!/bin/bash
# Reads and sends against paced simulators while busy loops keep every core loaded: each one ends
# well, and each interface is back at its own speed afterwards, also where the port rested at
# another speed than the transfer's. Usage: paced_load_e2e_test.sh MXSIM MXTOOL
set -u
MXSIM=$1
MXTOOL=$2
. "$(dirname "$0")/../support/shell_rig.sh" mxload
mkdir "$WORK/back"

# COM1..COM4 at 4800-N-8-1, each port resting at 19200 between commands.
for n in 1 2 3 4; do
  "$MXSIM" --link "$WORK/tty$n" --line 4800-N-8-1 --serial "SN-$n" --pace >"$WORK/sim$n.out" 2>&1 &
  SIMS+=($!)
  export MXSETUP_COM$n="$WORK/tty$n"
done
wait_ready 1 2 3 4
for n in 1 2 3 4; do
  stty -F "$WORK/tty$n" 19200 || fail "stty COM$n"
done
"$MXTOOL" new --model 0 -o "$WORK/plus.mxs" >/dev/null || fail "mxtool new"
"$MXTOOL" set "$WORK/plus.mxs" hostBaud=4800 || fail "mxtool set"

# Two busy loops a core, ended by the time limit if not before.
for _ in $(seq $((2 * $(nproc)))); do
  timeout 30 bash -c 'while :; do :; done' &
  SIMS+=($!)
done

"$MXTOOL" read --ports COM1,COM2 -o "$WORK/back" >"$WORK/read.out" 2>&1 &
reader=$!
"$MXTOOL" send "$WORK/plus.mxs" --ports COM3,COM4 >"$WORK/send.out" 2>&1 || fail "send: $(cat "$WORK/send.out")"
wait "$reader" || fail "read: $(cat "$WORK/read.out")"
# Each at its own speed again, not left in the transfer's 9600-N-8-1.
"$MXTOOL" find --all >"$WORK/find.out" 2>&1
for n in 1 2 3 4; do
  grep -qP "^COM$n\t.*\t4800-N-8-1\t" "$WORK/find.out" || fail "COM$n afterwards: $(cat "$WORK/find.out")"
done

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "paced under load: all passed"
