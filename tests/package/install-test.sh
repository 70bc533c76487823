#!/usr/bin/env bash
# An administrator's installation from the release archive, in a Wine prefix
# of its own: unpack into a folder whose name has blanks, parentheses and '&',
# register.cmd x64, ravelin-test --version, a JScript client through COM,
# unregister.cmd x64, and no key left; the same for the default x86 through
# the 64-bit and the 32-bit cmd, its keys in the 32-bit view of the registry,
# with both plug-ins registered at once; and a damaged DLL reported as a
# failure.
# Usage: install-test.sh [PACKAGE-DIR]   (default build/package)
set -euo pipefail
cd "$(dirname "$0")/../.."
source_dir=$PWD
out=$(cd "${1:-build/package}" && pwd)
version=$(. build/win64/package.env && echo "$version")
unzip=$(. build/win64/package.env && echo "$unzip")
archive=$out/ravelin-$version-windows.zip
state=$out/wine
work=$(mktemp -d)
trap 'tools/wine-fixture.sh stop "$state" >/dev/null; rm -rf "$work" "$state"' EXIT
tools/wine-fixture.sh start "$state" >/dev/null
. "$source_dir/tests/win32/wine-common.sh" "$out"
unset DISPLAY  # the launched tools' dialogs fail at once instead of waiting

install="$work/Program Files (x86)/R&D Ravelin"
mkdir -p "$install"
"$unzip" -q "$archive" -d "$install"

# Runs one of the archive's scripts the way an administrator does, from its
# folder, with the 64-bit cmd (or the one CMD names); prints its output and
# then its exit code.
script() {
  local output code=0
  output=$(cd "$install" && "$wine" "${CMD:-cmd}" /c "$@") || code=$?
  printf '%s\n%s\n' "$(tr -d '\r' <<<"$output")" "exit $code"
}
wow64='C:\windows\SysWOW64'
# The keys a registration made, in the 32-bit or the 64-bit view.
view_tree() { reg_tree "$1" "/reg:$2"; }
dll=$(winpath "$install/x64/ravelin.dll")
clsid='{B7C62322-338E-4969-86C3-6C3B5314092D}'

expect_text "register.cmd x64" "registering \"$dll\"
with \"C:\\windows\\System32\\regsvr32.exe\"
Ravelin x64 plug-in registered.
exit 0" "$(script register.cmd x64)"
expect_text "registered server" "    (Default)    REG_SZ    $dll" \
  "$(reg_tree "HKCR\\CLSID\\$clsid\\InprocServer32" | grep Default)"

expect_text "ravelin-test --version" "ravelin-test $version" \
  "$("$wine" "$install/x64/ravelin-test.exe" --version | tr -d '\r')"

export RAVELIN_LAUNCH_TRACE
RAVELIN_LAUNCH_TRACE=$(winpath "$work/trace.txt")
expect_text "script client" "launched" \
  "$(timeout 60 "$wine" cscript //nologo "$(winpath "$source_dir/tests/win32/launch.js")" | tr -d '\r')"
expect_text "launch trace" "op=3 server=P1
op=0 server=P2 tag=PT-101" "$(cat "$work/trace.txt")"

# The default x86, beside the registered x64, through either cmd.
dll32=$(winpath "$install/x86/ravelin.dll")
for cmd in cmd "$wow64\\cmd.exe"; do
  expect_text "register.cmd (x86) with $cmd" "registering \"$dll32\"
with \"$wow64\\regsvr32.exe\"
Ravelin x86 plug-in registered.
exit 0" "$(CMD=$cmd script register.cmd)"
done
expect_text "the 32-bit view's server" "    (Default)    REG_SZ    $dll32" \
  "$(view_tree "HKCR\\CLSID\\$clsid\\InprocServer32" 32 | grep Default)"
expect_text "the 64-bit view's server beside it" "    (Default)    REG_SZ    $dll" \
  "$(view_tree "HKCR\\CLSID\\$clsid\\InprocServer32" 64 | grep Default)"
RAVELIN_LAUNCH_TRACE=$(winpath "$work/trace32.txt")
expect_text "32-bit script client" "launched" \
  "$(timeout 60 "$wine" "$wow64\\cscript.exe" //nologo "$(winpath "$source_dir/tests/win32/launch.js")" | tr -d '\r')"
expect_text "32-bit launch trace" "op=3 server=P1
op=0 server=P2 tag=PT-101" "$(cat "$work/trace32.txt")"
expect_text "unregister.cmd (x86)" "unregistering \"$dll32\"
with \"$wow64\\regsvr32.exe\"
Ravelin x86 plug-in unregistered.
exit 0" "$(CMD="$wow64\\cmd.exe" script unregister.cmd)"
[ -z "$(view_tree "HKCR\\CLSID\\$clsid" 32)" ] || fail "the x86 class left after unregister.cmd"
expect_text "the x64 registration after the x86 one went" "    (Default)    REG_SZ    $dll" \
  "$(view_tree "HKCR\\CLSID\\$clsid\\InprocServer32" 64 | grep Default)"
expect_text "register.cmd with an unknown bitness" "usage: register.cmd [x86|x64]
exit 2" "$(script register.cmd x32)"

expect_text "unregister.cmd x64" "unregistering \"$dll\"
with \"C:\\windows\\System32\\regsvr32.exe\"
Ravelin x64 plug-in unregistered.
exit 0" "$(script unregister.cmd x64)"
for key in Ravelin.FenletLaunchInterface Ravelin.FenletLaunchInterface.1 "CLSID\\$clsid" \
           "TypeLib\\{FEB52890-01EC-4918-B6D6-725911B962BF}" \
           "Interface\\{C6229913-6ECA-4EDE-A9B6-0E67F4544969}"; do
  [ -z "$(reg_tree "HKCR\\$key")" ] || fail "HKCR\\$key left after unregister.cmd"
done

echo "not a DLL" >"$install/x64/ravelin.dll"
expect_text "register.cmd x64 of a damaged DLL" "registering \"$dll\"
with \"C:\\windows\\System32\\regsvr32.exe\"
FAILED: regsvr32 ended with code 3.
The DLL could not be loaded: damaged, or not an x64 DLL.
exit 3" "$(script register.cmd x64)"
echo "install: ok"
