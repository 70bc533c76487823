#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs every test: the
# native suite, the same suite under AddressSanitizer and UBSan, a short
# fuzz run of every parser, and the Windows suite under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh

for preset in native native-asan fuzz win64 win32; do
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

passed=0
failed=0
run() {
  echo "== $*"
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
}
run ctest --preset native
run ctest --preset native-asan
run tools/fuzz-smoke.sh "${RAVELIN_FUZZ_SECONDS:-20}"
run ctest --preset win64
run ctest --preset win32
echo "suites: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
