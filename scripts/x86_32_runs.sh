#!/usr/bin/env bash
# x86_32_runs.sh - exits 0 when this machine runs 32-bit x86 Linux programs, 1 when it refuses
# them, 2 when it cannot tell (no 32-bit C library to build the probe with: g++-multilib).
# Some virtual machines lack the processor's 32-bit compatibility mode: the kernel refuses every
# 32-bit program with "Exec format error", and with them 32-bit Wine.
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
echo 'int main(void) { return 0; }' > "$dir/probe.c"
cc -m32 -o "$dir/probe" "$dir/probe.c" 2> /dev/null || exit 2
"$dir/probe" 2> /dev/null || exit 1
