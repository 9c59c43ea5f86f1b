#!/usr/bin/env bash
# skip.sh WHY... - ends a test that cannot run on this machine: prints the one line scripts/test.sh
# requires of a skipped test, "skipped (tests/skip.sh): WHY", and exits 125, the code the tests
# that may skip are marked with (cmake/x86_32.cmake). test.sh counts a test CTest reports as
# skipped as failed unless it printed this line: a program that exits 125 by accident is no skip.
echo "skipped (tests/skip.sh): $*"
exit 125
