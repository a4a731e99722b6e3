#!/usr/bin/env bash
# Whole mirt processes writing the benchmark list to PDF, an earlier build and
# this one interleaved, so that a noisy machine weighs on both alike.
#   bench/compare-pdf.sh EARLIER_MIRT [BUILD] [ROWS] [ROUNDS]
# Prints each run's seconds and peak memory, the medians, their ratio, and
# whether both PDFs hold the same text page for page.
set -euo pipefail
earlier=$1
build=${2:-build}
rows=${3:-100000}
rounds=${4:-3}
here=$(cd "$(dirname "$0")/.." && pwd)
current="$here/$build/bin/mirt"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
QT_QPA_PLATFORM=offscreen "$here/$build/bin/bench_report" write "$rows" "$work"

measure() { # program output-file -> "seconds kib"
    /usr/bin/time -f "%e %M" -o "$work/time" env QT_QPA_PLATFORM=offscreen \
        "$1" /f "$work/list.xml" /pdf "$2" >/dev/null 2>&1
    cat "$work/time"
}

declare -a et ct em cm
for ((i = 0; i < rounds; i++)); do
    read -r t m < <(measure "$earlier" "$work/earlier.pdf"); et+=("$t"); em+=("$m")
    read -r t m < <(measure "$current" "$work/current.pdf"); ct+=("$t"); cm+=("$m")
    echo "round $((i + 1)): earlier ${et[-1]} s ${em[-1]} KiB, this ${ct[-1]} s ${cm[-1]} KiB"
done
median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }
e=$(median "${et[@]}"); c=$(median "${ct[@]}")
echo "rows $rows: earlier $e s, $(($(median "${em[@]}") / 1024)) MiB; this $c s, $(($(median "${cm[@]}") / 1024)) MiB; time ratio $(awk -v a="$c" -v b="$e" 'BEGIN {printf "%.2f", a / b}')"
echo "PDF bytes per page: earlier $(($(stat -c %s "$work/earlier.pdf") / $(pdfinfo "$work/earlier.pdf" | awk '/^Pages/ {print $2}'))), this $(($(stat -c %s "$work/current.pdf") / $(pdfinfo "$work/current.pdf" | awk '/^Pages/ {print $2}')))"
if cmp -s <(pdftotext "$work/earlier.pdf" - 2>/dev/null) <(pdftotext "$work/current.pdf" - 2>/dev/null); then
    echo "text: the same page for page"
else
    echo "text: DIFFERENT"
fi
