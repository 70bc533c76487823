#!/usr/bin/env bash
# The DLL exports exactly the four COM server entry points, undecorated.
# Usage: check-exports.sh OBJDUMP DLL
set -euo pipefail
objdump=$1
dll=$2
names=$("$objdump" -p "$dll" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' |
        sed -n 's/^[[:space:]]*\[ *[0-9]*\] //p' | sort)
expected='DllCanUnloadNow
DllGetClassObject
DllRegisterServer
DllUnregisterServer'
if [ "$names" != "$expected" ]; then
  echo "FAIL: $dll exports:" >&2
  printf '%s\n' "$names" >&2
  exit 1
fi
echo "exports: ok"
