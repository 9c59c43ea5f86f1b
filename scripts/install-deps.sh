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
#   qemu-user           qemu-i386, which runs the 32-bit test programs where the machine does not
#                       (some virtual machines refuse 32-bit x86 programs)
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
  clang libclang-rt-14-dev llvm-14 valgrind qemu-user
)

[ "${1:-}" = demo ] && packages=("${demo_packages[@]}")

missing() {  # PACKAGE...: prints those not installed
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}

install() {  # PACKAGE...
  echo "installing: $*"
  export DEBIAN_FRONTEND=noninteractive
  # A mirror in the middle of a sync fails an update now and then; a later try usually passes.
  # If every try fails, the install still uses whatever lists were fetched.
  local try
  for try in 1 2 3; do
    apt-get update -q && break
    echo "apt-get update failed (try $try of 3)"
    [ "$try" -lt 3 ] && sleep $((try * 15))
  done
  apt-get install -y -q --no-install-recommends "$@"
}

mapfile -t native < <(missing "${packages[@]}" | grep -v ':i386$')
[ ${#native[@]} -eq 0 ] || install "${native[@]}"

# 32-bit Wine only where 32-bit x86 programs run: some virtual machines refuse them, and there
# the tests that need it are skipped.
mapfile -t foreign < <(missing "${packages[@]}" | grep ':i386$')
[ ${#foreign[@]} -eq 0 ] && exit 0
if ! bash "$(dirname "$0")/x86_32_runs.sh"; then
  echo "not installing ${foreign[*]}: this machine does not run 32-bit x86 programs"
  exit 0
fi
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
install "${foreign[@]}"
