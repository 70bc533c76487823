#!/usr/bin/env bash
# Starts or stops the throw-away PostgreSQL server of one test run:
#   postgres-fixture.sh start STATE_DIR [--durable]
#                                         - initdb into STATE_DIR and a server
#                                           listening only on a Unix socket
#                                           there (no TCP); without fsync
#                                           unless --durable (benchmarks)
#   postgres-fixture.sh stop STATE_DIR    - stops that server, nothing else
#   postgres-fixture.sh pause STATE_DIR   - stops it at once, as a crash
#                                           would, keeping its data
#   postgres-fixture.sh resume STATE_DIR  - starts the paused server again
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

# Starts the server of cluster $1 with disk syncs $2 (on or off).
serve() {
  run "$bin/pg_ctl" -D "$1/data" -l "$1/server.log" -w -t 30 \
    -o "-c listen_addresses='' -c unix_socket_directories='$1' -c fsync=$2 -c max_connections=40" \
    start >"$state/start.log" 2>&1 || { cat "$state/start.log" "$1/server.log" >&2; exit 1; }
}

halt() {
  if [ -f "$1/data/postmaster.pid" ]; then
    run "$bin/pg_ctl" -D "$1/data" -m immediate -w stop >/dev/null 2>&1 || true
  fi
}

cluster_dir() { if [ -f "$state/location" ]; then cat "$state/location"; else echo "$state/cluster"; fi; }

case "$action" in
start)
  "$0" stop "$state" || true
  rm -rf "$state/cluster" "$state/location" "$state/connection" "$state/fsync"
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
  # Members of the role ravelin_password must give their password (the other
  # roles are trusted): tests that a password reaches the server make them.
  run sed -i '1i local all +ravelin_password scram-sha-256' "$cluster/data/pg_hba.conf"
  # Test data is thrown away: no disk syncs, unless a benchmark wants them.
  sync=off
  [ "${3:-}" = --durable ] && sync=on
  echo "$sync" >"$state/fsync"
  serve "$cluster" "$sync"
  echo "Servername=$cluster;Port=5432;Username=ravelin" >"$state/connection"
  echo "PostgreSQL server ready on $cluster"
  ;;
pause)
  halt "$(cluster_dir)"
  ;;
resume)
  serve "$(cluster_dir)" "$(cat "$state/fsync")"
  ;;
stop)
  cluster=$(cluster_dir)
  halt "$cluster"
  if [ -f "$state/location" ]; then rm -rf "$cluster" "$state/location"; fi
  rm -f "$state/connection" "$state/fsync"
  ;;
*)
  echo "usage: $0 start|stop|pause|resume STATE_DIR" >&2; exit 2 ;;
esac
