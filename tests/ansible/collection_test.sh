#!/bin/bash
# The collection as the package installs it: plain files (no executable bit, no Python caches)
# under share/ansible/collections, where ansible-doc renders both modules with check mode and diff
# mode stated; and ansible-galaxy builds it from the source folder without the CMake file.
# Usage: collection_test.sh SOURCE_DIR BUILD_DIR
set -u
SRC=$1
BUILD=$2
WORK=$(mktemp -d /tmp/mxansible.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
export HOME=$WORK ANSIBLE_LOCAL_TEMP=$WORK/tmp
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Only the collection's own install rules, into a scratch prefix.
cmake -DCMAKE_INSTALL_PREFIX="$WORK/usr" -P "$BUILD/ansible/cmake_install.cmake" \
  >"$WORK/log" 2>&1 || { cat "$WORK/log"; exit 1; }
export ANSIBLE_COLLECTIONS_PATH=$WORK/usr/share/ansible/collections
COLL=$ANSIBLE_COLLECTIONS_PATH/ansible_collections/brantwick/mesurix
for file in galaxy.yml meta/runtime.yml plugins/modules/mesurix_config.py \
  plugins/modules/mesurix_facts.py plugins/action/mesurix_config.py plugins/module_utils/mxtool.py \
  examples/playbook.yml examples/inventory.ini; do
  [ -s "$COLL/$file" ] || fail "not installed: $file"
done
odd=$(find "$WORK/usr" -type f -perm /111 -o -name __pycache__ -o -name '*.pyc')
[ -z "$odd" ] || fail "executable or cached files installed: $odd"

for module in mesurix_config mesurix_facts; do
  ansible-doc "brantwick.mesurix.$module" >"$WORK/doc" 2>&1 ||
    fail "ansible-doc $module: $(cat "$WORK/doc")"
  ansible-doc --json "brantwick.mesurix.$module" >"$WORK/doc.json" 2>&1 ||
    fail "ansible-doc --json $module"
  support=$(python3 -c 'import json, sys
doc = next(iter(json.load(open(sys.argv[1])).values()))["doc"]
print(doc["attributes"]["check_mode"]["support"], doc["attributes"]["diff_mode"]["support"])' \
    "$WORK/doc.json")
  case $module in
    mesurix_config) [ "$support" = "full full" ] || fail "$module: check and diff mode: $support" ;;
    mesurix_facts) [ "$support" = "full none" ] || fail "$module: check and diff mode: $support" ;;
  esac
done

ansible-galaxy collection build "$SRC/ansible" --output-path "$WORK/dist" >"$WORK/log" 2>&1 ||
  fail "ansible-galaxy collection build: $(cat "$WORK/log")"
tar tzf "$WORK"/dist/brantwick-mesurix-*.tar.gz >"$WORK/files" 2>&1 || fail "no collection archive"
grep -qx plugins/modules/mesurix_config.py "$WORK/files" || fail "archive lacks the module"
grep -q CMakeLists.txt "$WORK/files" && fail "archive holds the CMake file"

[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "collection: all passed"
