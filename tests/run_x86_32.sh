#!/usr/bin/env bash
# run_x86_32.sh PROGRAM [ARG...] - runs a 32-bit x86 test program. A machine that refuses
# 32-bit programs runs it under qemu-i386 (user-mode emulation, exact IEEE arithmetic) where
# QEMU_I386 allows it, or says why not and exits 125, which CTest counts as a skip for the tests
# marked with the code in cmake/x86_32.cmake.
probe=$(dirname "$0")/../scripts/x86_32_runs.sh
bash "$probe" && exec "$@"
if [ "${QEMU_I386:-yes}" = yes ] && command -v qemu-i386 > /dev/null; then
  echo "this machine does not run 32-bit x86 programs: running under qemu-i386"
  exec qemu-i386 -L / "$@"
fi
if [ "${QEMU_I386:-yes}" = yes ]; then
  echo "skipped: this machine does not run 32-bit x86 programs (Exec format error), nor qemu-i386"
else
  echo "skipped: this machine does not run 32-bit x86 programs (Exec format error), and this one is not run under qemu-i386"
fi
exit 125
