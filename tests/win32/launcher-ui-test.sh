#!/usr/bin/env bash
# The tester's dialogs through the real COM entry point, driven from inside
# the process (LauncherUiTest.cpp) over a small sample plant: all device
# templates, a device list file, and operation 0 on one tag. The viewer is
# a stand-in notepad.exe in the host root that records what it was asked to
# open. Each report must equal what ravelin-test writes for the same plant
# and options, but for the time of day. Pictures of the dialogs are kept in
# BUILD_DIR/tests/win32/launcher-shots.
# Usage: launcher-ui-test.sh BUILD_DIR DLL DRIVER_EXE CLI_EXE NOTEPAD_EXE PLANT_GENERATOR
. "$(dirname "$0")/wine-common.sh" "$1"
dll=$(winpath "$2")
driver=$3
cli=$4
notepad=$5
generator=$6
work=$(mktemp -d)
shots=$1/tests/win32/launcher-shots
rm -rf "$shots" && mkdir -p "$shots"
trap 'rm -rf "$work"' EXIT
make_plant "$generator" "$work/plant" 4
cp "$notepad" "$work/plant/notepad.exe"
printf 'PT-101\r\n\r\n!NamedConfig!Pressure template\r\n' >"$work/devices.txt"

use_plant "$work/plant"

# Blanks in the report paths: the viewer must get each path as one argument.
report() { winpath "$work/report $1.txt"; }
timeout 600 "$wine" "$driver" "$dll" "$(winpath "$shots")" "$(report templates)" \
  "$(report list)" "$(winpath "$work/devices.txt")" "$(report tag)" ||
  fail "the dialog driver failed"

# The viewer is started without waiting for it: give the last one time to
# write its line.
for _ in $(seq 1 50); do
  [ "$(grep -c '' "$work/plant/viewer.log" 2>/dev/null)" -ge 3 ] && break
  sleep 0.2
done
expect_text "files the viewer was asked to open" \
  "$(report templates)
$(report list)
$(report tag)" "$(tr -d '\r' <"$work/plant/viewer.log")"

# The same runs through ravelin-test; only the time of day may differ.
same_as_cli() {
  local name=$1; shift
  local status=0
  timeout 300 "$wine" "$cli" --report "$(report "$name-cli")" "$@" >/dev/null 2>&1 || status=$?
  [ "$status" -le 1 ] || fail "ravelin-test for $name: exit $status"
  local untimed='s/^The test was conducted at .*$/The test was conducted at TIME/'
  expect_text "report of $name against ravelin-test" \
    "$(sed "$untimed" "$work/report $name-cli.txt")" "$(sed "$untimed" "$work/report $name.txt")"
}
same_as_cli templates --all-templates --level all
same_as_cli list --device-list "$(winpath "$work/devices.txt")" --all-map-files
same_as_cli tag --device PT-101
ls "$shots"/*.bmp >/dev/null || fail "no pictures of the dialogs were kept"
echo "launcher dialogs: three runs match ravelin-test; pictures in $shots"
