#!/usr/bin/env bash
# A throw-away PostgreSQL cluster for the tests and benchmarks, reached through a Unix socket
# only (no TCP port is opened):
#   scripts/pg-cluster.sh start DIR   creates and starts it in DIR, with database lumesco_test;
#                                     prints the address the store takes
#   scripts/pg-cluster.sh stop DIR    stops it and removes DIR
# The server refuses to run as root, so under root the cluster belongs to the "postgres" user
# of Debian's package.
set -euo pipefail

action=${1:?start or stop}
dir=${2:?cluster folder}
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
[ -x "$bin/initdb" ] || { echo "PostgreSQL is not installed (apt install postgresql)" >&2; exit 1; }

as_owner() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

case $action in
start)
  mkdir -p "$dir"
  [ "$(id -u)" -eq 0 ] && chown postgres: "$dir"
  as_owner "$bin/initdb" -D "$dir/data" -U lumesco --auth=trust -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 \
    || { cat "$dir/initdb.log" >&2; exit 1; }
  as_owner "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w \
    -o "-c listen_addresses='' -c unix_socket_directories='$dir' -p 5432 -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=200" \
    start >/dev/null || { cat "$dir/server.log" >&2; exit 1; }
  "$bin/createdb" -h "$dir" -U lumesco lumesco_test
  echo "postgresql:///lumesco_test?host=$dir&user=lumesco"
  ;;
stop)
  if [ -d "$dir/data" ]; then
    as_owner "$bin/pg_ctl" -D "$dir/data" -m immediate stop >/dev/null 2>&1 || true
  fi
  rm -rf "$dir"
  ;;
*)
  echo "usage: $0 start|stop DIR" >&2
  exit 2
  ;;
esac
