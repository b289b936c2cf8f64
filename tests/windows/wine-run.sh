#!/usr/bin/env bash
# Runs a Windows program under Wine and exits with its status: the emulator
# through which ctest runs the cross-compiled tests.
# usage: wine-run.sh PROGRAM.exe [ARGUMENT...]
#
# Inside a session of wine-session.sh (PLM_WINE_SESSION set) the program
# runs there, with TMPDIR pointed at the folder where Debian's Wine finds the
# session's wineserver (PLM_WINE_TMPDIR). Outside one, this script sets Wine
# up itself:
#  - WINEPREFIX (default ${XDG_CACHE_HOME:-$HOME/.cache}/plumora/wine-prefix)
#    is created on first use, which takes 10-20 s; parallel runs wait on a
#    lock for one creation;
#  - a wineserver stays up PLM_WINE_LINGER seconds (default 60) after the
#    last program, so that the next one starts in a fraction of a second.
# WINEDEBUG defaults to -all, Wine never offers to install Mono or Gecko, and
# a crash ends the program at once instead of waiting in Wine's debugger.
# DISPLAY must be set: without an X display, programs that load user32 (all
# but the smallest) wait for minutes under Wine, so the run fails at once.
set -euo pipefail
me=wine-run
if [ $# -lt 1 ]; then
  echo "usage: $0 PROGRAM.exe [ARGUMENT...]" >&2
  exit 2
fi
if ! command -v wine > /dev/null; then
  echo "$me: wine is not installed (scripts/build-windows.sh installs it)" >&2
  exit 2
fi
if [ ! -f "$1" ]; then
  echo "$me: no such program: $1" >&2
  exit 2
fi
if [ -z "${DISPLAY:-}" ]; then
  echo "$me: $(basename "$1") needs an X display under Wine;" \
    "run it through tests/windows/wine-session.sh (or set DISPLAY)" >&2
  exit 2
fi
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=,winedbg.exe=d}

if [ -z "${PLM_WINE_SESSION:-}" ]; then
  export WINEPREFIX=${WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/plumora/wine-prefix}
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    # The server first, so that it is the persistent one; it needs only the
    # prefix's folder. A server already running answers 2: that is fine.
    wineserver -p"${PLM_WINE_LINGER:-60}" < /dev/null > /dev/null 2>&1 || true
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      wineboot -i < /dev/null > /dev/null 2>&1 || {
        echo "$me: cannot create the Wine prefix $WINEPREFIX" >&2
        exit 2
      }
    fi
  ) 9> "$WINEPREFIX/../.$(basename "$WINEPREFIX").lock"
fi
if [ -n "${PLM_WINE_SESSION:-}" ]; then
  export TMPDIR=$PLM_WINE_TMPDIR
fi
exec wine "$@"
