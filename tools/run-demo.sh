#!/usr/bin/env bash
# The README's run command: shows the programs at work on real files in a scratch folder.
set -euo pipefail
build=${1:-build}
tool="$build/apps/mxtool/mxtool"
work=$(mktemp -d "${TMPDIR:-/tmp}/mesurix-demo.XXXXXX")
trap 'rm -rf "$work"' EXIT

step() { printf '\n$ %s\n' "$*"; "$@"; }

echo "Mesurix setup suite: a configuration file from start to finish (scratch folder $work)"
step "$tool" new --model "Mesurix5 Network" -o "$work/line2.mxs"
step "$tool" check "$work/line2.mxs"
printf '\n$ %s export %s > line2.json   (first lines)\n' "$tool" "$work/line2.mxs"
"$tool" export "$work/line2.mxs" >"$work/line2.json"
head -n 12 "$work/line2.json"

echo
echo "Edit the JSON as a script would: a description and channel A's gage type."
sed -i -e 's/"description": ""/"description": "Line 2 bench"/' \
       -e 's/"gageType": \[0, 0, 0, 0, 5\]/"gageType": [3, 0, 0, 0, 5]/' "$work/line2.json"
step "$tool" import "$work/line2.json" -o "$work/line2-edited.mxs"
step "$tool" check "$work/line2-edited.mxs"
printf '\n$ %s export line2-edited.mxs | grep -E "description|gageType"\n' "$tool"
"$tool" export "$work/line2-edited.mxs" | grep -E '"(description|gageType)"'

echo
echo "A damaged file is refused with the program's own message:"
head -c 2000 "$work/line2.mxs" >"$work/damaged.mxs"
printf '$ %s check damaged.mxs\n' "$tool"
"$tool" check "$work/damaged.mxs" || echo "(exit code $?)"
