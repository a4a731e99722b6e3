#!/usr/bin/env bash
# The main job: run the bundled demo report.
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
"$build/bin/mirt" /f examples/demo.xml /info
