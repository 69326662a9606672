#!/bin/bash
# The communications test window and another serial terminal on the same streams, in one run:
# mxsim sends readings at 115200 baud on a pseudo-terminal for SECONDS into each program in turn,
# on one virtual display with a window manager, once for each way a line can end: CR LF, CR alone,
# LF alone (and, for the window only, random bytes). Prints the processor time and memory of both
# with the machine's load average beside every figure, and the window's log against mxsim's count.
#
#   bench/comtest_stream.sh [BUILD [SECONDS [HZ [ENDS]]]]   (defaults build, 60, 1000,
#                                                           "crlf cr lf binary")
#
# Needs xvfb, xauth, openbox and xdotool; the other terminal is CuteCom (apt-get install cutecom),
# which closes a port whose modem lines it cannot read, so it runs with bench's modem-line shim.
set -euo pipefail
BUILD=$(realpath "${1:-build}")
SECONDS_RUN=${2:-60}
HZ=${3:-1000}
ENDS=${4:-crlf cr lf binary}

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s '-screen 0 1366x768x24' "$0" "$BUILD" "$SECONDS_RUN" "$HZ" "$ENDS"
fi
openbox > /dev/null 2>&1 &
WM=$!
WORK=$(mktemp -d)
cleanup() {
  kill "${CUTECOM:-}" "${SIM:-}" "$WM" 2> /dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT
sleep 1

load1() { cut -d' ' -f1 /proc/loadavg; }

for END in $ENDS; do
  echo "== the communications test window, logging to a file, readings ending in $END"
  "$BUILD/bench/comtest_stream" "$SECONDS_RUN" "$HZ" "$END" || echo "(exit $?)"
done

if ! command -v cutecom > /dev/null; then
  echo "== CuteCom is not installed (apt-get install cutecom): nothing to compare with"
  exit 0
fi
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config"
mkdir -p "$XDG_CONFIG_HOME/CuteCom"
cat > "$XDG_CONFIG_HOME/CuteCom/CuteCom5.conf" << CONF
[sessions]
1\\BaudRate=115200
1\\DataBits=8
1\\Device=$WORK/tty
1\\FlowControl=0
1\\OpenMode=3
1\\Parity=0
1\\StopBits=1
1\\autoReconnect=true
1\\name=Default
1\\showCtrlCharacters=false
1\\showTimestamp=false
size=1
CONF
TICK=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$CUTECOM/stat"; }
rss_mb() { awk '/VmRSS/ {printf "%.1f", $2 * 1024 / 1e6}' "/proc/$CUTECOM/status"; }
cpu_since_start() { awk -v now="$(cpu_ticks)" -v start="$START" -v tick="$TICK" \
  'BEGIN {printf "%.2f", (now - start) / tick}'; }

for END in $ENDS; do
  # Random bytes say nothing about a text terminal's display of lines.
  [ "$END" = binary ] && continue
  echo "== CuteCom 0.51, text view, with the modem-line shim, readings ending in $END"
  "$BUILD/apps/mxsim/mxsim" --link "$WORK/tty" --model 5 --line 115200-N-8-1 --stream "$HZ" \
    --stream-end "$END" > "$WORK/sim.txt" &
  SIM=$!
  sleep 1
  LD_PRELOAD="$BUILD/bench/libmodemline_shim.so" cutecom > /dev/null 2>&1 &
  CUTECOM=$!
  sleep 3
  WINDOW=$(xdotool search --name "CuteCom - Default" | head -1)
  xdotool windowactivate --sync "$WINDOW" key alt+o # its "Open" button
  sleep 2

  START=$(cpu_ticks)
  RSS_START=$(rss_mb)
  echo "time_s  cpu_s  rss_mb  load1"
  printf "%6d  %5.2f  %6s  %5s\n" 0 0 "$RSS_START" "$(load1)"
  for ((t = 10; t <= SECONDS_RUN; t += 10)); do
    sleep 10
    printf "%6d  %5s  %6s  %5s\n" "$t" "$(cpu_since_start)" "$(rss_mb)" "$(load1)"
  done
  USED=$(cpu_since_start)
  awk -v used="$USED" -v run="$SECONDS_RUN" -v load="$(load1)" \
    'BEGIN {printf "cpu %.2f s in %d s = %.2f %% of one core (load average %s)\n", used, run,
            100 * used / run, load}'
  echo "rss $RSS_START MB at the start, $(rss_mb) MB at the end"
  if ls -l "/proc/$CUTECOM/fd" | grep -q "$(readlink "$WORK/tty")"; then
    echo "still connected to the port"
  else
    echo "NOT connected to the port at the end"
  fi
  kill "$CUTECOM" "$SIM" 2> /dev/null || true
  wait "$CUTECOM" "$SIM" 2> /dev/null || true
  CUTECOM= SIM=
  sleep 1
done
