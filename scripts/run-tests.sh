#!/usr/bin/env bash
# Runs the whole test suite of one build folder. Starts the private PostgreSQL
# and MariaDB servers that the data tests use and the private CUPS server that
# the printing tests print on (and stops them again), then runs CTest.
set -uo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)

# shellcheck source=/dev/null
source "$here/pg-test-server.sh"
pg_start || echo "run-tests: no PostgreSQL test server; its tests will say they are skipped" >&2
# shellcheck source=/dev/null
source "$here/mysql-test-server.sh"
my_start || echo "run-tests: no MariaDB test server; its tests will say they are skipped" >&2
# shellcheck source=/dev/null
source "$here/cups-test-server.sh"
trap 'cups_stop; my_stop; pg_stop' EXIT
trap 'exit 130' INT TERM
cups_start || echo "run-tests: no CUPS test server; the printing tests will say they are skipped" >&2

ctest --test-dir "$build" --output-on-failure -j 2
