#!/usr/bin/env bash
# install-deps.sh - installs, with apt-get, every package the builds, tests, demo and benchmarks
# need and that is missing. Run as root on Debian 12.
set -euo pipefail

# Installed without recommendations, so every package we use is named here, also where another
# one only recommends it:
#   fonts-freefont-otf  Octave draws all text with it (octave-common recommends it); without it
#                       no figure can be drawn
#   ghostscript         Octave's print makes the demo's PNG through it (only recommended, by
#                       a library of Octave's)
#   make                pkg install runs it (cmake only recommends it)
#   llvm-14             llvm-symbolizer, which turns sanitizer reports into file and line
#                       (clang only recommends llvm-14-dev)
packages=(
  cmake ninja-build g++ g++-multilib make
  octave liboctave-dev gnuplot-nox fonts-freefont-otf ghostscript
  googletest libgtest-dev libbenchmark-dev libboost-graph-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine wine64 wine32:i386
  clang libclang-rt-14-dev llvm-14 valgrind
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
