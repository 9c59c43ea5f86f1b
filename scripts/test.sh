#!/usr/bin/env bash
# test.sh - installs what is missing, then builds and tests every preset in turn: the C++ tests
# (64-bit, 32-bit, and under the sanitizers with bounded fuzz runs), the Octave tests of the
# built plug-ins, the Windows plug-ins under Wine, each for the default and the indexed store;
# then the Octave package and the Windows bundle as users install them. Says how long each
# preset took, and why each skipped test was skipped; exits non-zero when anything fails.
#
# A preset's tests run while the next preset builds: much of the tests' time is one Octave,
# Wine or emulated program at a time, which leaves a core to the compiler. The trees share
# nothing that one writes while the other reads.
set -uo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS
bash scripts/install-deps.sh || exit 1
times=("packages: $((SECONDS - start)) s")

presets=(linux m32 asan win32 win64 linux-indexed m32-indexed asan-indexed win32-indexed win64-indexed)
passed=0 failed=0 skipped=0
work=$(mktemp -d)  # build-P.log and test-P.log of each preset
log=$work/log      # the output that count() reads
skips=$work/skips  # PRESET <tab> why a test of it was skipped, one line per skipped test
touch "$skips"
trap 'rm -rf "$work"' EXIT

# Adds the counts of a summary line "... N tests failed out of T" (ctest, whose skipped tests
# are listed as "(Skipped)") or "package: P passed, F failed, S skipped" to the totals; false
# when there is none. A test CTest lists as skipped counts as skipped only when its output in
# TESTLOG (CTest's LastTest.log) has the line of tests/skip.sh, whose reason goes to the skips
# of PRESET; any other test that ended with the skip code counts as failed.
count() {  # [PRESET TESTLOG]
  local line
  if line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1) && [ -n "$line" ]; then
    local total bad name why
    total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
    bad=$(sed -E 's/.* ([0-9]+) tests failed.*/\1/' <<<"$line")
    passed=$((passed + total - bad)) failed=$((failed + bad))
    while read -r name; do
      passed=$((passed - 1))
      why=$(awk -v name="$name" '/^[0-9]+\/[0-9]+ Test: / { test = $3 }
              test == name && sub(/^skipped \(tests\/skip\.sh\): /, "") { print; exit }' "${2:-/dev/null}")
      if [ -n "$why" ]; then
        skipped=$((skipped + 1))
        printf '%s\t%s\n' "$1" "$why" >> "$skips"
      else
        failed=$((failed + 1))
        echo "$name ended with the skip code without the skip line of tests/skip.sh: counted as failed"
      fi
    done < <(sed -n -E 's/^[[:space:]]*[0-9]+ - (.*) \(Skipped\)$/\1/p' "$log")
  elif line=$(grep -E '^package: [0-9]+ passed, [0-9]+ failed, [0-9]+ skipped' "$log" | tail -n 1) && [ -n "$line" ]; then
    passed=$((passed + $(sed -E 's/^package: ([0-9]+) passed.*/\1/' <<<"$line")))
    failed=$((failed + $(sed -E 's/.* ([0-9]+) failed.*/\1/' <<<"$line")))
    skipped=$((skipped + $(sed -E 's/.* ([0-9]+) skipped.*/\1/' <<<"$line")))
  else
    return 1
  fi
}

build_preset() {  # PRESET: configures and builds it, output in its build log
  { cmake --preset "$1" && cmake --build --preset "$1"; } > "$work/build-$1.log" 2>&1
}
test_preset() {  # PRESET: runs its tests, output in its test log, seconds in test-P.seconds
  local t=$SECONDS
  ctest --preset "$1" -j2 > "$work/test-$1.log" 2>&1
  echo $((SECONDS - t)) > "$work/test-$1.seconds"
}
report_tests() {  # PRESET: prints and counts what its tests printed
  grep -vE '^ +Start |Test +#[0-9]+: .* Passed' "$work/test-$1.log"
  cp "$work/test-$1.log" "$log"
  count "$1" "build/cmake/$1/Testing/Temporary/LastTest.log" \
    || { echo "ctest ($1) printed no summary"; failed=$((failed + 1)); }
}

built=""      # the preset whose tests run next
built_in=0    # its build's seconds
for p in "${presets[@]}" ""; do
  [ -z "$built" ] || { test_preset "$built" & tests=$!; }
  if [ -n "$p" ]; then
    t0=$SECONDS
    echo "== build $p"
    if build_preset "$p"; then
      next=$p next_in=$((SECONDS - t0))
    else
      tail -n 60 "$work/build-$p.log"
      echo "build of $p failed"
      failed=$((failed + 1)) times+=("$p: build failed after $((SECONDS - t0)) s")
      next=""
    fi
  fi
  if [ -n "$built" ]; then
    wait "$tests"
    echo "== test $built (built in $built_in s)"
    report_tests "$built"
    times+=("$built: built in $built_in s, tested in $(cat "$work/test-$built.seconds") s")
  fi
  built=${next:-} built_in=${next_in:-0} next=""
done

t0=$SECONDS
echo "== package: the Octave package and the Windows bundle"
bash tests/package/test_package.sh 2>&1 | tee "$log"
count || { echo "the package test printed no summary"; failed=$((failed + 1)); }
sed -n -E 's/^skip .* under Wine \((.*)\)$/package\t\1/p' "$log" >> "$skips"
times+=("package: $((SECONDS - t0)) s")

echo
printf '%s\n' "${times[@]}"
echo "all: $((SECONDS - start)) s"
# One line per reason: how many tests it skipped, in which presets.
awk -F '\t' '{ if (!($2 in n)) order[++k] = $2; n[$2]++
               if (index(", " p[$2] ", ", ", " $1 ", ") == 0) p[$2] = p[$2] (p[$2] == "" ? "" : ", ") $1 }
     END { for (i = 1; i <= k; i++) printf "skipped %d (%s): %s\n", n[order[i]], p[order[i]], order[i] }' "$skips"
if [ "$skipped" -ne "$(wc -l < "$skips")" ]; then
  echo "skipped $skipped tests, of which $(wc -l < "$skips") said why"
fi
echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
