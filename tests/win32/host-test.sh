#!/usr/bin/env bash
# ravelin-host.exe through the registered class: each operation hands its
# tool exactly the values of the launch data; failures exit non-zero.
# Usage: host-test.sh BUILD_DIR DLL HOST_EXE
. "$(dirname "$0")/wine-common.sh" "$1"
dll=$(winpath "$2")
host=$3
work=$(mktemp -d)
velk=$WINEPREFIX/drive_c/windows/velk.ini
trap 'rm -rf "$work" "$velk"; "$wine" regsvr32 /s /u "$dll" || true' EXIT
export RAVELIN_LAUNCH_TRACE
RAVELIN_LAUNCH_TRACE=$(winpath "$work/trace.txt")

# Without a display the testers' dialogs fail to open and the call returns
# at once: this test checks the dispatch only.
unset DISPLAY
run() { timeout 60 "$wine" "$host" "$@" 2>&1 | tr -d '\r'; return "${PIPESTATUS[0]}"; }

# Usage and failures first, with the class not registered.
run --help | grep -q '^usage: ravelin-host OPERATION' || fail "--help shows no usage"
status=0; run >/dev/null || status=$?
[ "$status" = 2 ] || fail "no arguments: exit $status, expected 2"
"$wine" regsvr32 /s /u "$dll" || true
status=0; output=$(run 3 "") || status=$?
[ "$status" != 0 ] || fail "unregistered class reported success"
case "$output" in
  *"Ravelin.FenletLaunchInterface is not registered"*) ;;
  *) fail "unclear message for an unregistered class: $output" ;;
esac

regsvr "$dll" || fail "regsvr32 failed"
status=0; output=$(run 3 "@$(winpath "$work/missing.txt")") || status=$?
[ "$status" = 1 ] || fail "missing launch data file: exit $status"
case "$output" in *"cannot read launch data file"*) ;; *) fail "missing file: $output" ;; esac

hart='<FFDevice></FFDevice><TARNBLOCKTAG>BT-7</TARNBLOCKTAG><TARNTAG>PT-101</TARNTAG>'
hart+='<MONIKER>!ID!0x26!Hart</MONIKER><HART_MANUFACTURER_ID_CODE>38</HART_MANUFACTURER_ID_CODE>'
hart+='<HART_DEVICE_TYPE>6abc</HART_DEVICE_TYPE><HART_DEVICE_REVISION>2</HART_DEVICE_REVISION>'
hart+='<MANUFACTURER_ID>99</MANUFACTURER_ID><PLANTSERVERNAME>PLANT1</PLANTSERVERNAME>'
# A fieldbus device from a UTF-8 file with a byte order mark.
printf '\xef\xbb\xbf%s' '<FFDevice>0</FFDevice><TARNBLOCKTAG>BT-9</TARNBLOCKTAG><TARNTAG>Ventil-Ä1</TARNTAG><MONIKER>!PhysicalDevice!x</MONIKER><MANUFACTURER_ID>4</MANUFACTURER_ID><DEVICE_TYPE_ID>-2</DEVICE_TYPE_ID><DEVICE_REVISION>3</DEVICE_REVISION><HART_DEVICE_TYPE>6</HART_DEVICE_TYPE>' >"$work/ff.txt"

# Only calls without PLANTSERVERNAME may take the server name from velk.ini.
printf '[Tarn Server 1]\r\nComputer Name=VELKHOST\r\n' >"$velk"
for call in "0|$hart" "1|$hart" "1|@$(winpath "$work/ff.txt")" "3|$hart" "7|$hart" "x|$hart" \
            "3|<TARNTAG>PT-101</TARNTAG>"; do
  op=${call%%|*}
  data=${call#*|}
  output=$(run "$op" "$data") || fail "operation $op: exit $?: $output"
  expect_text "operation $op output" "launchFenlet returned 0x00000000" "$output"
done

expect_text "launch trace" "op=0 server=PLANT1 tag=BT-7
op=1 tag=BT-7 moniker=!ID!0x26!Hart server=PLANT1 manufacturer=38 type=6 revision=2 fieldbus=0
op=1 tag=Ventil-Ä1 moniker=!PhysicalDevice!x server=VELKHOST manufacturer=4 type=-2 revision=3 fieldbus=1
op=3 server=PLANT1
op=0 server=PLANT1 tag=BT-7
op=3 server=VELKHOST" "$(cat "$work/trace.txt")"
echo "host: ok"
