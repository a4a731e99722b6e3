#!/usr/bin/env bash
# The main job: run the bundled demo report on the bundled SQLite database
# and write it as PDF (build/demo.pdf).
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
"$build/bin/mirt" /f examples/demo.xml /pdf "$build/demo.pdf"
echo "Wrote $build/demo.pdf ($(pdfinfo "$build/demo.pdf" 2>/dev/null | sed -n 's/^Pages: *//p') pages)"
