#!/usr/bin/env bash
# Proves the editor tests guard every control: blanks each Store()/Load() call in the pages'
# StoreToImage and LoadFromImage, one at a time, rebuilds the editor tests, runs the contract tests
# and reports every blanked call that no test noticed. The sources are restored after each step.
#
#   tools/store-load-sweep.sh [page.cpp ...]      (default: every page under editor/pages/)
#
# BUILD (default build) is a configured build tree; FILTER (default: the contract tests) is the
# gtest filter run per deletion; FULL=1 also runs the whole mx_editor_tests once at the end.
set -u
cd "$(dirname "$0")/.."
build=${BUILD:-build}
filter=${FILTER:-PageContractTest.*:StoreOnLeaveTest.*}
binary="$build/tests/editor/mx_editor_tests"
export QT_QPA_PLATFORM=offscreen

if [ $# -eq 0 ]; then
  set -- editor/pages/*Page.cpp
fi

# "file:line" of every call inside StoreToImage / LoadFromImage.
calls() {
  for file in "$@"; do
    awk -v file="$file" '
      /^void [A-Za-z0-9_]+::(StoreToImage|LoadFromImage)\(\) \{/ { inside = 1; next }
      inside && /^}/ { inside = 0 }
      inside && /->(Store|Load)\(/ { print file ":" NR }
    ' "$file"
  done
}

total=0
caught=0
missed=()
broken=()
for call in $(calls "$@"); do
  file=${call%:*}
  line=${call##*:}
  text=$(sed -n "${line}p" "$file" | sed 's/^ *//')
  total=$((total + 1))
  cp "$file" "$file.sweep"
  # The object named without the call keeps loops and branches around it intact (and compiling).
  sed -i -E "${line}s/^( *)(.*)->(Store|Load)\(.*\);/\1static_cast<void>(\2);  \/\/ swept/" "$file"
  if ! cmake --build "$build" --target mx_editor_tests >/dev/null 2>&1; then
    broken+=("$call  $text")
    verdict="not built"
  elif "$binary" --gtest_filter="$filter" >/dev/null 2>&1; then
    missed+=("$call  $text")
    verdict=missed
  else
    caught=$((caught + 1))
    verdict=caught
  fi
  mv "$file.sweep" "$file"
  touch "$file"  # newer than the object built from the blanked copy, so it is built again
  echo "$total: $call  $text: $verdict" >&2
done

cmake --build "$build" --target mx_editor_tests >/dev/null 2>&1
echo "Store()/Load() calls: $total, caught: $caught, missed: ${#missed[@]}, not built: ${#broken[@]}"
for entry in "${missed[@]}"; do echo "missed: $entry"; done
for entry in "${broken[@]}"; do echo "not built: $entry"; done
if [ "${FULL:-0}" = 1 ]; then
  "$binary" >/dev/null 2>&1 && echo "full mx_editor_tests: passed" || echo "full mx_editor_tests: FAILED"
fi
[ ${#missed[@]} -eq 0 ]
