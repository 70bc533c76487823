#!/usr/bin/env bash
# Operation 2 through the registered class: the Yes/No question is answered
# at the keyboard of the test's display. No leaves the host database as it
# was; Yes creates one test device per template.
# Usage: create-devices-test.sh BUILD_DIR DLL HOST_EXE PLANT_GENERATOR
. "$(dirname "$0")/wine-common.sh" "$1"
dll=$(winpath "$2")
host=$3
generator=$4
command -v xdotool >/dev/null || fail "xdotool is not installed"
work=$(mktemp -d)
trap 'rm -rf "$work"; "$wine" regsvr32 /s /u "$dll" || true' EXIT
make_plant "$generator" "$work/plant" 4

use_plant "$work/plant"
regsvr "$dll" || fail "regsvr32 failed"

test_devices() { sqlite3 "$work/plant/velk.db" 'SELECT COUNT(*) FROM Devices WHERE DeviceKey < 1000000'; }

# Starts operation 2 and answers its question with a key. The key goes to
# the question's window only once the window is mapped (a window found by
# name before that refuses the focus), and again while the question stays:
# a key sent as the window appears can be lost. On failure it shows what it
# saw.
answer() {
  local key=$1 window status=0 seen="$work/answer-$1.log"
  : >"$seen"
  "$wine" "$host" 2 "<PLANTSERVERNAME>PLANT1</PLANTSERVERNAME>" >"$work/host.txt" 2>&1 &
  local pid=$!
  for _ in $(seq 1 150); do
    kill -0 "$pid" 2>/dev/null || break
    window=$(xdotool search --onlyvisible --name '^Ravelin$' 2>>"$seen" | head -n 1) || true
    if [ -n "$window" ]; then
      echo "window $window: sending $key" >>"$seen"
      xdotool windowfocus --sync "$window" >>"$seen" 2>&1 &&
        xdotool key --window "$window" "$key" >>"$seen" 2>&1 || true
    fi
    sleep 0.2
  done
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    fail "operation 2 did not end after '$key' in 30 s; what was seen:
$(cat "$seen")
windows: $(xdotool search --name . getwindowname %@ 2>&1 | tr '\n' '|')
host: $(cat "$work/host.txt")"
  fi
  wait "$pid" || status=$?
  [ "$status" = 0 ] || fail "operation 2 answered '$key': exit $status: $(cat "$work/host.txt")
what was seen: $(cat "$seen")"
  grep -q '^window ' "$seen" || fail "operation 2 ended before its question was answered: $(cat "$work/host.txt")"
}

before=$(sqlite3 "$work/plant/velk.db" 'SELECT COUNT(*) FROM Devices; SELECT COUNT(*) FROM Blocks; SELECT COUNT(*) FROM BlockData')
answer n
after=$(sqlite3 "$work/plant/velk.db" 'SELECT COUNT(*) FROM Devices; SELECT COUNT(*) FROM Blocks; SELECT COUNT(*) FROM BlockData')
expect_text "database after No" "$before" "$after"

answer y
created=$(test_devices)
[ "$created" = 4 ] || fail "operation 2 answered Yes created $created test devices, expected 4"
echo "operation 2: No changed nothing, Yes created $created test devices"
