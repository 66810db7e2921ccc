#!/usr/bin/env bash
# A private PostgreSQL 15 server for the tests of the server engine.
#   pg.sh start    initialise the cluster (first time only) and start it
#   pg.sh stop     stop it
#   pg.sh env      print the export line giving the tests the connect text
#   pg.sh dir      print the folder of the cluster
#   pg.sh remove   stop it and delete the cluster
# The cluster listens only on 127.0.0.1:${DDT_PG_PORT:-54329} and lets the
# role "ddt" in by password. It lives outside the checkout, in a folder of
# its own under /var/tmp named after its owner, the checkout's path and the
# port ($DDT_PG_DIR chooses another): the server's owner ("postgres" when run
# as root) must be able to enter it, and a clone in a private home (/root, a
# 0700 folder) is out of its reach.
set -euo pipefail
cd "$(dirname "$0")/.."

BIN=/usr/lib/postgresql/15/bin
PORT=${DDT_PG_PORT:-54329}
# The server refuses to run as root: as root everything runs as the
# "postgres" system user, otherwise as the calling user.
if [ "$(id -u)" -eq 0 ]; then
  OWNER=postgres
  # From the root folder: the checkout may be closed to that user.
  as_owner() { (cd / && runuser -u postgres -- "$@"); }
else
  OWNER=$(id -un)
  as_owner() { "$@"; }
fi

