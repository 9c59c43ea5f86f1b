#!/usr/bin/env bash
# x86_32_why_not.sh - says in one line why the tests may not run 32-bit x86 programs here and
# exits 0, or exits 1 when they may: the kernel runs them, or an emulator registered with
# binfmt_misc does (scripts/qemu_i386.sh) and QEMU_I386 is not "no".
cd "$(dirname "$0")/.."
bash scripts/x86_32_runs.sh --native && exit 1
refused="this machine does not run 32-bit x86 programs (Exec format error)"
if [ "${QEMU_I386:-yes}" = no ]; then
  echo "$refused, and QEMU_I386=no keeps them from qemu-i386"
elif ! bash scripts/x86_32_runs.sh; then
  if [ -s build/qemu-i386.why ]; then
    echo "$refused, nor through qemu-i386: $(cat build/qemu-i386.why)"
  else
    echo "$refused, nor through qemu-i386: scripts/qemu_i386.sh has not registered it"
  fi
else
  exit 1
fi
exit 0
