#!/usr/bin/env bash
# Runs a Windows program in the Wine environment of the build that the
# program belongs to, with that build's loader (see wine-fixture.sh). CTest's
# emulator.
set -euo pipefail
program=$1; shift
dir=$(cd "$(dirname "$program")" && pwd)
state=""
while [ "$dir" != "/" ]; do
  if [ -f "$dir/CMakeCache.txt" ]; then state=$dir/wine; break; fi
  dir=$(dirname "$dir")
done
if [ -n "$state" ] && [ -f "$state/env" ]; then
  . "$state/env"
  # Test programs run without a display: a message box or dialog they reach
  # fails at once instead of waiting for a click that never comes.
  unset DISPLAY
else
  echo "wine-run.sh: no Wine environment started for $program (run the wine_start test first)" >&2
  exit 1
fi
exec "$RAVELIN_WINE" "$program" "$@"
