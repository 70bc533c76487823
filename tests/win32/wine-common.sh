# Shared by the Wine test scripts: joins this build's Wine environment and
# offers a few helpers. Sourced with the build directory as $1.
set -euo pipefail
build_dir=$1
. "$build_dir/wine/env"
# This build's loader: a 32-bit one runs the 32-bit regsvr32, reg and cscript
# (syswow64) and sees the 32-bit view of the registry, as on 64-bit Windows.
wine=$RAVELIN_WINE
# The type library's platform key of this bitness.
case $wine in
  *wine64) typelib_platform=win64 ;;
  *) typelib_platform=win32 ;;
esac

. "$(dirname "${BASH_SOURCE[0]}")/shell-helpers.sh"

# Makes a sample plant of N templates in DIR with the native build's generator.
make_plant() {
  local generator=$1 dir=$2 templates=$3
  [ -x "$generator" ] || fail "the sample plant generator $generator is not built (build the native preset first)"
  "$generator" "$dir" --templates "$templates" >/dev/null || fail "plant generation failed"
}

# Makes the plant in DIR the host of the programs started from here: the
# plug-in finds the host root through the environment, and Wine's ODBC
# reaches the plant's database through unixODBC's own files.
use_plant() {
  export RAVELIN_HOST_ROOT ODBCINI ODBCSYSINI
  RAVELIN_HOST_ROOT=$(winpath "$1")
  ODBCINI=$1/odbc.ini
  ODBCSYSINI=$1
}

# `reg query KEY /s [OPTION...]` without CRs and blank lines; empty when the
# key is absent (Wine's reg writes that error to stdout).
reg_tree() {
  local text
  text=$("$wine" reg query "$1" /s "${@:2}" 2>/dev/null) || return 0
  printf '%s\n' "$text" | tr -d '\r' | sed '/^$/d'
}

regsvr() { "$wine" regsvr32 /s "$@"; }
