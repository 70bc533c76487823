#!/usr/bin/env bash
# The Windows Installer packages made by tools/package.sh. Their tables (read
# with msiinfo), then for each package in a Wine prefix of its own: a silent
# installation; the plug-in created by its ProgID and called, by the JScript
# client and by the installed ravelin-host.exe; the registry keys, key by key
# and value by value, equal to those regsvr32 writes for the installed DLL; a
# repair after a key was deleted; a silent removal that leaves the prefix as
# it was; an upgrade from a lower version and the refusal of a downgrade.
# The x86 package's plug-in is called, and its keys held against the 32-bit
# regsvr32's as a 32-bit program sees them, under the 32-bit Wine. Where none
# runs, the x86 package is still installed, repaired, upgraded and removed by
# the 64-bit msiexec, which needs no 32-bit code, and its keys are held
# against the x64 regsvr32's with the 32-bit names and folder.
# Usage: msi-test.sh [PACKAGE-DIR]   (default build/package)
set -euo pipefail
export LC_ALL=C
cd "$(dirname "$0")/../.."
source_dir=$PWD
out=$(cd "${1:-build/package}" && pwd)
env_of() { (. build/win64/package.env && echo "${!1}"); }
version=$(env_of version) msiinfo=$(env_of msiinfo) python=$(env_of python)
stage=$out/ravelin-$version-windows
work=$(mktemp -d)
state=""
reg_loader=/usr/lib/wine/wine64
trap '[ -z "$state" ] || tools/wine-fixture.sh stop "$state" >/dev/null; rm -rf "$work"' EXIT
. tests/win32/shell-helpers.sh
# Fixed for good: a later package upgrades only packages with the same code.
declare -A upgrade_code=([x86]='{4BCA2D0E-5515-446A-9BCC-941A87F62289}'
                         [x64]='{71E4EC05-7F84-47DF-BF9B-88F0AA47D2A0}')
clsid='{B7C62322-338E-4969-86C3-6C3B5314092D}'
libid='{FEB52890-01EC-4918-B6D6-725911B962BF}'
iid='{C6229913-6ECA-4EDE-A9B6-0E67F4544969}'
progid=Ravelin.FenletLaunchInterface

# One table's rows, tab-separated, without its three header lines.
table() { "$msiinfo" export "$1" "$2" | tail -n +4 | tr -d '\r' | sort; }
product_code() { table "$1" Property | sed -n 's/^ProductCode\t//p'; }

# --- the tables --------------------------------------------------------------
for arch in x86 x64; do
  msi=$out/ravelin-$version-$arch.msi
  [ -f "$msi" ] || fail "$msi not found"
  properties=$(table "$msi" Property | grep -v '^ProductCode	')
  expect_text "$arch Property table" "ALLUSERS	1
ARPNOMODIFY	1
Manufacturer	Ravelin
ProductLanguage	1033
ProductName	Ravelin ($arch)
ProductVersion	$version
SecureCustomProperties	WIX_DOWNGRADE_DETECTED;WIX_UPGRADE_DETECTED
UpgradeCode	${upgrade_code[$arch]}" "$properties"
  [[ $(product_code "$msi") =~ ^\{[0-9A-F-]{36}\}$ ]] || fail "$arch: no product code"
  platform=$([ $arch = x64 ] && echo x64 || echo Intel)
  "$msiinfo" suminfo "$msi" | grep -qx "Template: $platform;1033" || fail "$arch: not a $platform package"
  folder=$([ $arch = x64 ] && echo ProgramFiles64Folder || echo ProgramFilesFolder)
  table "$msi" Directory | grep -qx "INSTALLDIR	$folder	Ravelin" || fail "$arch: not in $folder\\Ravelin"
  expect_text "$arch files" "ravelin-host.exe
ravelin-test.exe
ravelin.dll" "$(table "$msi" File | cut -f3 | sort)"
  expect_text "$arch Upgrade table" "${upgrade_code[$arch]}		$version		1		WIX_UPGRADE_DETECTED
${upgrade_code[$arch]}	$version			2		WIX_DOWNGRADE_DETECTED" "$(table "$msi" Upgrade)"
  table "$msi" LaunchCondition | grep -q '^NOT WIX_DOWNGRADE_DETECTED	A newer version' ||
    fail "$arch: a downgrade is not refused with a message"
  # Registration comes from the Registry table, never from running the DLL.
  if "$msiinfo" tables "$msi" | grep -qx 'SelfReg'; then fail "$arch: has a SelfReg table"; fi
  sequence=$(table "$msi" InstallExecuteSequence | sort -t$'\t' -k3n | cut -f1 | tr '\n' ' ')
  [[ $sequence == *"InstallValidate RemoveExistingProducts InstallInitialize"* ]] ||
    fail "$arch: the old version is not removed before installing: $sequence"
