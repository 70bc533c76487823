#!/usr/bin/env bash
# regsvr32 registers exactly the plug-in's keys and values and the type
# library; regsvr32 /u removes them again and keeps what is not ours.
# Usage: registration-test.sh BUILD_DIR DLL
. "$(dirname "$0")/wine-common.sh" "$1"
dll=$(winpath "$2")
clsid='{B7C62322-338E-4969-86C3-6C3B5314092D}'
libid='{FEB52890-01EC-4918-B6D6-725911B962BF}'
iid='{C6229913-6ECA-4EDE-A9B6-0E67F4544969}'
root=HKEY_CLASSES_ROOT
progid=Ravelin.FenletLaunchInterface

regsvr /u "$dll"
# A stale key under our class must not survive registration.
"$wine" reg add "HKCR\\CLSID\\$clsid\\Stale" /f >/dev/null

regsvr "$dll" || fail "regsvr32 failed"
regsvr "$dll" || fail "registering a second time failed"

expect_text "ProgID" "$root\\$progid.1
    (Default)    REG_SZ    FenletLaunchInterface Class
$root\\$progid.1\\CLSID
    (Default)    REG_SZ    $clsid" "$(reg_tree "HKCR\\$progid.1")"
expect_text "version-independent ProgID" "$root\\$progid
    (Default)    REG_SZ    FenletLaunchInterface Class
$root\\$progid\\CLSID
    (Default)    REG_SZ    $clsid" "$(reg_tree "HKCR\\$progid")"
expect_text "class key" "$root\\CLSID\\$clsid
    (Default)    REG_SZ    FenletLaunchInterface Class
$root\\CLSID\\$clsid\\InprocServer32
    (Default)    REG_SZ    $dll
    ThreadingModel    REG_SZ    both
$root\\CLSID\\$clsid\\ProgID
    (Default)    REG_SZ    $progid.1
$root\\CLSID\\$clsid\\VersionIndependentProgID
    (Default)    REG_SZ    $progid" "$(reg_tree "HKCR\\CLSID\\$clsid")"
expect_text "type library" "$root\\TypeLib\\$libid\\1.0\\409\\$typelib_platform
    (Default)    REG_SZ    $dll" "$(reg_tree "HKCR\\TypeLib\\$libid\\1.0\\409\\$typelib_platform")"
[ -n "$(reg_tree "HKCR\\Interface\\$iid")" ] || fail "interface not registered"

# Foreign additions: below our ForceRemove class key (goes with it) and below
# a plain key of ours (keeps that key alive).
"$wine" reg add "HKCR\\CLSID\\$clsid\\InprocServer32\\Foreign" /f >/dev/null
"$wine" reg add "HKCR\\$progid\\Foreign" /v Note /d kept /f >/dev/null

regsvr /u "$dll" || fail "regsvr32 /u failed"

for key in "$progid.1" "CLSID\\$clsid" "TypeLib\\$libid" "Interface\\$iid"; do
  [ -z "$(reg_tree "HKCR\\$key")" ] || fail "HKCR\\$key left after unregistering"
done
expect_text "foreign key under our plain key" "$root\\$progid
    (Default)    REG_SZ    FenletLaunchInterface Class
$root\\$progid\\Foreign
    Note    REG_SZ    kept" "$(reg_tree "HKCR\\$progid")"
[ -n "$(reg_tree "HKCR\\CLSID\\{00020424-0000-0000-C000-000000000046}")" ] \
  || fail "HKCR\\CLSID lost other classes"

"$wine" reg delete "HKCR\\$progid" /f >/dev/null
regsvr /u "$dll" || fail "unregistering what is not registered must succeed"
echo "registration: ok"
