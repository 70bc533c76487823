#!/usr/bin/env bash
# Runs bench_tester with the Windows build's ravelin-test.exe under Wine
# beside the native run, over the same plants in one run, and prints both
# times and their ratio. A benchmark, not a test: nothing asserts a time.
# Needs the native and the win64 builds (cmake --build --preset ...).
set -euo pipefail
cd "$(dirname "$0")/.."
bench=build/native/bench/bench_tester
exe=build/win64/src/cli/ravelin-test.exe
for file in "$bench" "$exe"; do
  [ -e "$file" ] || { echo "bench-windows: $file is not built" >&2; exit 1; }
done
state=build/win64/wine-bench
trap 'tools/wine-fixture.sh stop "$state"' EXIT
tools/wine-fixture.sh start "$state" >/dev/null
. "$state/env"
# Untimed: the first program of a fresh prefix waits for its services to
# start, as no program in a running Windows session does.
"${RAVELIN_WINE:-/usr/lib/wine/wine64}" "$exe" --version >/dev/null
"$bench" --windows "$(pwd)/$exe"
