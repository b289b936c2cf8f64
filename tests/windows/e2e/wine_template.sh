#!/usr/bin/env bash
# A ready-made Wine prefix that the end-to-end tests copy instead of each
# creating their own (a copy takes about a second, a new prefix 10-20 s).
# usage: wine_template.sh create [DIR] | remove [DIR]
# DIR defaults to the one wine_session.sh copies from: $E2E_WINE_TEMPLATE,
# else plm-e2e-wine-template in the temporary folder ($TMPDIR, else /tmp).
# create: makes the prefix as wine_session.sh would (64-bit, no Mono or
#   Gecko, windows without decoration) in a fresh folder beside DIR, stops
#   its server and only then puts it in DIR's place, so that DIR is either
#   a whole prefix or absent. An existing DIR is replaced.
# remove: removes DIR.
set -uo pipefail
[ $# -eq 1 ] || [ $# -eq 2 ] || { echo "usage: $0 create [DIR] | remove [DIR]" >&2; exit 2; }
target=$(realpath -m "${2:-${E2E_WINE_TEMPLATE:-${TMPDIR:-/tmp}/plm-e2e-wine-template}}")

case "$1" in
  remove)
    rm -rf "$target"
    exit 0
    ;;
  create) ;;
  *) echo "usage: $0 create [DIR] | remove [DIR]" >&2; exit 2 ;;
esac

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
mkdir -p "$(dirname "$target")"
scratch=$(mktemp -d "$target.new-XXXXXX") || exit 1
export WINEPREFIX=$scratch/prefix
# Wine finds its server through TMPDIR: the server's socket folder lies in
# the scratch folder and goes with it.
export TMPDIR=$scratch/server
mkdir -p "$TMPDIR"
cleanup() {
  wineserver -k 2> /dev/null
  timeout 20 wineserver -w 2> /dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
mkdir "$WINEPREFIX"
# No display: the prefix is made without one, its windows come later.
unset DISPLAY
wineserver -p || { echo "wineserver did not start" >&2; exit 1; }
wine wineboot -i > "$scratch/wineboot.log" 2>&1 || { tail -n 5 "$scratch/wineboot.log" >&2; exit 1; }
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f > /dev/null 2>&1 \
  || { echo "cannot set the X11 driver's Decorated setting" >&2; exit 1; }
# The registry is written out when the server ends.
wineserver -k
timeout 20 wineserver -w
rm -rf "$target"
mv "$WINEPREFIX" "$target" || exit 1
echo "Wine prefix ready in $target"
