#!/usr/bin/env bash
# install-deps.sh - installs, with apt-get, every package the builds, tests, demo and benchmarks
# need and that is missing. Run as root on Debian 12. With the argument "demo", only what the
# demo needs: the Octave packages, none of the i386 or Windows ones, which a mirror in the middle
# of a sync can hold back.
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
demo_packages=(
  cmake ninja-build g++
  octave liboctave-dev gnuplot-nox fonts-freefont-otf ghostscript
)
packages=(
  "${demo_packages[@]}" g++-multilib make
  googletest libgtest-dev libbenchmark-dev libboost-graph-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine wine64 wine32:i386
  clang libclang-rt-14-dev llvm-14 valgrind
)

[ "${1:-}" = demo ] && packages=("${demo_packages[@]}")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
if [[ " ${missing[*]}" == *:i386* ]]; then
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
# A mirror in the middle of a sync fails an update now and then; a later try usually passes.
# If every try fails, the install below still uses whatever lists were fetched.
for try in 1 2 3; do
  apt-get update -q && break
  echo "apt-get update failed (try $try of 3)"
  [ "$try" -lt 3 ] && sleep $((try * 15))
done
apt-get install -y -q --no-install-recommends "${missing[@]}"
