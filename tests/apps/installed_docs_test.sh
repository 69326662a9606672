#!/bin/bash
# The manual pages and mxtool's bash completion as installed under PREFIX: every page renders
# without a warning from man or groff, and the completion offers commands, options, the ports of
# the port map and the files each argument takes. Usage: installed_docs_test.sh PREFIX
set -u
PREFIX=$1
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

for program in MXSetup LinkTest_Network mxtool mxsim; do
  page=$PREFIX/share/man/man1/$program.1.gz
  warnings=$(MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$program(1): $warnings"
  MANWIDTH=80 man -l "$page" 2>/dev/null | grep -q "^ *$program - " || fail "$program(1) has no NAME line"
done

# completes LINE EXPECTED: what bash offers for the last word of LINE (a trailing blank starts a
# new word), sorted and joined by blanks, as it would after <Tab>.
FILES=$(mktemp -d /tmp/mxcomplete.XXXXXX)
trap 'rm -rf "$FILES"' EXIT
mkdir "$FILES/dir"
touch "$FILES/a.mxs" "$FILES/b.json" "$FILES/c.csv" "$FILES/d.pdf" "$FILES/e.txt"
completes() {
  local got
  got=$(cd "$FILES" && PATH="$PREFIX/bin:$PATH" MXSETUP_COM3=/dev/null MXSETUP_COM12=/dev/zero \
    bash -c '
      source /usr/share/bash-completion/bash_completion
      source "$1"
      COMP_LINE=$2 COMP_POINT=${#2}
      read -ra COMP_WORDS <<<"$2"
      [[ $2 == *" " ]] && COMP_WORDS+=("")
      COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
      _mxtool mxtool "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}" 2>/dev/null
      printf "%s\n" "${COMPREPLY[@]}" | sort | paste -sd " "' _ \
    "$PREFIX/share/bash-completion/completions/mxtool" "$1")
  [ "$got" = "$2" ] || fail "completing \"$1\": \"$got\", not \"$2\""
}
completes "mxtool se" "send set"
completes "mxtool --v" "--version"
completes "mxtool send a.mxs --p" "--port --ports"
completes "mxtool find --port " "COM12 COM3"
completes "mxtool read --ports COM3," "COM3,COM12 COM3,COM3"
completes "mxtool send " "a.mxs dir"
completes "mxtool import " "b.json dir"
completes "mxtool import b.json -o " "a.mxs dir"
completes "mxtool report a.mxs -o " "d.pdf dir"
completes "mxtool apply a.mxs --vars " "c.csv dir"

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "manual pages and completion: all passed"
