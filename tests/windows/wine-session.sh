#!/usr/bin/env bash
# Runs a command inside a Wine session: one Wine prefix, one X display and one
# wineserver that lives as long as the command, shared by every Windows
# program the command starts (through wine-run.sh, or wine itself).
# usage: wine-session.sh COMMAND [ARGUMENT...]
#   e.g. tests/windows/wine-session.sh ctest --test-dir build-win64 -j2
#
#  - WINEPREFIX: used and kept when set; otherwise a fresh prefix in a
#    temporary folder, removed afterwards (creating one takes 10-20 s).
#  - DISPLAY: a fresh Xvfb (1024x768, 24 bits) on the first free display
#    from :50 to :99.
#  - PLM_WINE_TMPDIR: the folder that holds the wineserver's socket. Debian's
#    Wine finds the server under $TMPDIR, so every Windows program of the
#    session must start with TMPDIR set to it (wine-run.sh does that), or it
#    would start a second server on the same prefix.
#  - WINEDEBUG=-all unless set; Wine never offers to install Mono or Gecko,
#    and a crashing program ends at once instead of waiting in Wine's
#    debugger.
# Afterwards every Windows program still running, the wineserver and Xvfb are
# stopped (also on Ctrl-C and SIGTERM). The session fails when a Windows
# program left files in the prefix's temporary folder (Windows' %TEMP%),
# which tests must clean up like their Unix temporary folders.
#
# Exit status: the command's when it failed; 1 when it passed but left
# temporary files; 2 when the session cannot be set up.
set -euo pipefail
me=wine-session
if [ $# -lt 1 ]; then
  echo "usage: $0 COMMAND [ARGUMENT...]" >&2
  exit 2
fi
for tool in wine wineserver wineboot Xvfb xdpyinfo; do
  if ! command -v "$tool" > /dev/null; then
    echo "$me: $tool is not installed (scripts/build-windows.sh installs the Windows tool set)" >&2
    exit 2
  fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/plm-wine-XXXXXX")
xvfb= server_up=
cleanup() {
  if [ -n "$server_up" ]; then
    TMPDIR=$PLM_WINE_TMPDIR wineserver -k > /dev/null 2>&1 || true
    TMPDIR=$PLM_WINE_TMPDIR wineserver -w > /dev/null 2>&1 || true
  fi
  if [ -n "$xvfb" ]; then
    kill "$xvfb" 2> /dev/null || true
    wait "$xvfb" 2> /dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

# Starts Xvfb on the first display in 50-99 that it can take (its lock file
# decides between sessions starting at once) and waits until it answers.
start_display() {
  local n deadline
  for n in $(seq 50 99); do
    [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ] || continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset < /dev/null > "$work/xvfb.log" 2>&1 &
    xvfb=$!
    deadline=$((SECONDS + 30))
    while kill -0 "$xvfb" 2> /dev/null && [ "$SECONDS" -lt "$deadline" ]; do
      if xdpyinfo -display ":$n" > /dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      sleep 0.1
    done
    kill "$xvfb" 2> /dev/null || true
    wait "$xvfb" 2> /dev/null || true
    xvfb=
  done
  echo "$me: no X display could be started in :50-:99" >&2
  return 1
}

start_display || exit 2
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=,winedbg.exe=d}
export WINEPREFIX=${WINEPREFIX:-$work/prefix}
export PLM_WINE_SESSION=1
export PLM_WINE_TMPDIR=$work/server
mkdir -p "$WINEPREFIX" "$PLM_WINE_TMPDIR"
# The persistent server first (it needs only the prefix's folder), then the
# prefix itself if it is new. The server keeps its socket in a folder it
# makes under TMPDIR and never removes: here, inside the session's folder.
if ! TMPDIR=$PLM_WINE_TMPDIR wineserver -p < /dev/null > /dev/null 2>&1; then
  echo "$me: a wineserver already runs for $WINEPREFIX; end it first (WINEPREFIX=$WINEPREFIX wineserver -k)" >&2
  exit 2
fi
server_up=1
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  if ! TMPDIR=$PLM_WINE_TMPDIR wineboot -i < /dev/null > "$work/wineboot.log" 2>&1; then
    cat "$work/wineboot.log" >&2
    echo "$me: cannot create the Wine prefix $WINEPREFIX" >&2
    exit 2
  fi
fi

# One program started and ended first, so that Wine's own services are up
# before the command's programs start, several at once.
TMPDIR=$PLM_WINE_TMPDIR wine cmd.exe /c exit < /dev/null > /dev/null 2>&1 || true

# Windows' temporary folder of every user in the prefix, and what it holds
# before the command runs.
temp_listing() {
  local folder
  for folder in "$WINEPREFIX"/drive_c/users/*/Temp "$WINEPREFIX"/drive_c/users/*/AppData/Local/Temp; do
    if [ -d "$folder" ]; then find "$folder" -mindepth 1 -maxdepth 1 -print; fi
  done | sort
}
temp_listing > "$work/temp-before.txt"

status=0
"$@" || status=$?

temp_listing > "$work/temp-after.txt"
left=$(comm -13 "$work/temp-before.txt" "$work/temp-after.txt")
if [ -n "$left" ]; then
  echo "$me: Windows programs left files in their temporary folder:" >&2
  echo "$left" | head -n 40 >&2
  [ "$status" -ne 0 ] || status=1
fi
exit "$status"
