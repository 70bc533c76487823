#!/usr/bin/env bash
# The mapping pages' test program on the fixture's display (the emulator
# script runs programs without one).
# Usage: mapping-pages-test.sh BUILD_DIR TEST_EXE
. "$(dirname "$0")/wine-common.sh" "$1"
timeout 240 "$wine" "$2" || fail "the mapping pages test failed"
