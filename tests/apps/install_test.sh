#!/bin/bash
# The installed programs: `install` puts the build into a scratch prefix with DESTDIR; `package`
# builds the Debian package, checks that apt resolves its dependencies on this machine, installs
# it with dpkg into a throwaway root (its own dpkg database) and removes it again. Either way the
# programs installed there must run: all four answer --help and --version without a display,
# MXSetup and LinkTest_Network start on the offscreen platform, show their windows and write only
# into the user's folders. The installation is stripped and hardened, its manual pages and
# completion work (installed_docs_test.sh), and lintian finds nothing against the package.
# Nothing outside a scratch folder is touched. Usage: install_test.sh install|package BUILD_DIR
set -u
MODE=$1
BUILD=$2
WORK=$(mktemp -d /tmp/mxinstall.XXXXXX)
ROOT=$WORK/root
trap 'rm -rf "$WORK"' EXIT
failures=0
# The versions the About boxes show.
version_of() { [ "$1" = LinkTest_Network ] && echo 1.0.1.1 || echo 1.0.1.24; }
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

if [ "$MODE" = install ]; then
  DESTDIR=$ROOT cmake --install "$BUILD" --prefix /usr --strip >"$WORK/install.log" 2>&1 ||
    { cat "$WORK/install.log"; exit 1; }
else
  cpack -G DEB -B "$WORK/pkg" --config "$BUILD/CPackConfig.cmake" >"$WORK/cpack.log" 2>&1 ||
    { cat "$WORK/cpack.log"; exit 1; }
  DEB=$(ls "$WORK"/pkg/mxsetup_*.deb)
  field() { dpkg-deb -f "$DEB" "$1"; }
  for need in libqt6core6 libqt6widgets6 libqt6network6 libqt6printsupport6 qt6-qpa-plugins; do
    field Depends | grep -q "$need" || fail "Depends lacks $need: $(field Depends)"
  done
  field Description | grep -qF 'sudo usermod -aG dialout $USER' || fail "no dialout note"
  # What `apt install ./mxsetup_*.deb` would do on this machine: every dependency resolves.
  apt-get install --simulate "$DEB" >"$WORK/apt.log" 2>&1 || fail "apt: $(cat "$WORK/apt.log")"
  grep -q "^Inst mxsetup " "$WORK/apt.log" || fail "apt would not install it: $(cat "$WORK/apt.log")"
  mkdir -p "$ROOT/var/lib/dpkg/info" "$ROOT/var/lib/dpkg/updates"
  touch "$ROOT/var/lib/dpkg/status"
  # The throwaway root has no other packages: its dependencies are the machine's, checked above.
  dpkg_root() {
    dpkg --root="$ROOT" --force-not-root --force-depends --force-script-chrootless \
      --log=/dev/null "$@" >"$WORK/dpkg.log" 2>&1 || fail "dpkg $*: $(cat "$WORK/dpkg.log")"
  }
  dpkg_root -i "$DEB"
  # Tags of the informational level and below are advice; errors and warnings are faults.
  lintian --fail-on error,warning --no-tag-display-limit "$DEB" >"$WORK/lintian.log" 2>&1 ||
    fail "lintian: $(cat "$WORK/lintian.log")"
fi

# What the installation put in place, and whether the desktop's own tools accept it.
for file in bin/MXSetup bin/LinkTest_Network bin/mxtool bin/mxsim \
  share/applications/com.brantwick.MXSetup.desktop \
  share/applications/com.brantwick.LinkTestNetwork.desktop \
  share/icons/hicolor/scalable/apps/com.brantwick.MXSetup.svg \
  share/icons/hicolor/scalable/apps/com.brantwick.LinkTestNetwork.svg \
  share/metainfo/com.brantwick.MXSetup.metainfo.xml share/mime/packages/mesurix.xml \
  share/doc/mxsetup/help/100.html share/doc/mxsetup/copyright share/doc/mxsetup/changelog.Debian.gz \
  share/bash-completion/completions/mxtool share/man/man1/{MXSetup,LinkTest_Network,mxtool,mxsim}.1.gz; do
  [ -s "$ROOT/usr/$file" ] || fail "not installed: /usr/$file"
