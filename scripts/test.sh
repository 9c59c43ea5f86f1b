#!/usr/bin/env bash
# test.sh - installs what is missing, builds everything and runs every test: the C++ tests
# (64-bit, 32-bit, and under the sanitizers with a bounded fuzz run), the Octave tests of the
# built plug-ins, and the Windows plug-ins under Wine. Exits non-zero when any test fails.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh || exit 1
bash scripts/build.sh || exit 1

passed=0 failed=0
for p in linux m32 asan win32 win64; do
  echo "== test $p"
  log=$(mktemp)
  ctest --preset "$p" -j2 2>&1 | tee "$log"
  summary=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
  rm -f "$log"
  if [ -z "$summary" ]; then
    echo "ctest ($p) printed no summary"; failed=$((failed + 1)); continue
  fi
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")
  bad=$(sed -E 's/.* ([0-9]+) tests failed.*/\1/' <<<"$summary")
  passed=$((passed + total - bad)); failed=$((failed + bad))
done
echo
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
