#!/usr/bin/env bash
# The reports of every device template with the host database on the test
# run's PostgreSQL server: the native ravelin-test and, through Wine's ODBC,
# ravelin-test.exe write the report they write over the SQLite file, byte
# for byte (only the time of the run may differ).
# Usage: server-reports-test.sh BUILD_DIR TEST_EXE NATIVE_BUILD_DIR SERVER_STATE
. "$(dirname "$0")/wine-common.sh" "$1"
exe=$2
native=$3
state=$4
generator=$native/src/plant/ravelin-plant
tester=$native/src/cli/ravelin-test
[ -x "$tester" ] || fail "the native ravelin-test $tester is not built (build the native preset first)"
[ -f "$state/connection" ] || fail "no test server: the postgresql_start fixture did not run"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
plant=$work/plant

# One run over the plant in $plant; the report without its time line.
report() {
  local name=$1; shift
  local status=0
  "$@" --all-templates --level all --report "$(report_path "$name")" >/dev/null 2>"$work/$name.err" || status=$?
  # 1: the run ended and found errors, which the plant holds on purpose.
  [ "$status" -le 1 ] || fail "$name: exit $status: $(cat "$work/$name.err")"
  grep -av '^The test was conducted at ' "$work/$name.txt" | tr -d '\0' >"$work/$name.cmp"
}
report_path() { case "$1" in wine) winpath "$work/$1.txt" ;; *) echo "$work/$1.txt" ;; esac; }

make_plant "$generator" "$plant" 30
report file "$tester" --host-root "$plant"

database=win_reports_$$
socket=$(sed 's/^Servername=\([^;]*\);.*/\1/' "$state/connection")
"$RAVELIN_POSTGRESQL_BIN/createdb" -h "$socket" -U ravelin -E UTF8 -T template0 "$database" ||
  fail "cannot create the database $database"
"$generator" "$plant" --templates 30 --database-server "$(cat "$state/connection");Database=$database" \
  >/dev/null || fail "plant generation on the server failed"
[ ! -e "$plant/velk.db" ] || fail "a server plant has a velk.db"
report server "$tester" --host-root "$plant"

export ODBCINI=$plant/odbc.ini ODBCSYSINI=$plant
report wine "$wine" "$exe" --host-root "$(winpath "$plant")"

cmp "$work/file.cmp" "$work/server.cmp" || { diff "$work/file.cmp" "$work/server.cmp" | head -20 >&2; fail "the native report differs on the server"; }
# The Windows program joins the folders of velk.ini's paths with backslashes.
tr '\\' / <"$work/wine.cmp" >"$work/wine.unix"
cmp "$work/file.cmp" "$work/wine.unix" || { diff "$work/file.cmp" "$work/wine.unix" | head -20 >&2; fail "ravelin-test.exe's report differs on the server"; }
[ "$(grep -c 'Start of Test' "$work/file.cmp")" = 30 ] || fail "the report does not hold 30 devices"
# Its progress lines are the native program's, each ending CR LF.
sed 's/$/\r/' "$work/file.err" | cmp - "$work/wine.err" || fail "ravelin-test.exe's progress differs: $(head -3 "$work/wine.err" | od -c | head -4)"
"$RAVELIN_POSTGRESQL_BIN/dropdb" -h "$socket" -U ravelin "$database" || true
echo "server reports: ok"