done
x86_code=$(product_code "$out/ravelin-$version-x86.msi")
[ "$x86_code" != "$(product_code "$out/ravelin-$version-x64.msi")" ] || fail "x86 and x64 share a product code"
# The registrations differ only in the type library's platform and in the
# copy of the interfaces that a 64-bit registration makes for 32-bit callers.
registry() { table "$1" Registry | grep -v "	$2\$" | cut -f2-5 | sed 's/\\win\(32\|64\)	/\\winNN	/' | sort; }
expect_text "x86 Registry table against x64's" "$(registry "$out/ravelin-$version-x64.msi" COMInterfaces32)" \
  "$(registry "$out/ravelin-$version-x86.msi" none)"

# --- under Wine ----------------------------------------------------------------
wine=/usr/lib/wine/wine64
run_msiexec() { "$wine" msiexec "$@" /qn /l*v "$(winpath "$work/msiexec.log")"; }
# `reg query KEY /s [VIEW]` without CRs and blank lines; empty for a key
# that is absent, a failure for any other error.
reg_tree() {
  local text status=0
  text=$("$reg_loader" reg query "$1" /s "${@:2}" 2>&1) || status=$?
  if [ "$status" != 0 ]; then
    case $text in *"Unable to find the specified registry key"*) return 0 ;; esac
    fail "reg query $* ended with $status: $text"
  fi
  printf '%s\n' "$text" | tr -d '\r' | sed '/^$/d'
}
# Every key the registration writes, as a program of the DLL's bitness sees
# them (a 32-bit reg where one runs: for a 32-bit program some keys that the
# 32-bit view holds for others are one with the 64-bit ones), and for x64 the
# interfaces' 32-bit copy.
com_keys() {
  local key
  for key in "$progid" "$progid.1" "CLSID\\$clsid" "TypeLib\\$libid" "Interface\\$iid"; do
    reg_tree "HKCR\\$key" ${own_view:+"$own_view"}
  done
  if [ "$arch" = x64 ]; then echo "== 32-bit view"; reg_tree "HKCR\\Interface\\$iid" /reg:32; fi
}
# The prefix as files and as one line per registry key and per value.
# Wine's display driver renews its Video keys with each process start, and
# the script host's type library may gain its 32-bit entry a while after
# the script host's first run.
snapshot() {
  (cd "$WINEPREFIX/drive_c" && find . | sort) >"$1.files"
  local hive
  for hive in HKLM HKCU; do
    "$wine" reg export "$hive" "$(winpath "$1.$hive")" /y >/dev/null 2>&1 || fail "reg export $hive"
  done
  cat "$1.HKLM" "$1.HKCU" | iconv -f UTF-16 -t UTF-8 | tr -d '\r' | "$python" -c '
import sys
key = None
for line in sys.stdin.read().replace("\\\n", "").splitlines():
    if line.startswith("["):
        key = line[1:-1]
        print(key)
    elif line and key is not None and not line.startswith("Windows Registry"):
        print(key + "\t" + line)' |
    grep -v -i -e '^HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Video' \
            -e '\\TypeLib\\{60254CA0-953B-11CF-8C96-00AA00B8708C}' | sort >"$1.registry"
}
# What a removal may leave: Windows Installer's own empty folder and keys, and
# the 32-bit list of installed programs, which every Windows has; it may drop
# empty keys (Wine's installer prunes empty
# parents of the keys it deletes, such as a fresh prefix's 32-bit Interface).
expect_clean() {
  local before=$1 after=$2 added removed
  added=$(comm -13 "$before.files" "$after.files" | grep -vx './windows/Installer' || true)
  [ -z "$added" ] || fail "removal left files:
$added"
  [ -z "$(comm -23 "$before.files" "$after.files")" ] || fail "removal deleted files that were there before"
  installer='^HKEY_LOCAL_MACHINE\\Software\\(Classes\\Installer|Microsoft\\Windows\\CurrentVersion\\Installer)'
  installer+='(\\(Features|Products|UpgradeCodes|UserData|S-1-5-18|Components))*$'
  installer+='|^HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall$'
  added=$(comm -13 "$before.registry" "$after.registry" | grep -Ev "$installer" || true)
  [ -z "$added" ] || fail "removal left keys or values:
$added"
  removed=$(comm -23 "$before.registry" "$after.registry" | grep $'\t' || true)
  [ -z "$removed" ] || fail "removal deleted values that were there before:
$removed"
}
# "NAME<tab>VERSION" of each installed product of ours, in either view (a
# 32-bit package's entry is in the 32-bit one).
installed_products() {
  { reg_tree 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /reg:64
    reg_tree 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /reg:32; } | awk '
    function emit() { if (name ~ /^Ravelin/) print name "\t" version; name = version = "" }
    /^HKEY_/ { emit() }
    $1 == "DisplayName" { sub(/^ *DisplayName +REG_SZ +/, ""); name = $0 }
    $1 == "DisplayVersion" { sub(/^ *DisplayVersion +REG_SZ +/, ""); version = $0 }
    END { emit() }'
}
lower_version() {
  local major minor patch
  IFS=. read -r major minor patch <<<"$version"
  if [ "$patch" -gt 0 ]; then echo "$major.$minor.$((patch - 1))"
  elif [ "$minor" -gt 0 ]; then echo "$major.$((minor - 1)).0"
  else echo "$((major - 1)).9.0"; fi
}

