#!/usr/bin/env bash
# Many launches of one plug-in object in one process (ManyLaunchesTest.cpp)
# over a small sample plant with the stand-in notepad.exe, through the
# registered class as the host creates it. The driver prints the counts it
# samples and the time each kind of call took.
# The SQLite ODBC driver loads the ODBC installer library at every
# connection and unloads it at the disconnect, which loses the installer's
# profile cache each time (some KB a connection, and a run opens one per
# device); the installer is kept loaded here so that what the figures show
# is the plug-in's own. A real host's driver has no such loss.
# Usage: many-launches-test.sh BUILD_DIR DLL DRIVER_EXE NOTEPAD_EXE PLANT_GENERATOR ODBCINST [CALLS]
. "$(dirname "$0")/wine-common.sh" "$1"
dll=$(winpath "$2")
driver=$3
notepad=$4
generator=$5
odbcinst=$6
calls=${7:-1000}
work=$(mktemp -d)
unmanaged="HKCU\\Software\\Wine\\AppDefaults\\$(basename "$driver")"
trap 'rm -rf "$work"; "$wine" regsvr32 /s /u "$dll" || true
      "$wine" reg delete "$unmanaged" /f >/dev/null 2>&1 || true' EXIT
make_plant "$generator" "$work/plant" 10
cp "$notepad" "$work/plant/notepad.exe"
printf 'PT-101\r\n!NamedConfig!Pressure template\r\n' >"$work/devices.txt"

use_plant "$work/plant"
regsvr "$dll" || fail "regsvr32 failed"
# The display has no window manager: Wine would wait 2 s for one at every
# dialog that closes unless the driver's windows are unmanaged.
"$wine" reg add "$unmanaged\\X11 Driver" /v Managed /d N /f >/dev/null

LD_PRELOAD=$odbcinst timeout 600 "$wine" "$driver" "$calls" "$(winpath "$work/devices.txt")" |
  tr -d '\r' || fail "the launch driver failed"

# Operation 2 was answered Yes at calls 102, 352, ...: a test device per
# template each time.
yes=0
[ "$calls" -le 102 ] || yes=$(( (calls - 103) / 250 + 1 ))
created=$(sqlite3 "$work/plant/velk.db" 'SELECT COUNT(*) FROM Devices WHERE DeviceKey < 1000000')
[ "$created" = $((yes * 10)) ] || fail "$yes answers Yes created $created test devices"
