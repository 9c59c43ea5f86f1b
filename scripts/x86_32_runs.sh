#!/usr/bin/env bash
# x86_32_runs.sh [--native] - exits 0 when this machine runs 32-bit x86 Linux programs, 1 when it
# refuses them, 2 when it cannot tell (no 32-bit C library to build the probe with:
# g++-multilib). Some virtual machines lack the processor's 32-bit compatibility mode: the kernel
# refuses every 32-bit program with "Exec format error", and with them 32-bit Wine, unless an
# emulator is registered for them with binfmt_misc (scripts/qemu_i386.sh).
#   --native   exits 0 only when the kernel runs them itself, whatever binfmt_misc holds
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
if [ "${1:-}" = --native ]; then
  # A program of no library that only exits, with a byte of its ELF padding set: the kernel's
  # ELF loader ignores the padding, binfmt_misc's pattern for 32-bit x86 (zeros there) does not
  # match it, so no emulator is asked.
  echo 'void _start(void) { __asm__ volatile("movl $1, %eax; xorl %ebx, %ebx; int $0x80"); }' > "$dir/probe.c"
  cc -m32 -nostdlib -static -o "$dir/probe" "$dir/probe.c" 2> /dev/null || exit 2
  printf '\001' | dd of="$dir/probe" bs=1 seek=15 conv=notrunc status=none || exit 2
else
  echo 'int main(void) { return 0; }' > "$dir/probe.c"
  cc -m32 -o "$dir/probe" "$dir/probe.c" 2> /dev/null || exit 2
fi
"$dir/probe" 2> /dev/null || exit 1
