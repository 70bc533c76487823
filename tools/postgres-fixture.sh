#!/usr/bin/env bash
# Starts or stops the throw-away PostgreSQL server of one test run:
#   postgres-fixture.sh start STATE_DIR [--durable]
#                                         - initdb into STATE_DIR and a server
#                                           listening only on a Unix socket
#                                           there (no TCP); without fsync
#                                           unless --durable (benchmarks)
#   postgres-fixture.sh stop STATE_DIR    - stops that server, nothing else
# The tests read STATE_DIR/connection: the PostgreSQL ODBC driver's
# attributes for the server, without a database (each test program makes
# its own). The server refuses to run as root, so under root it runs as the
# unprivileged user "nobody"; when nobody cannot reach STATE_DIR (a build
# folder under /root), the cluster lives in a folder of its own under /tmp,
# named in STATE_DIR/location.
set -euo pipefail
action=$1
mkdir -p "$2"
state=$(cd "$2" && pwd)
bin=${RAVELIN_POSTGRESQL_BIN:-$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)}
[ -n "$bin" ] && [ -x "$bin/initdb" ] ||
  { echo "postgres-fixture: no PostgreSQL server: install the Debian package postgresql (tools/install-deps.sh installs it)" >&2; exit 1; }

as_user=()
if [ "$(id -u)" = 0 ]; then
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
fi
run() { "${as_user[@]}" "$@"; }

cluster_dir() { if [ -f "$state/location" ]; then cat "$state/location"; else echo "$state/cluster"; fi; }

case "$action" in
start)
  "$0" stop "$state" || true
  rm -rf "$state/cluster" "$state/location" "$state/connection"
  cluster=$state/cluster
  mkdir -p "$cluster"
  [ ${#as_user[@]} = 0 ] || chown nobody:nogroup "$cluster"
  # The socket's path must fit in 107 bytes, and the server's user must reach it.
  if ! run test -w "$cluster" || [ ${#cluster} -gt 80 ]; then
    rm -rf "$cluster"
    cluster=$(mktemp -d /tmp/ravelin-pg.XXXXXX)
    [ ${#as_user[@]} = 0 ] || chown nobody:nogroup "$cluster"
    echo "$cluster" >"$state/location"
  fi
  run "$bin/initdb" -D "$cluster/data" -U ravelin -E UTF8 --locale=C.UTF-8 -A trust --no-sync \
    >"$state/initdb.log" 2>&1 || { cat "$state/initdb.log" >&2; exit 1; }
  # Test data is thrown away: no disk syncs, unless a benchmark wants them.
  sync=off
  [ "${3:-}" = --durable ] && sync=on
  run "$bin/pg_ctl" -D "$cluster/data" -l "$cluster/server.log" -w -t 30 \
    -o "-c listen_addresses='' -c unix_socket_directories='$cluster' -c fsync=$sync -c max_connections=40" \
    start >"$state/start.log" 2>&1 || { cat "$state/start.log" "$cluster/server.log" >&2; exit 1; }
  echo "Servername=$cluster;Port=5432;Username=ravelin" >"$state/connection"
  echo "PostgreSQL server ready on $cluster"
  ;;
stop)
  cluster=$(cluster_dir)
  if [ -f "$cluster/data/postmaster.pid" ]; then
    run "$bin/pg_ctl" -D "$cluster/data" -m immediate -w stop >/dev/null 2>&1 || true
  fi
  if [ -f "$state/location" ]; then rm -rf "$cluster" "$state/location"; fi
  rm -f "$state/connection"
  ;;
*)
  echo "usage: $0 start|stop STATE_DIR" >&2; exit 2 ;;
esac
