# What the shell tests that drive simulated interfaces share: a scratch folder that is the user's
# home, configuration, state and lock folders; the processes to stop at the end (SIMS); and a count
# of failures. Source it with the scratch folder's prefix: `. tests/support/shell_rig.sh mxfleet`.
WORK=$(mktemp -d "/tmp/$1.XXXXXX")
export HOME=$WORK XDG_CONFIG_HOME=$WORK/config XDG_STATE_HOME=$WORK/state \
  MXSETUP_LOCK_DIR=$WORK/locks
mkdir "$MXSETUP_LOCK_DIR"
SIMS=()
failures=0

cleanup() {
  for pid in "${SIMS[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Waits up to 5 s for each simulator N named to print "ready" in $WORK/simN.out.
wait_ready() {
  for n in "$@"; do
    for _ in $(seq 100); do
      grep -q "^ready" "$WORK/sim$n.out" 2>/dev/null && break
      sleep 0.05
    done
  done
}
