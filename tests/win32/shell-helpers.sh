# Helpers of the test scripts that need no Wine prefix: sourced by
# wine-common.sh and by the package tests before they start one.

# Z:\ is the Unix root in every Wine prefix.
winpath() { printf 'Z:%s' "${1//\//\\}"; }

fail() { echo "FAIL: $*" >&2; exit 1; }

# Compares two texts and shows the difference when they differ.
expect_text() {
  local what=$1 expected=$2 actual=$3
  if [ "$expected" != "$actual" ]; then
    echo "FAIL: $what differs (expected, actual):" >&2
    diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") >&2 || true
    exit 1
  fi
}
