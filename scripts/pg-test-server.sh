# Private PostgreSQL cluster for the tests: a temporary folder, a loopback port,
# a database "mirttest". Sourced by run-tests.sh; exports MIRT_PG_* for the tests.
pg_start() {
  local bindir
  bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
  [ -x "$bindir/initdb" ] || return 1
  export MIRT_PG_DIR=$(mktemp -d /tmp/mirt-pg.XXXXXX)
  export MIRT_PG_PORT=${MIRT_PG_PORT:-55432}
  local runas=()
  if [ "$(id -u)" -eq 0 ]; then
    chown postgres "$MIRT_PG_DIR"
    runas=(runuser -u postgres --)
  fi
  "${runas[@]}" "$bindir/initdb" -D "$MIRT_PG_DIR/data" -U mirt --auth=trust >/dev/null 2>&1 || return 1
  "${runas[@]}" "$bindir/pg_ctl" -D "$MIRT_PG_DIR/data" -l "$MIRT_PG_DIR/log" -w \
     -o "-c listen_addresses=127.0.0.1 -p $MIRT_PG_PORT -k $MIRT_PG_DIR" start >/dev/null 2>&1 || return 1
  "${runas[@]}" "$bindir/createdb" -h 127.0.0.1 -p "$MIRT_PG_PORT" -U mirt mirttest >/dev/null 2>&1 || return 1
  export MIRT_PG_BINDIR=$bindir
  export MIRT_PG_CONN="Provider=PostgreSQL;Host=127.0.0.1;Port=$MIRT_PG_PORT;Database=mirttest;User ID=mirt;Password="
  return 0
}

pg_stop() {
  [ -n "${MIRT_PG_DIR:-}" ] || return 0
  local runas=()
  [ "$(id -u)" -eq 0 ] && runas=(runuser -u postgres --)
  "${runas[@]}" "$MIRT_PG_BINDIR/pg_ctl" -D "$MIRT_PG_DIR/data" -m fast stop >/dev/null 2>&1
  rm -rf "$MIRT_PG_DIR"
}
