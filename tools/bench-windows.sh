#!/usr/bin/env bash
# Runs bench_tester with the Windows build's ravelin-test.exe under Wine
# beside the native run, over the same plants in one run, and prints both
# times and their ratio. A benchmark, not a test: nothing asserts a time.
# It runs twice: first as the system schedules the processes, then with the
# Wine server, the prefix's services and both programs on one CPU. Every
# file open under Wine is a round trip to the Wine server; on a machine whose
# idle CPUs wake slowly (a virtual machine) a round trip between two CPUs
# costs several times one on a single CPU, and that, not the program, then
# decides the first figure. Windows makes the same calls in its kernel.
# Usage: tools/bench-windows.sh [win64|win32]   (default win64; win32 runs
# the 32-bit build under the 32-bit wine). Needs the native build and that
# one (cmake --build --preset ...).
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-win64}
case $preset in
  win64) loader=/usr/lib/wine/wine64 ;;
  win32) loader=/usr/lib/wine/wine ;;
  *) echo "usage: tools/bench-windows.sh [win64|win32]" >&2; exit 2 ;;
esac
bench=build/native/bench/bench_tester
exe=build/$preset/src/cli/ravelin-test.exe
for file in "$bench" "$exe"; do
  [ -e "$file" ] || { echo "bench-windows: $file is not built" >&2; exit 1; }
done
state=build/$preset/wine-bench
trap 'tools/wine-fixture.sh stop "$state"' EXIT
# $@: what the pass runs its processes under (nothing, or taskset).
pass() {
  "$@" tools/wine-fixture.sh start "$state" "$loader" >/dev/null
  . "$state/env"
  # Untimed: the first program of a fresh prefix waits for its services to
  # start, as no program in a running Windows session does.
  "$@" "$RAVELIN_WINE" "$exe" --version >/dev/null
  "$@" "$bench" --windows "$(pwd)/$exe"
  tools/wine-fixture.sh stop "$state"
}
echo "== as the system schedules them"
pass
echo "== on one CPU: the Wine server, its services and both programs"
pass taskset -c 0