done
desktop-file-validate "$ROOT"/usr/share/applications/*.desktop >"$WORK/v.log" 2>&1 ||
  fail "desktop entries: $(cat "$WORK/v.log")"
appstreamcli validate --no-net "$ROOT"/usr/share/metainfo/*.xml >"$WORK/v.log" 2>&1 ||
  fail "metainfo: $(cat "$WORK/v.log")"
update-mime-database "$ROOT/usr/share/mime" >"$WORK/v.log" 2>&1 || fail "MIME: $(cat "$WORK/v.log")"
grep -q '\*\.mxs' "$ROOT/usr/share/mime/globs2" 2>/dev/null || fail ".mxs is not registered"
grep -q '\*\.ltn' "$ROOT/usr/share/mime/globs2" 2>/dev/null || fail ".ltn is not registered"

# --help and --version on stdout with exit status 0, the windows' programs too: without a display
# (over SSH) they answer rather than abort for want of a platform plugin.
for program in MXSetup LinkTest_Network mxtool mxsim; do
  for option in --help --version; do
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$ROOT/usr/bin/$program" $option 2>&1 \
      >"$WORK/out.log")
    status=$?
    [ $status -eq 0 ] && [ -z "$out" ] || fail "$program $option: status $status, stderr: $out"
    case $option in
      --help) grep -q "^usage: $program " "$WORK/out.log" || fail "$program --help: $(cat "$WORK/out.log")" ;;
      --version) [ "$(cat "$WORK/out.log")" = "$program $(version_of "$program")" ] ||
        fail "$program --version: $(cat "$WORK/out.log")" ;;
    esac
  done
  file -b "$ROOT/usr/bin/$program" | grep -q "not stripped" && fail "$program is not stripped"
  # Debian 12's hardening set (dpkg-buildflags) has no control-flow protection; its
  # hardening-check asks for it all the same. LinkTest_Network is built fortified too, but none of
  # its libc calls writes into a buffer whose size the compiler knows, so there is no checked call
  # for hardening-check to find.
  skip=--nocfprotection
  [ "$program" = LinkTest_Network ] && skip="$skip --nofortify"
  hardening-check --quiet $skip "$ROOT/usr/bin/$program" >"$WORK/h.log" 2>&1 ||
    fail "hardening-check $program: $(cat "$WORK/h.log")"
done
bash "$(dirname "$0")/installed_docs_test.sh" "$ROOT/usr" >"$WORK/docs.log" 2>&1 ||
  fail "$(cat "$WORK/docs.log")"

# shows_window PROGRAM FILE: the installed PROGRAM starts, makes FILE in the user's folders on its
# way to showing its window, and is still running, in its event loop, a second later.
USER_DIR=$WORK/user
mkdir -p "$USER_DIR/run" && chmod 700 "$USER_DIR/run"
shows_window() {
  HOME=$USER_DIR XDG_CONFIG_HOME=$USER_DIR/config XDG_DATA_HOME=$USER_DIR/data \
    XDG_RUNTIME_DIR=$USER_DIR/run QT_QPA_PLATFORM=offscreen \
    "$ROOT/usr/bin/$1" >"$WORK/$1.log" 2>&1 &
  local pid=$!
  for _ in $(seq 100); do
    [ -e "$2" ] && break
    sleep 0.1
  done
  [ -e "$2" ] || fail "installed $1 did not make $2: $(cat "$WORK/$1.log")"
  sleep 1
  kill -0 "$pid" 2>/dev/null || fail "installed $1 ended: $(cat "$WORK/$1.log")"
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
}
shows_window MXSetup "$USER_DIR/data/Brantwick Systems/MXSetup/config"
shows_window LinkTest_Network "$USER_DIR/config/Brantwick Systems/LinkTest_Network/default.ltn"
[ "$(ls "$ROOT/usr/bin" | tr '\n' ' ')" = "LinkTest_Network MXSetup mxsim mxtool " ] ||
  fail "the programs wrote beside themselves: $(ls "$ROOT/usr/bin")"

if [ "$MODE" = package ]; then
  dpkg_root -P mxsetup
  left=$(find "$ROOT/usr" -type f ! -path "*/share/mime/*" | head)
  [ -z "$left" ] || fail "removing the package left $left"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "$MODE: all passed"
