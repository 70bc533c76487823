#!/usr/bin/env bash
# Runs bench_tester and bench_create with the host database in a SQLite file
# and then on a local PostgreSQL server, in one run: the server is a
# throw-away one of tools/postgres-fixture.sh, with disk syncs on, as a
# server keeps its data. Needs the native build (cmake --build --preset native).
set -euo pipefail
cd "$(dirname "$0")/.."
bench=build/native/bench
for program in bench_tester bench_create; do
  [ -x "$bench/$program" ] || { echo "bench-databases: $bench/$program is not built" >&2; exit 1; }
done
state=build/native/bench-postgresql
trap 'tools/postgres-fixture.sh stop "$state"' EXIT
tools/postgres-fixture.sh start "$state" --durable >/dev/null
server=$(cat "$state/connection")
socket=${server#Servername=}
socket=${socket%%;*}
bin=${RAVELIN_POSTGRESQL_BIN:-$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)}
"$bin/createdb" -h "$socket" -U ravelin -E UTF8 -T template0 bench
for program in bench_tester bench_create; do
  echo "== $program, SQLite file"
  "$bench/$program"
  echo "== $program, PostgreSQL server (Unix socket, fsync on)"
  "$bench/$program" --database-server "$server;Database=bench"
done
