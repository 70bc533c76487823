# Shared by the Wine test scripts: joins this build's Wine environment and
# offers a few helpers. Sourced with the build directory as $1.
set -euo pipefail
build_dir=$1
. "$build_dir/wine/env"
wine=/usr/lib/wine/wine64

# Z:\ is the Unix root in every Wine prefix.
winpath() { printf 'Z:%s' "${1//\//\\}"; }

fail() { echo "FAIL: $*" >&2; exit 1; }

# Makes a sample plant of N templates in DIR with the native build's generator.
make_plant() {
  local generator=$1 dir=$2 templates=$3
  [ -x "$generator" ] || fail "the sample plant generator $generator is not built (build the native preset first)"
  "$generator" "$dir" --templates "$templates" >/dev/null || fail "plant generation failed"
}

# Compares two texts and shows the difference when they differ.
expect_text() {
  local what=$1 expected=$2 actual=$3
  if [ "$expected" != "$actual" ]; then
    echo "FAIL: $what differs (expected, actual):" >&2
    diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") >&2 || true
    exit 1
  fi
}

# `reg query KEY /s` without CRs and blank lines; empty when the key is
# absent (Wine's reg writes that error to stdout).
reg_tree() {
  local text
  text=$("$wine" reg query "$1" /s 2>/dev/null) || return 0
  printf '%s\n' "$text" | tr -d '\r' | sed '/^$/d'
}

regsvr() { "$wine" regsvr32 /s "$@"; }
