#!/usr/bin/env bash
# Runs the benchmarks on a built tree and writes their report and plot under BUILD_DIR/bench-results; with
# --record they then replace bench/RESULTS.md and bench/rebuild.png, the figures the repository keeps.
#   bench/run.sh [--record] BUILD_DIR [objects...]        (default sizes: 1000 10000 100000)
# gnuplot comes with ./quillon setup, like every other package the project needs.
set -euo pipefail

HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
RECORD=0
[ "${1:-}" = --record ] && { RECORD=1; shift; }
BUILD="$(cd "${1:?usage: bench/run.sh [--record] BUILD_DIR [objects...]}" && pwd)"
shift
SIZES=("$@")
[ ${#SIZES[@]} -gt 0 ] || SIZES=(1000 10000 100000)
LARGEST="${SIZES[-1]}"
REPETITIONS="${QUILLON_BENCH_REPETITIONS:-5}"
OUT="$BUILD/bench-results"
command -v gnuplot >/dev/null || { echo "bench: gnuplot is missing; ./quillon setup installs it" >&2; exit 1; }
mkdir -p "$OUT"

cmake --build "$BUILD" --target quillon_bench quillon_bench_whitebox Quillon_ts4 Tsxapi -j"$(nproc)" >/dev/null

RAW="$OUT/raw.txt"
BENCH_CMD=(quillon_bench.exe --repetitions "$REPETITIONS" "${SIZES[@]}")
WHITEBOX_CMD=(quillon_bench_whitebox.exe --repetitions "$REPETITIONS" "$LARGEST")
MEMORY_CMD=(quillon_bench.exe --memory "$LARGEST")
cd "$BUILD/bin"
export QUILLON_WINE_TIMEOUT=3000
status=0
xvfb-run -a -s "-screen 0 1280x1024x24" "$BUILD/wine-run.sh" "${BENCH_CMD[@]}" | tee "$RAW" || status=$?
xvfb-run -a -s "-screen 0 1280x1024x24" "$BUILD/wine-run.sh" "${WHITEBOX_CMD[@]}" | tee -a "$RAW" || status=$?
xvfb-run -a -s "-screen 0 1280x1024x24" "$BUILD/wine-run.sh" "${MEMORY_CMD[@]}" | tee -a "$RAW" || status=$?

python3 "$HERE/report.py" "$RAW" "$OUT/RESULTS.md" "$RAW.dat" --repetitions "$REPETITIONS" \
  --command "bench/run.sh BUILD_DIR ${SIZES[*]}" \
  --build-type "$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$BUILD/CMakeCache.txt")" \
  --target "$(sed -n 's/^CMAKE_ADDR2LINE:FILEPATH=.*\/\([a-z0-9_]*\)-w64-mingw32-addr2line$/\1/p' "$BUILD/CMakeCache.txt")" \
  --wine "$("$BUILD/wine-run.sh" --version 2>/dev/null)" \
  --runs "wine-run.sh ${BENCH_CMD[*]}" "wine-run.sh ${WHITEBOX_CMD[*]}" "wine-run.sh ${MEMORY_CMD[*]}"
# Columns of the data file: objects, then median, fastest and slowest of first show, plain fill, warm
# rebuild and bare walk.
gnuplot <<PLOT
set terminal pngcairo size 800,560 font "DejaVu Sans,10" noenhanced
set output "$OUT/rebuild.png"
set title "First show against a plain fill of every item; warm rebuild against the bare host walk (Wine)"
set logscale xy
set xrange [700:150000]
set xlabel "objects in the scene (groups of 100)"
set ylabel "milliseconds (median of $REPETITIONS; bars: fastest to slowest)"
set grid
set key top left
plot "$RAW.dat" using 1:5:6:7 with yerrorlines lw 2 pt 7 title "plain fill: every item into a plain tree view", \
     "$RAW.dat" using 1:2:3:4 with yerrorlines lw 2 pt 5 title "first show of a new scene (left click)", \
     "$RAW.dat" using 1:8:9:10 with yerrorlines lw 2 pt 9 title "warm rebuild (left click, scene unchanged)", \
     "$RAW.dat" using 1:11:12:13 with yerrorlines lw 2 pt 11 title "bare host walk (the same host calls, no tree)"
PLOT
if [ "$RECORD" = 1 ]; then
  cp "$OUT/RESULTS.md" "$OUT/rebuild.png" "$HERE/"
  echo "wrote $HERE/RESULTS.md and $HERE/rebuild.png"
else
  echo "wrote $OUT/RESULTS.md and $OUT/rebuild.png (./quillon bench --record keeps them in bench/)"
fi
exit $status
