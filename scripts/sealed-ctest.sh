#!/usr/bin/env bash
# Runs ctest in a build tree with the build and source trees sealed, so that a
# test that writes anywhere but its own temporary folder fails.
#
# usage: scripts/sealed-ctest.sh BUILD_DIR [CTEST_ARGUMENTS...]
#        scripts/sealed-ctest.sh --unseal BUILD_DIR
#
# The second form only clears the immutable flag of every folder the first
# would seal, for a run killed together with its watchdog.
#
# While ctest runs:
#  - every folder of the build tree (ctest's working folders among them) and
#    of the source tree is made immutable with `chattr +i`, which holds for
#    root too, so creating, renaming or removing a file there fails. Left out
#    are BUILD_DIR/Testing (ctest's own log), the git metadata and other build
#    trees inside the source tree. Where the file system or the user cannot
#    set the flag, folders are made read-only instead (a non-root user), or
#    only the checks below apply (root without the immutable flag);
#  - TMPDIR is a fresh empty folder.
# Afterwards every folder is unsealed (also on Ctrl-C, SIGTERM, SIGHUP, and,
# through a watchdog, when this script is killed), and the run fails when a
# file in either tree was created, changed or removed, or when anything is
# left in TMPDIR.
#
# Exit status: ctest's status when it failed; otherwise 1 when a tree changed
# or TMPDIR is not empty, 2 on a usage error, 0 when all is well.
set -euo pipefail
usage() { echo "usage: $0 [--unseal] BUILD_DIR [CTEST_ARGUMENTS...]" >&2; exit 2; }
unseal_only=
[ "${1:-}" = --unseal ] && { unseal_only=1; shift; }
[ $# -ge 1 ] && [ -d "$1" ] || usage
build=$(cd "$1" && pwd)
shift
root=$(cd "$(dirname "$0")/.." && pwd)

# Folders to seal, one per line: the build tree without Testing/, the source
# tree without .git and without any other build tree.
folders_to_seal() {
  find "$build" -path "$build/Testing" -prune -o -type d -print
  find "$root" \( -name .git -o -path "$build" \) -prune -o \
    -type d -exec test -e '{}/CMakeCache.txt' \; -prune -o -type d -print
}

# Name, size and modification time of every file and folder below the
# sealed folders: compared before and after the run.
snapshot() {
  find "$build" -path "$build/Testing" -prune -o -printf '%p %s %T@\n'
  find "$root" \( -name .git -o -path "$build" \) -prune -o \
    -type d -exec test -e '{}/CMakeCache.txt' \; -prune -o -printf '%p %s %T@\n'
}

seal_method() {
  local probe
  probe=$(mktemp -d "$build/.seal-probe-XXXXXX")
  if chattr +i "$probe" 2> /dev/null; then
    chattr -i "$probe"
    echo immutable
  elif [ "$(id -u)" -ne 0 ]; then
    echo read-only
  else
    echo none
  fi
  rmdir "$probe"
}

unseal() {
  [ -s "$sealed" ] || return 0
  case $method in
    immutable) xargs -d '\n' chattr -i < "$sealed" 2> /dev/null || true ;;
    read-only) xargs -d '\n' chmod u+w < "$sealed" 2> /dev/null || true ;;
  esac
  : > "$sealed"
}

if [ -n "$unseal_only" ]; then
  [ $# -eq 0 ] || usage
  if command -v chattr > /dev/null; then
    folders_to_seal | xargs -d '\n' chattr -i 2> /dev/null || true
  fi
  exit 0
fi

run=$(mktemp -d "${TMPDIR:-/tmp}/plm-sealed-XXXXXX")
mkdir "$run/tmp"
sealed=$run/sealed.txt
: > "$sealed"

watchdog= tests=
cleanup() {
  [ -z "$tests" ] || kill "$tests" 2> /dev/null || true
  unseal
  [ -z "$watchdog" ] || kill "$watchdog" 2> /dev/null || true
  rm -rf "$run"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

# Refresh the test lists that gtest_discover_tests writes at test time, so
# that nothing needs writing into the build tree during the run.
(cd "$build" && ctest -N > /dev/null)

method=$(seal_method)
snapshot | sort > "$run/before.txt"
folders_to_seal > "$sealed"
# Unseals even if this script is killed with SIGKILL: a process of its own
# session, which a signal to this script's process group does not reach.
setsid bash -c 'while kill -0 "$1" 2> /dev/null; do sleep 1; done
  if [ -s "$2" ]; then
    case $3 in
      immutable) xargs -d "\n" chattr -i < "$2" ;;
      read-only) xargs -d "\n" chmod u+w < "$2" ;;
    esac
    rm -rf "$4"
  fi' watchdog $$ "$sealed" "$method" "$run" < /dev/null > /dev/null 2>&1 &
watchdog=$!
case $method in
  immutable) xargs -d '\n' chattr +i < "$sealed" ;;
  read-only) xargs -d '\n' chmod a-w < "$sealed" ;;
  none) echo "sealed-ctest: cannot seal folders here; checking the trees afterwards only" >&2 ;;
esac

# In the background, so that a signal reaches the traps above at once.
(cd "$build" && TMPDIR=$run/tmp exec ctest "$@") &
tests=$!
status=0
wait "$tests" || status=$?
tests=
unseal

snapshot | sort > "$run/after.txt"
if ! diff "$run/before.txt" "$run/after.txt" > "$run/changes.txt"; then
  echo "sealed-ctest: the test run changed the build or source tree:" >&2
  grep '^[<>]' "$run/changes.txt" | cut -d' ' -f1-2 | head -n 40 >&2
  [ "$status" -ne 0 ] || status=1
fi
if [ -n "$(ls -A "$run/tmp")" ]; then
  echo "sealed-ctest: tests left files in their temporary folder (TMPDIR):" >&2
  ls -A "$run/tmp" | head -n 40 >&2
  [ "$status" -ne 0 ] || status=1
fi
exit "$status"
