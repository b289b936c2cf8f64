#!/bin/sh
# usage: tool_usage.sh TOOL. TOOL --help must print its exit statuses and
# end with 0; an unknown option must end with 2 and say so on stderr.
help=$("$1" --help) || { echo "FAIL: $1 --help: status $?"; exit 1; }
echo "$help" | grep -q "^Exit status" || { echo "FAIL: $1 --help lists no exit statuses"; exit 1; }
error=$("$1" --no-such-option 2>&1 >/dev/null)
status=$?
[ "$status" -eq 2 ] || { echo "FAIL: $1 --no-such-option: status $status, expected 2"; exit 1; }
echo "$error" | grep -q -- "--no-such-option" || { echo "FAIL: $1 does not name the option: $error"; exit 1; }
