#!/usr/bin/env bash
# LinkTest_Network against a simulated Network-model interface on this machine.
set -euo pipefail
build=${1:-build}
port=${MX_DEMO_PORT:-5000}
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "LinkTest_Network is a desktop program and needs a display."
  echo "On a machine without one, run it under a virtual display: xvfb-run -a make linktest"
  exit 1
fi
"$build/apps/mxsim/mxsim" --tcp-server "$port" &
sim=$!
trap 'kill $sim 2>/dev/null' EXIT
echo "Simulated interface on 127.0.0.1:$port. In the window choose \"Client\" and press \"Connect to Server\"."
"$build/apps/linktest/LinkTest_Network" sim/net/loopback.ltn