for arch in x64 x86; do
  msi=$(winpath "$out/ravelin-$version-$arch.msi")
  if [ "$arch" = x64 ]; then view=64 folder="Program Files"; else view=32 folder="Program Files (x86)"; fi
  state=$work/wine-$arch  # a new path each time: nothing of the last prefix lingers
  tools/wine-fixture.sh start "$state" >/dev/null
  . "$state/env"
  unset DISPLAY  # the launched tools' dialogs fail at once instead of waiting
  installed="$WINEPREFIX/drive_c/$folder/Ravelin"
  dll="C:\\$folder\\Ravelin\\ravelin.dll"
  # The script host's first run registers its type library and interfaces.
  echo 'WScript.Echo("ready");' >"$work/ready.js"
  "$wine" cscript //nologo "$(winpath "$work/ready.js")" >/dev/null
  snapshot "$work/before"
  loader=$([ "$arch" = x64 ] && echo "$wine" || echo /usr/lib/wine/wine)
  runs=""
  if [ -x "$loader" ] && timeout 60 "$loader" cmd /c exit 0 >/dev/null 2>&1; then runs=1; fi
  reg_loader=$wine own_view=/reg:$view
  if [ "$arch" = x86 ] && [ -n "$runs" ]; then reg_loader=$loader own_view=""; fi

  run_msiexec /i "$msi" || fail "$arch: msiexec /i ended with $?"
  expect_text "$arch installed files" "ravelin-host.exe
ravelin-test.exe
ravelin.dll" "$(ls "$installed")"
  for file in ravelin.dll ravelin-test.exe ravelin-host.exe; do
    cmp -s "$installed/$file" "$stage/$arch/$file" || fail "$arch: installed $file is not the staged one"
  done
  expect_text "$arch products" "Ravelin ($arch)	$version" "$(installed_products)"
  com_keys >"$work/msi-keys.txt"
  grep -qF "    (Default)    REG_SZ    $dll" "$work/msi-keys.txt" || fail "$arch: no key names $dll"

  if [ -n "$runs" ]; then
    export RAVELIN_LAUNCH_TRACE
    RAVELIN_LAUNCH_TRACE=$(winpath "$work/trace.txt")
    rm -f "$work/trace.txt"
    expect_text "$arch script client" "launched" \
      "$(timeout 60 "$loader" cscript //nologo "$(winpath "$source_dir/tests/win32/launch.js")" | tr -d '\r')"
    timeout 60 "$loader" "$installed/ravelin-host.exe" 3 '<PLANTSERVERNAME>P4</PLANTSERVERNAME>' \
      >/dev/null || fail "$arch: the installed ravelin-host.exe failed"
    expect_text "$arch launch trace" "op=3 server=P1
