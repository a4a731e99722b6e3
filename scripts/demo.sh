#!/usr/bin/env bash
# The main job: run the bundled demo report.
set -euo pipefail
build=${1:-build}
"$build/bin/mirt" /f examples/demo.xml /info
