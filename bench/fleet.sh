#!/bin/bash
# Fleet figures of mxtool, by hand (`make bench` runs it): twenty mxsim at 9600-N-8-1 pacing their
# replies at the line's speed, then
#   - one send to one port against a send to all twenty (--ports COM1-COM20);
#   - find --all over twenty ports with one interface against the scan of a single port;
#   - apply to twenty, half of them already holding the file, against one read plus one send,
#     and apply --check against one read.
# Usage: bench/fleet.sh [BUILD_DIR] [RUNS]
set -u
BUILD=${1:-build}
RUNS=${2:-3}
MXSIM=$BUILD/apps/mxsim/mxsim
MXTOOL=$BUILD/apps/mxtool/mxtool
WORK=$(mktemp -d /tmp/mxfleetbench.XXXXXX)
export HOME=$WORK XDG_CONFIG_HOME=$WORK/config XDG_STATE_HOME=$WORK/state MXSETUP_LOCK_DIR=$WORK/locks
mkdir "$MXSETUP_LOCK_DIR"
SIMS=()

stop_sims() {
  for pid in "${SIMS[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  SIMS=()
}
trap 'stop_sims; rm -rf "$WORK"' EXIT

# start_sims FIRST_ARGS OTHER_ARGS: COM1..COM20, COM20 with FIRST_ARGS, the rest with OTHER_ARGS.
start_sims() {
  stop_sims
  local n
  for n in $(seq 20); do
    local args=$2
    [ "$n" = 20 ] && args=$1
    rm -f "$WORK/sim$n.out"  # emptied only once the new process runs
    # shellcheck disable=SC2086
    "$MXSIM" --link "$WORK/tty$n" --pace $args >"$WORK/sim$n.out" 2>&1 &
    SIMS+=($!)
    export MXSETUP_COM$n="$WORK/tty$n"
  done
  for n in $(seq 20); do
    until grep -q "^ready" "$WORK/sim$n.out" 2>/dev/null; do sleep 0.05; done
  done
}

# median_ms ARGS...: the median wall time of RUNS runs of mxtool ARGS, in milliseconds.
median_ms() {
  local times=() run start
  for run in $(seq "$RUNS"); do
    start=$(date +%s%N)
    "$MXTOOL" "$@" >"$WORK/out" 2>"$WORK/err"
    times+=($((($(date +%s%N) - start) / 1000000)))
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((RUNS + 1) / 2))p"
}

"$MXTOOL" new --model 0 -o "$WORK/plus.mxs" >/dev/null

start_sims "" ""
one=$(median_ms send "$WORK/plus.mxs" --port COM1)
all=$(median_ms send "$WORK/plus.mxs" --ports COM1-COM20)
echo "send, one port:          $one ms"
echo "send, twenty ports:      $all ms ($(awk "BEGIN { printf \"%.2f\", $all / $one }") x one send;" \
  "$(grep -c "	ok	" "$WORK/out") of 20 ok)"

start_sims "" "--fault silent"
single=$(median_ms find --port COM1)
every=$(median_ms find --all)
echo "scan of one silent port: $single ms"
echo "find --all, 20 ports:    $every ms ($(awk "BEGIN { printf \"%.2f\", $every / $single }") x one port's scan; one interface found: $(wc -l <"$WORK/out"))"

# apply to twenty paced interfaces, COM1..COM10 already holding the file, COM11..COM20 not (they
# are set back before every run): against one read plus one send, and --check against one read.
"$MXTOOL" set "$WORK/plus.mxs" 'description="golden"' -o "$WORK/golden.mxs"
start_sims "" ""
"$MXTOOL" send "$WORK/golden.mxs" --ports COM1-COM10 >/dev/null 2>&1
timed_ms() {
  local start=$(date +%s%N)
  "$MXTOOL" "$@" >"$WORK/out" 2>"$WORK/err"
  echo $((($(date +%s%N) - start) / 1000000))
}
reads=() sends=() applies=() checks=()
for run in $(seq "$RUNS"); do
  "$MXTOOL" send "$WORK/plus.mxs" --ports COM11-COM20 >/dev/null 2>&1
  reads+=($(timed_ms read -o "$WORK/one.mxs" --port COM20))
  checks+=($(timed_ms apply "$WORK/golden.mxs" --ports COM1-COM20 --check))
  sends+=($(timed_ms send "$WORK/golden.mxs" --port COM20))
  "$MXTOOL" send "$WORK/plus.mxs" --port COM20 >/dev/null 2>&1
  applies+=($(timed_ms apply "$WORK/golden.mxs" --ports COM1-COM20))
  applied="$(grep -c "	changed	" "$WORK/out") changed, $(grep -c "	unchanged	" "$WORK/out") unchanged"
done
median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }
read=$(median "${reads[@]}")
send=$(median "${sends[@]}")
apply=$(median "${applies[@]}")
check=$(median "${checks[@]}")
echo "read, one port:          $read ms"
echo "send, one port:          $send ms"
echo "apply, twenty ports:     $apply ms ($(awk "BEGIN { printf \"%.2f\", $apply / ($read + $send) }") x one read + send; $applied)"
echo "apply --check, twenty:   $check ms ($(awk "BEGIN { printf \"%.2f\", $check / $read }") x one read)"
