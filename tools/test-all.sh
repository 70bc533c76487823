#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs every test: the
# check that every tool the builds found comes from a listed package, the
# native suite, the same suite under AddressSanitizer and UBSan, a short
# fuzz run of every parser, the Windows suite under 64-bit and under 32-bit
# Wine, and the release packages: the archive's contents and an installation
# from it under Wine, and the Windows Installer packages installed, repaired,
# upgraded and removed under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh

# Each preset builds what its tests need: the fuzz preset only the fuzz
# targets.
fuzzers=$(cd fuzz/corpus && ls)
build() {
  local preset=$1; shift
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" "$@"
}
build native
build native-asan
build fuzz --target $fuzzers
build win64
build win32

passed=0
failed=0
run() {
  echo "== $*"
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
}
run tools/check-deps.sh build/native build/native-asan build/fuzz build/win64 build/win32
run ctest --preset native --output-junit ctest-results.xml
run ctest --preset native-asan --output-junit ctest-results.xml
run tools/fuzz-smoke.sh "${RAVELIN_FUZZ_SECONDS:-20}"
run ctest --preset win64 --output-junit ctest-results.xml
run ctest --preset win32 --output-junit ctest-results.xml
run tools/package.sh build/package
run tests/package/check-package.sh build/package
run tests/package/install-test.sh build/package
run tests/package/msi-registry-test.py
run tests/package/msi-test.sh build/package
echo "suites: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
