#!/usr/bin/env bash
# fuzz.sh SECONDS [TARGET...] - the long fuzz run: builds the fuzzers of the asan tree and runs
# each for SECONDS (default targets: the plug-in fuzzers fuzz_zelmot fuzz_ombrik fuzz_main
# fuzz_main32, the differential fuzzers fuzz_diff_ombrik fuzz_diff_main fuzz_diff_main32, and
# the engine's fuzz_engine).
# Each grows its own corpus under build/fuzz/<target>, starting from the seeds in
# fuzz/corpus/<target> (a differential fuzzer: those of its plug-in fuzzer); a crash or a broken
# rule leaves its input in build/fuzz/artifacts/. Prints each run's figures; exits non-zero if
# any run found a fault. FUZZ_JOBS (default 1) runs that many at a time, each on a core of its
# own; FUZZ_BIN=<dir> runs fuzzers already built there instead of building the asan tree.
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: scripts/fuzz.sh SECONDS [TARGET...]}
shift
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(fuzz_zelmot fuzz_ombrik fuzz_main fuzz_main32
                                     fuzz_diff_ombrik fuzz_diff_main fuzz_diff_main32 fuzz_engine)

bin=${FUZZ_BIN:-}
if [ -z "$bin" ]; then
  bash scripts/install-deps.sh || exit 1
  cmake --preset asan > /dev/null || exit 1
  cmake --build --preset asan -j2 --target "${targets[@]}" || exit 1
  bin=build/cmake/asan/fuzz
fi

out=build/fuzz
mkdir -p "$out/artifacts"

run() {  # TARGET: one run; its figures go to build/fuzz/<target>.log
  local t=$1
  mkdir -p "$out/$t"
  "$bin/$t" -max_total_time="$seconds" -max_len=1024 -len_control=20 -timeout=10 -rss_limit_mb=4096 \
      -print_final_stats=1 -artifact_prefix="$out/artifacts/$t-" "$out/$t" "fuzz/corpus/${t/diff_/}" \
      > "$out/$t.log" 2>&1
}

status=0
jobs=${FUZZ_JOBS:-1}
for ((i = 0; i < ${#targets[@]}; i += jobs)); do
  batch=("${targets[@]:i:jobs}")
  pids=()
  for t in "${batch[@]}"; do
    echo "== $t, $seconds s"
    run "$t" &
    pids+=($!)
  done
  for p in "${pids[@]}"; do wait "$p" || status=1; done
  for t in "${batch[@]}"; do
    echo "-- $t"
    grep -E 'DONE|^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)|ERROR|\*\*\*|SUMMARY' \
        "$out/$t.log"
  done
done
exit $status