# One cluster per owner, checkout and port: two clones, or two ports of one
# clone, never share one.
CHECKOUT=$(pwd -P)
HASH=$(printf '%s' "$CHECKOUT" | sha256sum | cut -c1-12)
DATA=${DDT_PG_DIR:-/var/tmp/ddt-pg-$OWNER-$HASH-$PORT}
LOG="$DATA/server.log"
# The socket (used only to set the roles up) sits in the data folder unless
# that path is too long for a socket name.
SOCKDIR="$DATA"
[ ${#SOCKDIR} -gt 90 ] && SOCKDIR="/tmp/ddt-pg-$OWNER-$PORT"
ROLE=ddt
PASSWORD=ddt-test
DATABASE=ddt_test
# Driver name as Debian's odbc-postgresql registers it in /etc/odbcinst.ini.
DRIVER="PostgreSQL Unicode"

running() {
  [ -f "$DATA/PG_VERSION" ] && as_owner "$BIN/pg_ctl" status -D "$DATA" >/dev/null 2>&1
}

# A folder of the server's owner that nobody else may enter, made by the
# owner itself (mode 0700 from the start). One found already must be the
# owner's, not a link and closed to others: a folder under /var/tmp could
# have been prepared by another user.
own_folder() {
  local dir=$1
  if [ ! -e "$dir" ] && ! as_owner mkdir -p -m 700 "$dir" 2>/dev/null; then
    echo "pg.sh: user $OWNER cannot create $dir; set DDT_PG_DIR to a folder it can reach" >&2
    exit 1
  fi
  local who mode
  who=$(stat -c '%U' "$dir")
  mode=$(stat -c '%a' "$dir")
  if [ -L "$dir" ] || [ ! -d "$dir" ] || [ "$who" != "$OWNER" ] || [ $((8#$mode & 8#077)) -ne 0 ]; then
    echo "pg.sh: $dir is not a private folder of user $OWNER (owner $who, mode $mode); remove it or set DDT_PG_DIR" >&2
    exit 1
  fi
  if ! as_owner test -w "$dir" -a -x "$dir"; then
    echo "pg.sh: $dir is not reachable by user $OWNER; set DDT_PG_DIR to a folder it can reach" >&2
    exit 1
  fi
}

init_cluster() {
  own_folder "$DATA"
  [ "$SOCKDIR" = "$DATA" ] || own_folder "$SOCKDIR"
  [ -f "$DATA/PG_VERSION" ] && return 0
  local out
  if ! out=$(as_owner "$BIN/initdb" -D "$DATA" -U "$OWNER" -E UTF8 --locale=C.UTF-8 \
               --auth-local=peer --auth-host=scram-sha-256 2>&1); then
    echo "$out" >&2
    echo "pg.sh: initdb failed" >&2
    exit 1
  fi
  # Only our loopback address and a socket inside the data folder: the
  # cluster never collides with a system-wide one. fsync off: a test server
  # whose data can be thrown away.
  as_owner tee -a "$DATA/postgresql.conf" >/dev/null <<EOF

# ---- test server of the DDT program
listen_addresses = '127.0.0.1'
port = $PORT
unix_socket_directories = '$SOCKDIR'
password_encryption = 'scram-sha-256'
fsync = off
# No autovacuum worker inside a test database a test is dropping.
autovacuum = off
synchronous_commit = off
full_page_writes = off
max_connections = 200
lc_messages = 'C.UTF-8'
EOF
  as_owner tee "$DATA/pg_hba.conf" >/dev/null <<EOF
# TYPE  DATABASE  USER       ADDRESS        METHOD
local   all       $OWNER                    peer
host    all       all        127.0.0.1/32   scram-sha-256
EOF
}

psql_admin() {
  as_owner "$BIN/psql" -X -q -v ON_ERROR_STOP=1 -h "$SOCKDIR" -p "$PORT" -U "$OWNER" -d postgres "$@"
}

setup_roles() {
  psql_admin >/dev/null <<EOF
SELECT format('CREATE ROLE %I LOGIN CREATEDB CREATEROLE PASSWORD %L', '$ROLE', '$PASSWORD')
 WHERE NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = '$ROLE') \gexec
SELECT format('CREATE DATABASE %I OWNER %I', '$DATABASE', '$ROLE')
 WHERE NOT EXISTS (SELECT 1 FROM pg_database WHERE datname = '$DATABASE') \gexec
EOF
}

start() {
  init_cluster
  if ! running; then
    # The port may already be held by a server of another build folder.
    # The port and socket folder are given at each start: a cluster made
    # earlier under another DDT_PG_PORT follows the one asked for now.
    if "$BIN/pg_isready" -q -h 127.0.0.1 -p "$PORT" >/dev/null 2>&1; then
      echo "pg.sh: port $PORT is taken by another server; set DDT_PG_PORT" >&2
      exit 1
    fi
    if ! as_owner "$BIN/pg_ctl" start -D "$DATA" -l "$LOG" -w -t 60 -s \
           -o "-p $PORT -k '$SOCKDIR'" >/dev/null 2>&1; then
      echo "pg.sh: the server did not start; its log:" >&2
      tail -n 20 "$LOG" >&2 || true
      exit 1
    fi
  fi
  local i
  for i in $(seq 1 100); do
    "$BIN/pg_isready" -q -h 127.0.0.1 -p "$PORT" && break
    sleep 0.1
  done
  "$BIN/pg_isready" -q -h 127.0.0.1 -p "$PORT" || { echo "pg.sh: server not ready" >&2; exit 1; }
  setup_roles
}

stop() {
  if running; then
    as_owner "$BIN/pg_ctl" stop -D "$DATA" -m fast -w -s >/dev/null
  fi
}

# Stops the server and deletes its cluster (a clone that is going away).
remove() {
  stop
  if [ -e "$DATA" ]; then
    rm -rf -- "$DATA"
  fi
  if [ "$SOCKDIR" != "$DATA" ] && [ -e "$SOCKDIR" ]; then rm -rf -- "$SOCKDIR"; fi
}

case "${1:-}" in
  start) start ;;
  stop) stop ;;
  dir) echo "$DATA" ;;
  remove) remove ;;
  env)
    echo "export DDT_PG_CONNECT='ODBC;DRIVER={$DRIVER};SERVER=127.0.0.1;PORT=$PORT;DATABASE=$DATABASE;UID=$ROLE;PWD=$PASSWORD'"
    ;;
  *)
    echo "usage: $0 start|stop|env|dir|remove" >&2
    exit 2
    ;;
esac
