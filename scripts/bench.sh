#!/usr/bin/env bash
# bench.sh - builds what the benchmarks need (in the linux preset graph_bench, boost_peer,
# store_memory and ombrik.mex; in linux-indexed the indexed ombrik.mex) and prints one Markdown
# table: what each graph operation of the default store costs in C++ against the floor probe;
# what calls through Octave cost against a trivial MEX file; the two builds of ombrik through
# Octave against the call floor and against Boost's Dijkstra on the same grids and queries; and
# the heap each build holds per node and per edge. About four minutes on two cores.
#
#   bash scripts/bench.sh [graph_bench flags, e.g. --benchmark_filter=search]
#
# BENCH_REPETITIONS (default 3) sets how often each C++ benchmark runs; the table keeps the
# fastest run; the runs of all benchmarks are shuffled, so a burst of other work on the machine
# does not slow every run of one benchmark. Other work only ever slows a run down.
set -euo pipefail
cd "$(dirname "$0")/.."

log=$(mktemp)
trap 'rm -f "$log"' EXIT
{ cmake --preset linux && cmake --build --preset linux --parallel 2 \
    --target graph_bench boost_peer store_memory ombrik_octave &&
  cmake --preset linux-indexed && cmake --build --preset linux-indexed --parallel 2 \
    --target ombrik_octave graphplugin_engine_octave; } \
  > "$log" 2>&1 || { tail -n 60 "$log"; exit 1; }

# Without history: saving it fails, with an error at exit, where ~/.local/share is missing.
octave_rows() { octave-cli --norc --no-gui --no-history "$@"; }

echo "$(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
echo
build/cmake/linux/bench/graph_bench \
  --benchmark_repetitions="${BENCH_REPETITIONS:-3}" --benchmark_enable_random_interleaving=true \
  "$@" 2>/dev/null
octave_rows bench/octave_bench.m build/octave
octave_rows bench/octave_indexed_bench.m build/octave build/octave-indexed \
  build/cmake/linux/bench/boost_peer
octave_rows bench/octave_engine_bench.m build/octave-indexed build/cmake/linux/bench/boost_peer
build/cmake/linux/bench/store_memory 129 500
