#!/bin/bash
# The example playbook on three local hosts, each with its own ports through MXSETUP_COM1 in its
# environment: station1's interface differs from the file, station2's (chosen by serial number)
# already holds it with its own address, station3's is missing. One playbook run per case, as
# ansible is slow to start:
#   1. station1 changed, station2 not, station3 failed with its message while the others finished;
#      both interfaces then hold the file with their own address and description;
#   2. the same again changes nothing;
#   3. --check --diff with another file: changed, the field shown, nothing sent.
# Usage: playbook_test.sh SOURCE_DIR BUILD_DIR MXSIM MXTOOL
set -u
SRC=$1
BUILD=$2
MXSIM=$3
MXTOOL=$4
. "$(dirname "$0")/../support/shell_rig.sh" mxplaybook
export ANSIBLE_LOCAL_TEMP=$WORK/ansible ANSIBLE_NOCOLOR=1

# The collection as installed, so the install rules are what runs.
cmake -DCMAKE_INSTALL_PREFIX="$WORK/usr" -P "$BUILD/ansible/cmake_install.cmake" \
  >"$WORK/log" 2>&1 || { cat "$WORK/log"; exit 1; }
export ANSIBLE_COLLECTIONS_PATH=$WORK/usr/share/ansible/collections

"$MXTOOL" new --model "Mesurix5 Network" -o "$WORK/line.mxs" >/dev/null || exit 1
"$MXTOOL" set "$WORK/line.mxs" 'gageType[A]=3' -o "$WORK/other.mxs" || exit 1
# What each station's interface must hold: the file with the station's own values.
for n in 1 2; do
  "$MXTOOL" set "$WORK/line.mxs" "ipAddress=192.168.0.2$n" "description=\"Line $n\"" \
    -o "$WORK/expected$n.mxs" || exit 1
done

"$MXSIM" --link "$WORK/tty1" --model "Mesurix5 Network" --serial SN-1 >"$WORK/sim1.out" 2>&1 &
SIMS+=($!)
"$MXSIM" --link "$WORK/tty2" --model "Mesurix5 Network" --serial SN-2 \
  --image "$WORK/expected2.mxs" >"$WORK/sim2.out" 2>&1 &
SIMS+=($!)
wait_ready 1 2

# mxtool comes from each host's PATH, as on a station; each host has its own COM1, settings and
# transfer log.
path=$(dirname "$MXTOOL"):/usr/bin:/bin
host_env() {
  local home=$WORK/station$1
  local vars="\"MXSETUP_COM1\": \"$WORK/tty$1\", \"PATH\": \"$path\""
  vars+=", \"XDG_CONFIG_HOME\": \"$home/config\", \"XDG_STATE_HOME\": \"$home/state\""
  echo "mesurix_environment='{$vars}'"
}
cat >"$WORK/inventory.ini" <<EOF
[mesurix_stations]
station1 mesurix_port=COM1 mesurix_address=192.168.0.21 mesurix_description="Line 1" $(host_env 1)
station2 mesurix_serial=SN-2 mesurix_address=192.168.0.22 mesurix_description="Line 2" $(host_env 2)
station3 mesurix_port=COM1 mesurix_address=192.168.0.23 mesurix_description="Line 3" $(host_env 3)

[mesurix_stations:vars]
ansible_connection=local
ansible_python_interpreter=/usr/bin/python3
EOF

# play NAME FILE [OPTIONS...]: the example playbook with FILE as the configuration; Ansible's
# usual output in $WORK/NAME.
play() {
  local name=$1 file=$2
  shift 2
  ANSIBLE_STDOUT_CALLBACK=default ansible-playbook -i "$WORK/inventory.ini" \
    "$SRC/ansible/examples/playbook.yml" -e "mesurix_config_file=$file" "$@" >"$WORK/$name" 2>&1
}

# outcome NAME HOST: HOST's result line of the configuration task.
outcome() {
  awk -v h="[$2]" '/^TASK \[/ { keep = index($0, "TASK [The line configuration") == 1 }
    keep && index($0, h) { print; exit }' "$WORK/$1"
}

# holds N FILE: station N's interface holds FILE, as mxtool read sees it.
holds() {
  rm -f "$WORK/read.mxs"
  MXSETUP_COM1=$WORK/tty$1 "$MXTOOL" read -o "$WORK/read.mxs" --port COM1 >/dev/null 2>&1 &&
    "$MXTOOL" diff "$2" "$WORK/read.mxs" >"$WORK/diff" 2>&1
}

play first "$WORK/line.mxs"
grep -qF "\"msg\": \"COM1 ($WORK/tty1): Mesurix5 Network, serial number SN-1\"" "$WORK/first" ||
  fail "facts of station1: $(cat "$WORK/first")"
[ "$(outcome first station1)" = "changed: [station1]" ] ||
  fail "first run, station1: $(cat "$WORK/first")"
[ "$(outcome first station2)" = "ok: [station2]" ] ||
  fail "first run, station2: $(cat "$WORK/first")"
outcome first station3 | grep -qF '"msg": "COM1: Cannot find a Mesurix interface.' ||
  fail "first run, station3: $(cat "$WORK/first")"
for n in 1 2; do
  holds $n "$WORK/expected$n.mxs" ||
    fail "station$n does not hold its configuration: $(cat "$WORK/diff")"
done

play second "$WORK/line.mxs"
for n in 1 2; do
  [ "$(outcome second station$n)" = "ok: [station$n]" ] ||
    fail "second run, station$n: $(cat "$WORK/second")"
done

play check "$WORK/other.mxs" --check --diff
for n in 1 2; do
  [ "$(outcome check station$n)" = "changed: [station$n]" ] ||
    fail "--check, station$n: $(cat "$WORK/check")"
  holds $n "$WORK/expected$n.mxs" || fail "--check sent to station$n: $(cat "$WORK/diff")"
  # The host's diff: from its header to its result line.
  awk -v h="--- before: COM1 ($WORK/tty$n)" \
    'index($0, h) == 1 { keep = 1 } keep; /^changed: / { keep = 0 }' "$WORK/check" >"$WORK/diff$n"
  grep -qx -- '-gageType\[A\]: [0-9]*' "$WORK/diff$n" &&
    grep -qx -- '+gageType\[A\]: 3' "$WORK/diff$n" ||
    fail "--diff, station$n: $(cat "$WORK/check")"
done

[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "playbook: all passed"
