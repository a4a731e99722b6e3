# Private MariaDB server for the tests: a temporary folder, a free loopback
# port, a database "mirttest". Sourced by run-tests.sh; exports for the tests:
#   MIRT_MYSQL_CONN  ADO string of the database, user "mirt" with the password
#                    "mirt-secret", allowed everything on mirttest (the tests
#                    make their tables with it; Mirt itself must write nothing)
# my_start returns non-zero and says why on stderr when no server can run; the
# tests then report their MySQL cases as skipped.
my_start() {
  local server=/usr/sbin/mariadbd
  if [ ! -x "$server" ] || ! command -v mariadb-install-db >/dev/null; then
    echo "mysql-test-server: MariaDB server programs not found" >&2
    return 1
  fi
  local user=()
  if [ "$(id -u)" -eq 0 ]; then
    if ! id mysql >/dev/null 2>&1; then
      echo "mysql-test-server: running as root, but there is no mysql user to run the server" >&2
      return 1
    fi
    user=(--user=mysql)
  fi
  MIRT_MYSQL_DIR=$(mktemp -d /tmp/mirt-mysql.XXXXXX) || return 1
  export MIRT_MYSQL_DIR
  [ "$(id -u)" -eq 0 ] && chown mysql "$MIRT_MYSQL_DIR"

  if ! mariadb-install-db --no-defaults "${user[@]}" --datadir="$MIRT_MYSQL_DIR/data" \
       --auth-root-authentication-method=socket --skip-test-db \
       >"$MIRT_MYSQL_DIR/install.log" 2>&1; then
    echo "mysql-test-server: mariadb-install-db failed:" >&2
    tail -n 5 "$MIRT_MYSQL_DIR/install.log" >&2
    rm -rf "$MIRT_MYSQL_DIR"; unset MIRT_MYSQL_DIR
    return 1
  fi

  # Several test runs may share the machine: take the first free port.
  local port started="" sock="$MIRT_MYSQL_DIR/sock"
  for port in $(seq "${MIRT_MYSQL_PORT:-53306}" $(( ${MIRT_MYSQL_PORT:-53306} + 40 ))); do
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && continue
    "$server" --no-defaults "${user[@]}" --datadir="$MIRT_MYSQL_DIR/data" --socket="$sock" \
      --port="$port" --bind-address=127.0.0.1 --pid-file="$MIRT_MYSQL_DIR/pid" \
      --skip-name-resolve --innodb-buffer-pool-size=16M --log-error="$MIRT_MYSQL_DIR/log" \
      >/dev/null 2>&1 &
    local i
    for i in $(seq 1 60); do
      if mariadb --no-defaults --socket="$sock" -u root -e 'SELECT 1' >/dev/null 2>&1; then
        started=$port
        break 2
      fi
      kill -0 $! 2>/dev/null || break
      sleep 0.5
    done
    kill $! 2>/dev/null
  done
  if [ -z "$started" ]; then
    echo "mysql-test-server: the server did not start:" >&2
    tail -n 5 "$MIRT_MYSQL_DIR/log" >&2 2>/dev/null
    rm -rf "$MIRT_MYSQL_DIR"; unset MIRT_MYSQL_DIR
    return 1
  fi
  export MIRT_MYSQL_PORT=$started
  if ! mariadb --no-defaults --socket="$sock" -u root -e "
        CREATE DATABASE mirttest CHARACTER SET utf8mb4;
        CREATE USER 'mirt'@'127.0.0.1' IDENTIFIED BY 'mirt-secret';
        GRANT ALL ON mirttest.* TO 'mirt'@'127.0.0.1';" >>"$MIRT_MYSQL_DIR/log" 2>&1; then
    echo "mysql-test-server: could not create the test database:" >&2
    tail -n 5 "$MIRT_MYSQL_DIR/log" >&2
    my_stop
    return 1
  fi
  export MIRT_MYSQL_CONN="Provider=MySQL;Host=127.0.0.1;Port=$MIRT_MYSQL_PORT;Database=mirttest;User ID=mirt;Password=mirt-secret"
  return 0
}

my_stop() {
  [ -n "${MIRT_MYSQL_DIR:-}" ] || return 0
  if [ -f "$MIRT_MYSQL_DIR/pid" ]; then
    local pid
    pid=$(cat "$MIRT_MYSQL_DIR/pid")
    kill "$pid" 2>/dev/null
    local i
    for i in $(seq 1 40); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.25
    done
    kill -9 "$pid" 2>/dev/null
  fi
  rm -rf "$MIRT_MYSQL_DIR"
  unset MIRT_MYSQL_DIR MIRT_MYSQL_CONN
}
