#!/bin/sh
# Times our standard invoice renderer against xsltproc with a stylesheet of the same fields.
#
#   bench/xslt/compare.sh [BUILD_DIR] [RUNS] [INVOICE]
#
# BUILD_DIR holds the built standard_invoice_bench (default: build/bench, built when missing),
# RUNS is the number of xsltproc runs (default 200), INVOICE the invoice file (default: the
# real sample open-etaxbill_1-0101.xml next to the repository).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
build=${1:-$repo/build/bench}
runs=${2:-200}
invoice=${3:-$repo/../shared/samples/real/xml/open-etaxbill_1-0101.xml}
stylesheet=$here/standard-invoice.xsl

command -v xsltproc >/dev/null || { echo "compare.sh: xsltproc is not installed" >&2; exit 1; }
[ -r "$invoice" ] || { echo "compare.sh: cannot read $invoice" >&2; exit 1; }
case $runs in ''|*[!0-9]*|0) echo "compare.sh: RUNS must be a positive number" >&2; exit 1;; esac

if [ ! -x "$build/bench/standard_invoice_bench" ]; then
    cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$build" --target standard_invoice_bench -- -j2 >/dev/null
fi

out=$(mktemp)
trap 'rm -f "$out"' EXIT

echo "== ours, in process (load, read, choose, fill; Google Benchmark)"
LEDGRA_BENCH_INVOICE=$invoice "$build/bench/standard_invoice_bench" --benchmark_min_time=1

echo
echo "== xsltproc, in process (the stylesheet applied 20 times to the parsed invoice)"
xsltproc --timing --repeat "$stylesheet" "$invoice" 2>&1 >/dev/null |
    awk '/Applying stylesheet 20 times took/ { printf "apply: %.3f ms per run\n", $6 / 20 }
         /took/ && !/Applying/ { print }'

echo
echo "== xsltproc, whole process ($runs runs: start, parse stylesheet and invoice, apply, write)"
start=$(date +%s%N)
i=0
while [ "$i" -lt "$runs" ]; do
    xsltproc --output "$out" "$stylesheet" "$invoice"
    i=$((i + 1))
done
end=$(date +%s%N)
awk -v ns=$((end - start)) -v n="$runs" 'BEGIN { printf "%.3f ms per run\n", ns / n / 1e6 }'
