#!/usr/bin/env bash
# Runs the whole test suite of one build folder. Starts the private PostgreSQL
# server that the data tests use (and stops it again), then runs CTest.
set -uo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)

# shellcheck source=/dev/null
source "$here/pg-test-server.sh"
pg_start || echo "run-tests: no PostgreSQL test server; its tests will say they are skipped" >&2
trap pg_stop EXIT

ctest --test-dir "$build" --output-on-failure -j 2
