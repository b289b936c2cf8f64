#!/usr/bin/env bash
# Checks wine-run.sh and wine-session.sh with a small windowed probe program.
# usage: wine_scripts_test.sh SCRIPTS_DIR PROBE_EXE
# Runs inside a Wine session (ctest under wine-session.sh); the session
# cases start sessions of their own, with a prefix of their own.
set -uo pipefail
scripts=$1
probe=$2
run=$scripts/wine-run.sh
session=$scripts/wine-session.sh
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
work=$(mktemp -d "${TMPDIR:-/tmp}/plm-wine-scripts-XXXXXX")
trap 'rm -rf "$work"' EXIT

# The program's status, standard output and standard error come through,
# although the probe is a windowed (GUI subsystem) program. Lines end in
# CR LF, as text written by any Windows program.
for status in 0 3 70; do
  "$run" "$probe" status "$status" > "$work/out.crlf" 2> "$work/err.crlf"
  got=$?
  tr -d '\r' < "$work/out.crlf" > "$work/out"
  tr -d '\r' < "$work/err.crlf" > "$work/err"
  [ "$got" -eq "$status" ] || fail "status $status came back as $got"
  grep -qx "probe out" "$work/out" || fail "stdout of status $status: $(cat "$work/out")"
  grep -qx "probe err" "$work/err" || fail "stderr of status $status: $(cat "$work/err")"
done

# The environment reaches the program (ctest's ENVIRONMENT property).
value=$(PLM_PROBE_VALUE="a b=c" "$run" "$probe" env PLM_PROBE_VALUE | tr -d '\r')
[ "$value" = "a b=c" ] || fail "environment: got '$value'"

# A program started with a TMPDIR of its own (as under sealed-ctest.sh)
# still finds the session's wineserver instead of starting a second one,
# which would leave its socket folder behind in that TMPDIR.
mkdir "$work/own-tmp"
TMPDIR=$work/own-tmp "$run" "$probe" status 0 > /dev/null 2>&1 || fail "a run with a TMPDIR of its own failed"
[ -z "$(ls -A "$work/own-tmp")" ] || fail "a second wineserver started: $(ls -A "$work/own-tmp")"

# Usage errors: no program, a missing program, no X display.
"$run" > /dev/null 2>&1
[ $? -eq 2 ] || fail "no arguments should give status 2"
"$run" "$work/missing.exe" 2> "$work/err"
[ $? -eq 2 ] && grep -q "no such program" "$work/err" || fail "a missing program: $(cat "$work/err")"
env -u DISPLAY "$run" "$probe" status 0 2> "$work/err"
[ $? -eq 2 ] && grep -q "needs an X display" "$work/err" || fail "a run without X: $(cat "$work/err")"

# A session of its own (a prefix kept in the scratch folder, so that the
# second session reuses it): the command's status comes back, its display
# and server end with it, and a file left in Windows' temporary folder fails
# an otherwise passing command.
prefix=$work/prefix
inner() {
  env -u PLM_WINE_SESSION -u DISPLAY WINEPREFIX="$prefix" "$session" "$@"
}
inner sh -c 'echo "$DISPLAY" > "$1"; echo "$PLM_WINE_TMPDIR" > "$2"; "$3" "$4" status 0; exit 5' \
  sh "$work/display" "$work/server" "$run" "$probe" > /dev/null 2> "$work/err"
got=$?
[ "$got" -eq 5 ] || fail "session status: 5 came back as $got: $(cat "$work/err")"
display=$(cat "$work/display" 2> /dev/null)
[ -n "$display" ] || fail "the session gave its command no DISPLAY"
if [ -n "$display" ] && xdpyinfo -display "$display" > /dev/null 2>&1; then
  fail "the session's display $display still answers after the session"
fi
# The session's wineserver runs in its socket folder, inside PLM_WINE_TMPDIR.
server=$(cat "$work/server" 2> /dev/null)
[ -n "$server" ] || fail "the session gave its command no PLM_WINE_TMPDIR"
for pid in $(pgrep -x wineserver64; pgrep -x wineserver); do
  case $(readlink "/proc/$pid/cwd") in
    "$server"/*) fail "the session's wineserver $pid still runs after the session" ;;
  esac
done
[ ! -e "$server" ] || fail "the session's folder $server is still there"

inner "$run" "$probe" leave plm-left-behind.txt 2> "$work/err"
got=$?
[ "$got" -eq 1 ] || fail "a file left in %TEMP% should fail the session with 1, got $got"
grep -q "plm-left-behind.txt" "$work/err" || fail "the left file is not named: $(cat "$work/err")"

[ "$failures" -eq 0 ] || exit 1
echo "wine scripts: all checks passed"
