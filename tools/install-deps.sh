#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Idempotent and
# quick when everything is there: apt-get runs only for what is missing.
# --list prints the packages, one a line, and installs nothing.
set -euo pipefail
packages=(
  cmake ninja-build ccache g++ clang libclang-rt-14-dev llvm lld
  libgtest-dev libgmock-dev googletest
  mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
  wine64 wine64-tools libwine-dev locales
  # 32-bit Windows programs, and the ODBC stack that 32-bit Wine's odbc32 loads.
  wine32:i386 libodbc2:i386 libodbcinst2:i386 libsqliteodbc:i386 odbc-postgresql:i386
  xvfb xauth imagemagick xdotool
  unixodbc unixodbc-dev odbcinst libsqliteodbc sqlite3
  postgresql odbc-postgresql
  zip unzip wixl msitools
  python3 python3-junitparser
)
if [ "${1:-}" = --list ]; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#packages[@]} packages present"
  exit 0
fi
echo "install-deps: installing ${missing[*]}"
sudo_cmd=""
[ "$(id -u)" -eq 0 ] || sudo_cmd=sudo
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo_cmd dpkg --add-architecture i386
fi
$sudo_cmd apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
