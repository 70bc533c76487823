#!/usr/bin/env bash
# The release archive made by tools/package.sh: named after the builds'
# version, exactly the listed files, Windows line ends in the text files, the
# administrator's notes naming only what the archive holds, and
# every binary stripped, linked to a debug file that matches it, carrying the
# version in its VERSIONINFO and importing system DLLs only.
# Usage: check-package.sh [PACKAGE-DIR]   (default build/package)
set -euo pipefail
cd "$(dirname "$0")/../.."
out=${1:-build/package}
. tests/win32/shell-helpers.sh

version=$(. build/win64/package.env && echo "$version")
unzip=$(. build/win64/package.env && echo "$unzip")
[ -n "$version" ] || fail "no version in build/win64/package.env"
stage=$out/ravelin-$version-windows
archive=$stage.zip
[ -f "$archive" ] || fail "$archive not found"

expected="INSTALL.txt
register.cmd
unregister.cmd
x64/ravelin-host.exe
x64/ravelin-test.exe
x64/ravelin.dll
x86/ravelin-host.exe
x86/ravelin-test.exe
x86/ravelin.dll"
listed=$("$unzip" -Z1 "$archive" | sort)
[ "$listed" = "$expected" ] || fail "$archive holds:
$listed"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$unzip" -q "$archive" -d "$work/unpacked"

for text in INSTALL.txt register.cmd unregister.cmd; do
  if grep -qv $'\r$' "$work/unpacked/$text"; then fail "$text has lines without CR LF"; fi
done
tr -d '\r' <"$work/unpacked/INSTALL.txt" | cmp -s - docs/INSTALL.txt ||
  fail "INSTALL.txt is not docs/INSTALL.txt"
# What the notes name is in the archive; they are read without the source tree.
for named in $(grep -o '[A-Za-z0-9_.\\-]*\.\(txt\|cmd\|exe\|dll\|md\)\b' docs/INSTALL.txt | sort -u); do
  case $named in *odbcad32.exe|*regsvr32.exe|*ravelin-check.txt|MapFileTestResults.txt|ProgLog.txt) continue ;; esac
  grep -qxF "${named//\\//}" <<<"$listed" || grep -qx "x\(86\|64\)/${named//\\//}" <<<"$listed" ||
    fail "INSTALL.txt names $named, which the archive does not hold"
done

# System DLLs a Windows installation has; a runtime DLL (libstdc++, libgcc,
# libwinpthread) would mean a file the administrator is not given.
system_dlls=" advapi32 comctl32 comdlg32 gdi32 kernel32 msvcrt odbc32 ole32 oleaut32 shell32"
system_dlls+=" shlwapi user32 version "

check_binary() {
  local arch=$1 binary=$2
  local shipped=$work/unpacked/$arch/$binary staged=$stage/$arch/$binary
  cmp -s "$shipped" "$staged" || fail "$arch/$binary in the archive is not the staged one"

  if "$objdump" -h "$shipped" | grep -q ' \.debug_'; then fail "$arch/$binary has debug sections"; fi
  if "$objdump" -t "$shipped" | grep -q '^\['; then fail "$arch/$binary has a symbol table"; fi

  # .gnu_debuglink: the debug file's name, NUL-padded to 4 bytes, then its CRC-32,
  # whose own bytes may be NUL: cut the CRC off before dropping the padding.
  "$objcopy" --dump-section .gnu_debuglink="$work/link" "$shipped" "$work/scratch" ||
    fail "$arch/$binary has no debug link"
  local name crc debug
  name=$(head -c -4 "$work/link" | tr -d '\0')
  [ "$name" = "$binary.debug" ] || fail "$arch/$binary links to '$name'"
  debug=$stage/$arch/$name
  [ -f "$debug" ] || fail "$debug not found"
  crc=$(tail -c 4 "$work/link" | od -An -tx4 | tr -d ' ')
  # A gzip stream ends with the CRC-32 of its input, the one the link holds.
  [ "$crc" = "$(gzip -c "$debug" | tail -c 8 | head -c 4 | od -An -tx4 | tr -d ' ')" ] ||
    fail "$arch/$binary: the CRC of $name does not match its link"
  "$objdump" -h "$debug" | grep -q ' \.debug_info' || fail "$debug holds no debug information"

  local resources numeric
  resources=$("$windres" -i "$shipped" -O rc)
  numeric=${version//./, }
  for line in "FILEVERSION $numeric, 0" "PRODUCTVERSION $numeric, 0" \
              "VALUE \"FileVersion\", \"$version\"" "VALUE \"ProductVersion\", \"$version\"" \
              "VALUE \"OriginalFilename\", \"$binary\""; do
    grep -qF "$line" <<<"$resources" || fail "$arch/$binary: no '$line' in its VERSIONINFO"
  done

  local dll
  while read -r dll; do
    dll=${dll,,}
    case "$system_dlls" in *" ${dll%.dll} "*) ;; *) fail "$arch/$binary imports $dll" ;; esac
  done < <("$objdump" -p "$shipped" | sed -n 's/^[[:space:]]*DLL Name: //p')
}

for build in build/win32 build/win64; do
  (
    . "$build/package.env"
    for binary in "${binaries[@]}"; do check_binary "$arch" "$(basename "$binary")"; done
  )
done
echo "package: $archive ok"
