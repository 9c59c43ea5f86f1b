#!/usr/bin/env bash
# install-deps.sh - installs, with apt-get, every package the builds, tests, demo and benchmarks
# need and that is missing. Run as root on Debian 12.
set -euo pipefail

packages=(
  cmake ninja-build g++ g++-multilib
  octave liboctave-dev make gnuplot-nox
  googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine wine64 wine32:i386
  clang libclang-rt-14-dev valgrind
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
