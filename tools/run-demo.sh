#!/usr/bin/env bash
# The setup program with a simulated interface already attached: an mxsim on a pseudo-terminal,
# mapped as COM1, so Find, Read and Send work at once. Without a display it runs the same job
# through mxtool and says how to see the window under a virtual display.
#   tools/run-demo.sh [BUILD_DIR] [--xvfb]
set -euo pipefail
build=build
xvfb=0
for arg in "$@"; do
  case "$arg" in
    --xvfb) xvfb=1 ;;
    *) build=$arg ;;
  esac
done
setup="$build/apps/mxsetup/MXSetup"
sim="$build/apps/mxsim/mxsim"
tool="$build/apps/mxtool/mxtool"
for program in "$sim" "$tool"; do
  [[ -x "$program" ]] || { echo "missing $program: build first (make build)" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/mxsetup-demo.XXXXXX")
port="$work/ttyMX0"
simpid=""
cleanup() {
  [[ -n "$simpid" ]] && kill "$simpid" 2>/dev/null && wait "$simpid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The demo keeps its preferences (stored place, recent files) in the scratch folder.
export XDG_CONFIG_HOME="$work/config"
export MXSETUP_COM1="$port"

"$sim" --link "$port" --model "Mesurix5 Network" --line 19200-E-7-1 \
  --description "Demonstration bench" >"$work/sim.log" 2>&1 &
simpid=$!
for _ in $(seq 50); do
  grep -q '^ready' "$work/sim.log" 2>/dev/null && break
  kill -0 "$simpid" 2>/dev/null || { cat "$work/sim.log" >&2; exit 1; }
  sleep 0.1
done
grep -q '^ready' "$work/sim.log" || { echo "mxsim did not start" >&2; exit 1; }
echo "Simulated Mesurix5 Network on COM1 ($port), host line 19200-E-7-1."

have_display=0
[[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]] && have_display=1
if [[ -x "$setup" && ( $have_display == 1 || $xvfb == 1 ) ]]; then
  echo "Starting MXSetup: press Find Mesurix, then Transfer > Read or Send. Close it to end the demo."
  if [[ $have_display == 1 ]]; then
    "$setup"
  else
    command -v xvfb-run >/dev/null || { echo "xvfb-run is not installed (apt-get install xvfb xauth)" >&2; exit 2; }
    xvfb-run -a "$setup"
  fi
  exit 0
fi

step() { printf '\n$ %s\n' "$*"; "$@"; }
echo
if [[ ! -x "$setup" ]]; then
  echo "MXSetup is not built (a build without the GUI); the same job through mxtool:"
else
  echo "No display here; the same job through mxtool:"
fi
step "$tool" find
step "$tool" read -o "$work/bench.mxs"
step "$tool" check "$work/bench.mxs"
echo
echo "Edit the configuration as a script would (description and channel A's gage type) and send it:"
"$tool" export "$work/bench.mxs" >"$work/bench.json"
sed -i -e 's/"description": "[^"]*"/"description": "Line 2 bench"/' \
       -e 's/"gageType": \[[0-9]*,/"gageType": [3,/' "$work/bench.json"
step "$tool" import "$work/bench.json" -o "$work/line2.mxs"
printf '\n$ %s export line2.mxs | grep -E "description|gageType"\n' "$tool"
"$tool" export "$work/line2.mxs" | grep -E '"(description|gageType)"'
step "$tool" send "$work/line2.mxs"
echo
echo "To see the window without a display:  xvfb-run -a $setup   (with MXSETUP_COM1 set as above),"
echo "or run this script with --xvfb; on a desktop session it opens the window directly."
