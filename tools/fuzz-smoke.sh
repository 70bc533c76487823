#!/usr/bin/env bash
# Runs every fuzz target briefly on a scratch copy of its seed corpus.
# Usage: fuzz-smoke.sh [SECONDS]   (default 20 per target)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
for seeds in fuzz/corpus/*/; do
  name=$(basename "$seeds")
  target=build/fuzz/fuzz/$name
  [ -x "$target" ] || { echo "fuzz-smoke: $target is not built" >&2; exit 1; }
  mkdir -p "$scratch/$name"
  cp "$seeds"* "$scratch/$name/"
  if "$target" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 \
       -artifact_prefix="$scratch/" "$scratch/$name" >"$scratch/$name.log" 2>&1; then
    echo "fuzz-smoke: $name ok ($(grep -o 'Done [0-9]* runs' "$scratch/$name.log" || echo 'ran'))"
  else
    echo "fuzz-smoke: $name FAILED" >&2
    tail -40 "$scratch/$name.log" >&2
    status=1
  fi
done
exit $status