op=0 server=P2 tag=PT-101
op=3 server=P4" "$(cat "$work/trace.txt")"
  else
    echo "msi: $arch plug-in not run: $loader (32-bit Wine) is not installed or cannot run here"
  fi

  # A repair rewrites what was deleted. Wine's msiexec takes /f with a product
  # code only and has not implemented that, so the repair is asked for with the
  # properties that msiexec /famus sets.
  "$wine" reg delete "HKCR\\CLSID\\$clsid\\InprocServer32" /f /reg:$view >/dev/null
  [ -z "$(reg_tree "HKCR\\CLSID\\$clsid\\InprocServer32" /reg:$view)" ] || fail "$arch: key not deleted"
  rm "$installed/ravelin-host.exe"
  run_msiexec /i "$msi" REINSTALL=ALL REINSTALLMODE=amus || fail "$arch: repair ended with $?"
  expect_text "$arch keys after the repair" "$(cat "$work/msi-keys.txt")" "$(com_keys)"
  [ -f "$installed/ravelin-host.exe" ] || fail "$arch: repair did not restore ravelin-host.exe"

  # As regsvr32 /u does, removal takes the class key whole, with what others
  # added below it.
  "$wine" reg add "HKCR\\CLSID\\$clsid\\InprocServer32\\Foreign" /v Note /d gone /f /reg:$view >/dev/null
  run_msiexec /x "$msi" || fail "$arch: msiexec /x ended with $?"
  snapshot "$work/after"
  expect_clean "$work/before" "$work/after"
  [ -z "$(installed_products)" ] || fail "$arch: still registered as a product after removal"

  if [ -n "$runs" ]; then
    # What DllRegisterServer itself writes for a DLL at the same place.
    mkdir -p "$installed"
    cp "$stage/$arch/ravelin.dll" "$installed/"
    "$loader" regsvr32 /s "$dll" || fail "$arch: regsvr32 of the installed DLL failed"
    com_keys >"$work/regsvr32-keys-$arch.txt"
    expect_text "$arch keys, the package's against regsvr32's" "$(cat "$work/regsvr32-keys-$arch.txt")" \
      "$(cat "$work/msi-keys.txt")"
    "$loader" regsvr32 /s /u "$dll" || fail "$arch: regsvr32 /u failed"
    rm -rf "$installed"
  else
    expect_text "x86 keys against regsvr32's x64 ones with the 32-bit names and folder" \
      "$(sed -e '/^== 32-bit view/,$d' -e 's/\\win64$/\\win32/' \
             -e 's/C:\\Program Files\\Ravelin/C:\\Program Files (x86)\\Ravelin/' \
             "$work/regsvr32-keys-x64.txt")" "$(cat "$work/msi-keys.txt")"
  fi

  # The same package built with a lower version and marked binaries.
  lower=$(lower_version)
  mkdir -p "$work/old-$arch"
  for file in ravelin.dll ravelin-test.exe ravelin-host.exe; do
    { cat "$stage/$arch/$file"; echo "version $lower"; } >"$work/old-$arch/$file"
  done
  tools/make-msi.sh "$arch" "$lower" "$work/old-$arch" "$work/old-$arch.msi"
  old=$(winpath "$work/old-$arch.msi")
  run_msiexec /i "$old" || fail "$arch: installing $lower ended with $?"
  expect_text "$arch products with $lower" "Ravelin ($arch)	$lower" "$(installed_products)"
  run_msiexec /i "$msi" || fail "$arch: upgrading to $version ended with $?"
  expect_text "$arch products after the upgrade" "Ravelin ($arch)	$version" "$(installed_products)"
  for file in ravelin.dll ravelin-test.exe ravelin-host.exe; do
    cmp -s "$installed/$file" "$stage/$arch/$file" || fail "$arch: $file after the upgrade is not the new one"
  done
  expect_text "$arch keys after the upgrade" "$(cat "$work/msi-keys.txt")" "$(com_keys)"
  status=0; run_msiexec /i "$old" || status=$?
  # 1603, a fatal error, of which a Unix exit status keeps the low byte.
  [ "$status" = $((1603 % 256)) ] || fail "$arch: installing $lower over $version ended with $status, not 1603"
  # The message itself is the launch condition's, checked in the tables above:
  # Wine's installer shows it only with a user interface and does not log it.
  if grep -aq 'RemoveExistingProducts\|InstallFiles' "$work/msiexec.log"; then
    fail "$arch: the refused downgrade went past its launch condition"
  fi
  expect_text "$arch products after the refused downgrade" "Ravelin ($arch)	$version" "$(installed_products)"
  cmp -s "$installed/ravelin.dll" "$stage/$arch/ravelin.dll" || fail "$arch: the refused downgrade changed files"

  if [ "$arch" = x86 ]; then
    # Both packages, then the x64 one removed: it takes the keys that both
    # write where both views see one registry, and a repair of the x86
    # package, as the README advises, writes them again.
    run_msiexec /i "$(winpath "$out/ravelin-$version-x64.msi")" || fail "installing x64 beside x86 ended with $?"
    run_msiexec /x "$(winpath "$out/ravelin-$version-x64.msi")" || fail "removing x64 beside x86 ended with $?"
    run_msiexec /i "$msi" REINSTALL=ALL REINSTALLMODE=amus || fail "x86: repair ended with $?"
    expect_text "x86 keys after the x64 package came and went" "$(cat "$work/msi-keys.txt")" "$(com_keys)"
  fi
  tools/wine-fixture.sh stop "$state" >/dev/null
  echo "msi: $arch ok"
done
echo "msi: ok"
