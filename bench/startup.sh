#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up time: from launching the program (Release build, no document) to its main window
# being viewable on an X server, measured RUNS times under xvfb-run; prints every run and the
# median in milliseconds. Run by hand: bench/startup.sh [RUNS]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-9}"
build="$root/build/release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMERE_TESTS=OFF >/dev/null
cmake --build "$build" --target quillmere >/dev/null

export QUILLMERE_BENCH_BIN="$build/bin/quillmere" QUILLMERE_BENCH_RUNS="$runs"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  home=$(mktemp -d)
  export XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data"
  # One unmeasured start warms the disk cache and writes the settings a later start reads.
  "$QUILLMERE_BENCH_BIN" & pid=$!
  until xwininfo -name Quillmere 2>/dev/null | grep -q IsViewable; do sleep 0.005; done
  kill $pid; wait $pid 2>/dev/null || true
  times=()
  for ((i = 0; i < QUILLMERE_BENCH_RUNS; i++)); do
    start=$(date +%s%N)
    "$QUILLMERE_BENCH_BIN" & pid=$!
    until xwininfo -name Quillmere 2>/dev/null | grep -q IsViewable; do sleep 0.002; done
    end=$(date +%s%N)
    kill $pid; wait $pid 2>/dev/null || true
    ms=$(( (end - start) / 1000000 ))
    times+=("$ms")
    echo "run $((i + 1)): ${ms} ms"
  done
  sorted=($(printf "%s\n" "${times[@]}" | sort -n))
  echo "median start-up to a shown main window: ${sorted[$(( ${#sorted[@]} / 2 ))]} ms"
  rm -rf "$home"
'
