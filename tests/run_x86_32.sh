#!/usr/bin/env bash
# run_x86_32.sh PROGRAM [ARG...] - runs a 32-bit x86 test program. On a machine that refuses
# 32-bit programs it runs under qemu-i386 (user-mode emulation, exact IEEE arithmetic): the one
# scripts/qemu_i386.sh registered with binfmt_misc, or else the system's, unless
# X86_32_BINFMT_ONLY=yes (the fuzzers: ASan's address space needs the newer qemu). With
# QEMU_I386=no, or without a qemu-i386 to use, it says why not and exits 125, which CTest counts
# as a skip for the tests marked with the code in cmake/x86_32.cmake.
here=$(dirname "$0")
bash "$here/../scripts/x86_32_runs.sh" --native && exec "$@"
# LeakSanitizer stops the program's threads from a clone() that shares its memory without being
# a thread, which qemu-i386 refuses (EINVAL): its leak check would wait for that forever.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
if ! why=$(bash "$here/../scripts/x86_32_why_not.sh"); then
  echo "this machine does not run 32-bit x86 programs: running under qemu-i386 (binfmt_misc)"
  exec "$@"
fi
if [ "${QEMU_I386:-yes}" = no ] || [ "${X86_32_BINFMT_ONLY:-no}" = yes ] \
   || ! command -v qemu-i386 > /dev/null; then
  exec bash "$here/skip.sh" "$why"
fi
echo "this machine does not run 32-bit x86 programs: running under $(command -v qemu-i386)"
exec qemu-i386 -L / "$@"
