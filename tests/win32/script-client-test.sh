#!/usr/bin/env bash
# A JScript client under Wine's cscript reaches launchFenlet through
# IDispatch. Usage: script-client-test.sh BUILD_DIR DLL
. "$(dirname "$0")/wine-common.sh" "$1"
dll=$(winpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"; "$wine" regsvr32 /s /u "$dll" || true' EXIT

regsvr "$dll" || fail "regsvr32 failed"
export RAVELIN_LAUNCH_TRACE
RAVELIN_LAUNCH_TRACE=$(winpath "$work/trace.txt")
# Without a display the testers' dialogs fail to open and the calls return.
unset DISPLAY
output=$(timeout 60 "$wine" cscript //nologo "$(winpath "$(cd "$(dirname "$0")" && pwd)/launch.js")" | tr -d '\r')
expect_text "script output" "launched" "$output"
expect_text "launch trace" "op=3 server=P1
op=0 server=P2 tag=PT-101" "$(cat "$work/trace.txt")"
echo "script client: ok"
