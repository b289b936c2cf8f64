#!/bin/sh
# usage: tool_usage.sh TOOL PROGRAM. TOOL --help must print its exit statuses
# and end with 0; an unknown option must end with 2 and say so on stderr;
# --version must print the version PROGRAM (plumora) prints.
help=$("$1" --help) || { echo "FAIL: $1 --help: status $?"; exit 1; }
echo "$help" | grep -q "^Exit status" || { echo "FAIL: $1 --help lists no exit statuses"; exit 1; }
error=$("$1" --no-such-option 2>&1 >/dev/null)
status=$?
[ "$status" -eq 2 ] || { echo "FAIL: $1 --no-such-option: status $status, expected 2"; exit 1; }
echo "$error" | grep -q -- "--no-such-option" || { echo "FAIL: $1 does not name the option: $error"; exit 1; }
expected="$(basename "$1") $("$2" --version | sed 's/^plumora //')"
version=$("$1" --version) || { echo "FAIL: $1 --version: status $?"; exit 1; }
[ "$version" = "$expected" ] || { echo "FAIL: $1 --version printed '$version', expected '$expected'"; exit 1; }
