#!/usr/bin/env bash
# The benchmark list written by whole mirt processes as PDF, XLSX and CSV, and
# as one HTML page (the run with next to no output: the baseline), the four
# interleaved so that a noisy machine weighs on all alike.
#   bench/compare-xlsx.sh [BUILD] [ROUNDS] [ROWS...]   (default: build 3 10000 100000)
# Prints each run's seconds (wall clock, and CPU: user + system, steadier on a
# shared machine) and peak memory, then per row count the medians,
# the XLSX/PDF time ratio and what each output adds to the baseline's memory
# (the spreadsheets also make the run keep typed values: CSV, which writes
# 64 KB at a time, shows that part; XLSX beyond CSV is the workbook writer's).
set -euo pipefail
build=${1:-build}
rounds=${2:-3}
shift $(($# < 2 ? $# : 2))
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(10000 100000)
here=$(cd "$(dirname "$0")/.." && pwd)
mirt="$here/$build/bin/mirt"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

measure() { # folder option output-file -> "seconds cpu-seconds kib"
    /usr/bin/time -f "%e %U %S %M" -o "$1/time" env QT_QPA_PLATFORM=offscreen \
        "$mirt" /f "$1/list.xml" "$2" "$3" >/dev/null 2>&1
    awk '{printf "%s %.2f %s\n", $1, $2 + $3, $4}' "$1/time"
}
median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }

for rows in "${sizes[@]}"; do
    dir="$work/$rows"
    mkdir -p "$dir"
    QT_QPA_PLATFORM=offscreen "$here/$build/bin/bench_report" write "$rows" "$dir" >/dev/null 2>&1
    declare -A seconds=() cpu=() kib=()
    for ((i = 0; i < rounds; i++)); do
        line="rows $rows round $((i + 1)):"
        for kind in html pdf xlsx csv; do
            read -r t c m < <(measure "$dir" "/$kind" "$dir/list.$kind")
            seconds[$kind]+="$t "
            cpu[$kind]+="$c "
            kib[$kind]+="$m "
            line+=" $kind $t s (CPU $c s) $((m / 1024)) MiB,"
        done
        echo "${line%,}"
    done
    declare -A s=() c=() m=()
    for kind in html pdf xlsx csv; do
        # shellcheck disable=SC2086
        s[$kind]=$(median ${seconds[$kind]})
        # shellcheck disable=SC2086
        c[$kind]=$(median ${cpu[$kind]})
        # shellcheck disable=SC2086
        m[$kind]=$(median ${kib[$kind]})
    done
    sheetRows=$(unzip -p "$dir/list.xlsx" xl/worksheets/sheet1.xml | grep -o '<row ' | wc -l)
    echo "rows $rows (median of $rounds): run+1 HTML page ${s[html]} s ${m[html]} KiB;" \
        "PDF ${s[pdf]} s (CPU ${c[pdf]}); XLSX ${s[xlsx]} s (CPU ${c[xlsx]});" \
        "CSV ${s[csv]} s (CPU ${c[csv]}); baseline CPU ${c[html]};" \
        "XLSX/PDF $(awk -v a="${s[xlsx]}" -v b="${s[pdf]}" 'BEGIN {printf "%.2f", a / b}')" \
        "(CPU $(awk -v a="${c[xlsx]}" -v b="${c[pdf]}" 'BEGIN {printf "%.2f", a / b}'));" \
        "memory over the baseline: PDF $(((m[pdf] - m[html]) / 1024)) MiB," \
        "XLSX $(((m[xlsx] - m[html]) / 1024)) MiB, CSV $(((m[csv] - m[html]) / 1024)) MiB;" \
        "XLSX over CSV $((m[xlsx] - m[csv])) KiB;" \
        "sheet rows $sheetRows, CSV lines $(wc -l <"$dir/list.csv")"
    rm -rf "$dir"
    unset seconds cpu kib s c m
done
