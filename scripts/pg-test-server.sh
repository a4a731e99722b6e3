# Private PostgreSQL cluster for the tests: a temporary folder, a free
# loopback port, a database "mirttest". Sourced by run-tests.sh; exports for
# the tests:
#   MIRT_PG_CONN    ADO string of the database, user "mirt" (no password)
#   MIRT_PG_PWCONN  the same as user "mirtpw", who must give the password
#                   "mirt-secret"
# pg_start returns non-zero and says why on stderr when no server can run;
# the tests then report their PostgreSQL cases as skipped.
pg_start() {
  local bindir
  bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
  if [ ! -x "$bindir/initdb" ]; then
    echo "pg-test-server: PostgreSQL server programs not found" >&2
    return 1
  fi
  local runas=()
  if [ "$(id -u)" -eq 0 ]; then
    if ! id postgres >/dev/null 2>&1; then
      echo "pg-test-server: running as root, but there is no postgres user to run the server" >&2
      return 1
    fi
    runas=(runuser -u postgres --)
  fi
  MIRT_PG_DIR=$(mktemp -d /tmp/mirt-pg.XXXXXX) || return 1
  export MIRT_PG_DIR
  [ "$(id -u)" -eq 0 ] && chown postgres "$MIRT_PG_DIR"

  if ! "${runas[@]}" "$bindir/initdb" -D "$MIRT_PG_DIR/data" -U mirt --auth=trust \
       >"$MIRT_PG_DIR/initdb.log" 2>&1; then
    echo "pg-test-server: initdb failed:" >&2
    tail -n 5 "$MIRT_PG_DIR/initdb.log" >&2
    rm -rf "$MIRT_PG_DIR"; unset MIRT_PG_DIR
    return 1
  fi
  # The password user is checked first; everyone else is trusted.
  local hba="$MIRT_PG_DIR/data/pg_hba.conf"
  { echo "host all mirtpw 127.0.0.1/32 scram-sha-256"; cat "$hba"; } >"$hba.new"
  "${runas[@]}" cp "$hba.new" "$hba" && rm -f "$hba.new"

  # Several test runs may share the machine: take the first port that works.
  local port started=""
  for port in $(seq "${MIRT_PG_PORT:-55432}" $(( ${MIRT_PG_PORT:-55432} + 40 ))); do
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && continue
    if "${runas[@]}" "$bindir/pg_ctl" -D "$MIRT_PG_DIR/data" -l "$MIRT_PG_DIR/log" -w -t 30 \
         -o "-c listen_addresses=127.0.0.1 -p $port -k $MIRT_PG_DIR" start >/dev/null 2>&1; then
      started=$port
      break
    fi
  done
  if [ -z "$started" ]; then
    echo "pg-test-server: the server did not start:" >&2
    tail -n 5 "$MIRT_PG_DIR/log" >&2 2>/dev/null
    rm -rf "$MIRT_PG_DIR"; unset MIRT_PG_DIR
    return 1
  fi
  export MIRT_PG_PORT=$started
  export MIRT_PG_BINDIR=$bindir
  if ! "${runas[@]}" "$bindir/createdb" -h 127.0.0.1 -p "$MIRT_PG_PORT" -U mirt mirttest \
       >>"$MIRT_PG_DIR/log" 2>&1 ||
     ! "${runas[@]}" "$bindir/psql" -q -h 127.0.0.1 -p "$MIRT_PG_PORT" -U mirt -d mirttest \
       -c "CREATE ROLE mirtpw LOGIN PASSWORD 'mirt-secret'" >>"$MIRT_PG_DIR/log" 2>&1; then
    echo "pg-test-server: could not create the test database:" >&2
    tail -n 5 "$MIRT_PG_DIR/log" >&2
    pg_stop
    return 1
  fi
  export MIRT_PG_CONN="Provider=PostgreSQL;Host=127.0.0.1;Port=$MIRT_PG_PORT;Database=mirttest;User ID=mirt;Password="
  export MIRT_PG_PWCONN="Provider=PostgreSQL;Host=127.0.0.1;Port=$MIRT_PG_PORT;Database=mirttest;User ID=mirtpw;Password=mirt-secret"
  return 0
}

pg_stop() {
  [ -n "${MIRT_PG_DIR:-}" ] || return 0
  local runas=()
  [ "$(id -u)" -eq 0 ] && runas=(runuser -u postgres --)
  [ -n "${MIRT_PG_BINDIR:-}" ] &&
    "${runas[@]}" "$MIRT_PG_BINDIR/pg_ctl" -D "$MIRT_PG_DIR/data" -m fast stop >/dev/null 2>&1
  rm -rf "$MIRT_PG_DIR"
  unset MIRT_PG_DIR MIRT_PG_CONN MIRT_PG_PWCONN
}
