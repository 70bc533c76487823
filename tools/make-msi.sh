#!/usr/bin/env bash
# Builds one Windows Installer package with wixl from src/entry/win32/Ravelin.wxs
# and the COM registration that tools/msi-registry.py makes from the DLL's
# own registration sources.
# Usage: tools/make-msi.sh ARCH VERSION BIN-DIR OUT.msi
#   ARCH     x86 or x64
#   VERSION  major.minor.patch (each product version gets its own product code)
#   BIN-DIR  holds ravelin.dll, ravelin-test.exe and ravelin-host.exe
# The product name and the tools come from build/win64/package.env (run tools/package.sh first).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
if [ $# -ne 4 ]; then
  sed -n 's/^# Usage: /usage: /p' "$0" >&2
  exit 2
fi
arch=$1 version=$2 bin=$(cd "$3" && pwd) out=$(realpath -m "$4")
case $arch in x86|x64) ;; *) echo "make-msi: ARCH is x86 or x64, not '$arch'" >&2; exit 2 ;; esac
# Windows Installer compares versions field by field up to 255.255.65535.
IFS=. read -r major minor patch <<<"$version"
if ! [[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || ((10#$major > 255 || 10#$minor > 255 || 10#$patch > 65535)); then
  echo "make-msi: VERSION '$version' is not major.minor.patch within 255.255.65535" >&2
  exit 2
fi
for tool in product python wixl; do
  declare "$tool=$(. build/win64/package.env && echo "${!tool}")"
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$python" tools/msi-registry.py src/entry/win32/Ravelin.rgs src/entry/win32/Ravelin.idl \
  "$arch" "$work/registration.wxs"
# Named after the version, so that a rebuild of one version stays the same
# product and any other version is a new one, as a major upgrade wants.
product_code=$("$python" -c 'import sys, uuid
print(str(uuid.uuid5(uuid.UUID("7f3c2a61-5d0e-4b8a-9c47-1e6b2f80d935"), " ".join(sys.argv[1:]))).upper())' \
  "$product" "$arch" "$version")
rm -f "$out"
# wixl skips what it does not model (an attribute, a value without a type)
# with a warning only, and still writes a package: any word from it stops here.
# The files' sources are found from the current folder.
if ! (cd "$bin" && "$wixl" -a "$arch" -o "$out" \
        -D Arch="$arch" -D Version="$version" -D ProductCode="$product_code" \
        -D Name="$product" "$root/src/entry/win32/Ravelin.wxs" "$work/registration.wxs") \
     >"$work/wixl.log" 2>&1 ||
   [ -s "$work/wixl.log" ] || [ ! -s "$out" ]; then
  rm -f "$out"
  cat "$work/wixl.log" >&2
  echo "make-msi: wixl failed for $arch $version" >&2
  exit 1
fi
