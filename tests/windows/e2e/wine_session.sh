# Sourced by the end-to-end scripts that run the Windows build under Wine.
# Gives each script a world of its own: a scratch folder (made with mktemp),
# an Xvfb server on a free display, a Wine prefix inside the scratch folder
# with a persistent wineserver, and a cleanup on EXIT, INT and TERM that
# ends all of them and removes the folder.
#
# After wine_session_start:
#   $work      the scratch folder (removed at the end)
#   $DISPLAY   the Xvfb display, 1024x768, 24 bits
#   $WINEPREFIX the prefix, set up so that windows get no decoration
# When wine_template.sh has made its prefix ($E2E_WINE_TEMPLATE, else
# plm-e2e-wine-template in the temporary folder), the prefix is a copy of it instead of a new one (about a second instead of
# 10-20 s).
# The caller may set $program_pid; a process by that id is killed in the
# cleanup too.

# Fails the script with a message; the cleanup runs on the way out.
fail() {
  echo "FAIL: ${scenario:-e2e}: $*" >&2
  exit 1
}
note() { echo "${scenario:-e2e}: $*"; }

export LC_ALL=C
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64

work=""
xvfb_pid=""
program_pid=""

wine_session_cleanup() {
  local status=$?
  trap - EXIT INT TERM
  [ -n "$program_pid" ] && kill -KILL "$program_pid" 2> /dev/null
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    wineserver -k 2> /dev/null
    # -k only asks; wait for the server to be gone before its prefix goes.
    timeout 20 wineserver -w 2> /dev/null
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2> /dev/null
    wait "$xvfb_pid" 2> /dev/null
  fi
  [ -n "$work" ] && rm -rf "$work"
  exit "$status"
}

# Starts Xvfb on the first free display from 50 to 99 (another server may
# take a number between the look and the start: then the next is tried).
start_xvfb() {
  local n
  for n in $(seq 50 99); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 ${E2E_SCREEN:-1024x768x24} -nolisten tcp -noreset > "$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    local _i
    for _i in $(seq 1 100); do
      kill -0 "$xvfb_pid" 2> /dev/null || break
      if [ -e "/tmp/.X11-unix/X$n" ] && DISPLAY=":$n" xdpyinfo > /dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      sleep 0.1
    done
    kill "$xvfb_pid" 2> /dev/null
    wait "$xvfb_pid" 2> /dev/null
    xvfb_pid=""
  done
  fail "no free X display between :50 and :99 ($(cat "$work/xvfb.log" 2> /dev/null))"
}

# Makes the prefix and starts its persistent server. Without a window
# manager Wine draws its own frame and caption around a popup only when the
# driver's Decorated setting allows it; it is turned off, so that the dialog
# shows on screen exactly as large as the program makes it.
start_wine() {
  export WINEPREFIX=$work/prefix
  if [ -n "${E2E_WINE_TEMPLATE:-}" ] && [ -f "$E2E_WINE_TEMPLATE/system.reg" ]; then
    cp -a "$E2E_WINE_TEMPLATE" "$WINEPREFIX" || fail "cannot copy the Wine prefix $E2E_WINE_TEMPLATE"
    wineserver -p || fail "wineserver did not start"
  else
    mkdir -p "$WINEPREFIX"
    wineserver -p || fail "wineserver did not start"
    wine wineboot -i > "$work/wineboot.log" 2>&1 || fail "the Wine prefix could not be made: $(tail -n 5 "$work/wineboot.log")"
  fi
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f > /dev/null 2>&1 \
    || fail "cannot set the X11 driver's Decorated setting"
}

wine_session_start() {
  E2E_WINE_TEMPLATE=${E2E_WINE_TEMPLATE:-${TMPDIR:-/tmp}/plm-e2e-wine-template}
  work=$(mktemp -d "${TMPDIR:-/tmp}/plumora-wine-e2e-XXXXXX") || fail "cannot make a scratch folder"
  # The programs see what a Windows system has: no XDG_RUNTIME_DIR, and no
  # TMPDIR that names a Windows folder (Wine passes both on; a Unix path in
  # TMPDIR is no Windows path, so the program ignores it). Wine finds its
  # server through TMPDIR: it points into the scratch folder, so that the
  # server's socket folder goes with it.
  unset XDG_RUNTIME_DIR
  export TMPDIR=$work/server
  mkdir -p "$TMPDIR" || fail "cannot make the server folder"
  trap wine_session_cleanup EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  start_xvfb
  start_wine
}
