#!/usr/bin/env bash
# build.sh - configures and builds the given presets (default: every preset), quietly unless
# something fails.
set -euo pipefail
cd "$(dirname "$0")/.."
presets=("$@")
[ ${#presets[@]} -eq 0 ] && presets=(linux m32 asan win32 win64 linux-indexed m32-indexed asan-indexed win32-indexed win64-indexed)
for p in "${presets[@]}"; do
  echo "== build $p"
  cmake --preset "$p" > "build-$p.log" 2>&1 || { cat "build-$p.log"; exit 1; }
  cmake --build --preset "$p" >> "build-$p.log" 2>&1 || { tail -n 60 "build-$p.log"; exit 1; }
  rm -f "build-$p.log"
done
