#!/usr/bin/env bash
# Runs the benchmarks on a built tree and writes bench/RESULTS.md and bench/rebuild.png.
#   bench/run.sh BUILD_DIR [objects...]        (default sizes: 1000 10000 100000)
set -euo pipefail

HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
BUILD="$(cd "${1:?usage: bench/run.sh BUILD_DIR [objects...]}" && pwd)"
shift
SIZES=("$@")
[ ${#SIZES[@]} -gt 0 ] || SIZES=(1000 10000 100000)
LARGEST="${SIZES[-1]}"
REPETITIONS="${QUILLON_BENCH_REPETITIONS:-3}"

if ! command -v gnuplot >/dev/null; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends gnuplot-nox >/dev/null
fi

cmake --build "$BUILD" --target quillon_bench quillon_bench_whitebox Quillon_ts4 Tsxapi -j"$(nproc)" >/dev/null

RAW="$(mktemp)"
trap 'rm -f "$RAW" "$RAW.dat"' EXIT
BENCH_CMD=(quillon_bench.exe --repetitions "$REPETITIONS" "${SIZES[@]}")
WHITEBOX_CMD=(quillon_bench_whitebox.exe --repetitions "$REPETITIONS" "$LARGEST")
MEMORY_CMD=(quillon_bench.exe --memory "$LARGEST")
cd "$BUILD/bin"
export QUILLON_WINE_TIMEOUT=3000
status=0
xvfb-run -a -s "-screen 0 1280x1024x24" "$BUILD/wine-run.sh" "${BENCH_CMD[@]}" | tee "$RAW" || status=$?
xvfb-run -a -s "-screen 0 1280x1024x24" "$BUILD/wine-run.sh" "${WHITEBOX_CMD[@]}" | tee -a "$RAW" || status=$?
xvfb-run -a -s "-screen 0 1280x1024x24" "$BUILD/wine-run.sh" "${MEMORY_CMD[@]}" | tee -a "$RAW" || status=$?

python3 "$HERE/report.py" "$RAW" "$HERE/RESULTS.md" "$RAW.dat" \
  --command "bench/run.sh $BUILD ${SIZES[*]}" \
  --build-type "$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$BUILD/CMakeCache.txt")" \
  --runs "$BUILD/wine-run.sh ${BENCH_CMD[*]}" "$BUILD/wine-run.sh ${WHITEBOX_CMD[*]}" \
         "$BUILD/wine-run.sh ${MEMORY_CMD[*]}"
gnuplot <<PLOT
set terminal pngcairo size 800,560 font "DejaVu Sans,10" noenhanced
set output "$HERE/rebuild.png"
set title "Rebuild of the scene tree against the bare host walk and a plain control fill, Wine"
set logscale xy
set xrange [700:150000]
set xlabel "objects in the scene (groups of 100)"
set ylabel "milliseconds (median of $REPETITIONS)"
set grid
set key top left
plot "$RAW.dat" using 1:3 with linespoints lw 2 pt 7 title "floor: every item into a plain tree view", \
     "$RAW.dat" using 1:2 with linespoints lw 2 pt 5 title "panel rebuild (left click)", \
     "$RAW.dat" using 1:4 with linespoints lw 2 pt 9 title "bare host walk (the same host calls, no tree)"
PLOT
echo "wrote $HERE/RESULTS.md and $HERE/rebuild.png"
exit $status
