#!/usr/bin/env bash
# install-deps.sh - installs, with apt-get, the packages that are missing. Run as root on
# Debian 12.
#
#   install-deps.sh                  everything: builds, tests, demo, packages and benchmarks
#   install-deps.sh demo             the demo: the Octave plug-ins and Octave
#   install-deps.sh package-octave   scripts/package.sh octave: the Octave package
#   install-deps.sh package          scripts/package.sh: the Octave package and the Windows bundle
#
# With everything, on a machine whose kernel refuses 32-bit x86 programs, scripts/qemu_i386.sh
# makes them run through qemu-i386 first (QEMU_I386=no leaves them refused, and their tests
# skipped). A package that only some tests use (32-bit Wine) may fail to install, say while the mirror's
# i386 lists are in the middle of a sync: that costs only those tests. The script says which
# package and apt's reason in one line, writes the reason to build/unavailable-packages.tsv for
# the tests to give when they skip, and goes on. Any other package that cannot be installed
# stops it with apt's reason.
set -euo pipefail
cd "$(dirname "$0")/.."

# Installed without recommendations, so every package we use is named here, also where another
# one only recommends it:
#   fonts-freefont-otf  Octave draws all text with it (octave-common recommends it); without it
#                       no figure can be drawn
#   ghostscript         Octave's print makes the demo's PNG through it (only recommended, by
#                       a library of Octave's)
#   make                pkg install runs it (cmake only recommends it)
#   qemu-user           qemu-i386, which runs the 32-bit test programs where the machine does not
#                       (some virtual machines refuse 32-bit x86 programs); 32-bit Wine needs a
#                       newer one, which scripts/qemu_i386.sh fetches from bookworm-backports
#   llvm-14             llvm-symbolizer, which turns sanitizer reports into file and line
#                       (clang only recommends llvm-14-dev)
demo_packages=(
  cmake ninja-build g++
  octave liboctave-dev gnuplot-nox fonts-freefont-otf ghostscript
)
# The Windows bundle: the cross compilers; the presets' trees configure the tests too.
windows_build_packages=(
  cmake ninja-build googletest
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
)
test_packages=(
  "${demo_packages[@]}" "${windows_build_packages[@]}" g++-multilib make
  libgtest-dev libbenchmark-dev libboost-graph-dev
  wine wine64
  clang libclang-rt-14-dev llvm-14 valgrind qemu-user
)
# Used only by the Wine tests of the .mexw32 files.
optional_packages=(wine32:i386)

case "${1:-all}" in
  all)            packages=("${test_packages[@]}") optional=("${optional_packages[@]}") ;;
  demo)           packages=("${demo_packages[@]}") optional=() ;;
  package-octave) packages=() optional=() ;;   # text files, tar and gzip: all in the base system
  package)        packages=("${windows_build_packages[@]}") optional=() ;;
  *) echo "usage: install-deps.sh [demo|package-octave|package]" >&2; exit 2 ;;
esac

unavailable=build/unavailable-packages.tsv   # PACKAGE <tab> why it is not installed

missing() {  # PACKAGE...: prints those not installed
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}

# A mirror in the middle of a sync fails an update now and then; a later try usually passes.
# If every try fails, the install still uses whatever lists were fetched.
update() {  # TRIES
  local try
  for try in $(seq "$1"); do
    apt-get update -q && return 0
    echo "apt-get update failed (try $try of $1)"
    [ "$try" -lt "$1" ] && sleep $((try * 15))
  done
  return 0
}

# apt's reason in one line: the first unmet dependency it names, and its last error.
apt_reason() {  # LOG
  { grep -m 1 -E ' : (Pre)?Depends: ' "$1" | sed -E 's/^ +//; s/ +/ /g'
    grep -E '^E: ' "$1" | tail -n 1; } | paste -sd ';' | sed 's/;/; /'
}

record() {  # PACKAGE [REASON]: notes why PACKAGE is not installed, or forgets it with no reason
  mkdir -p build
  touch "$unavailable"
  grep -v -F "$1"$'\t' "$unavailable" > "$unavailable.new" || true
  [ $# -lt 2 ] || printf '%s\t%s\n' "$1" "$2" >> "$unavailable.new"
  mv "$unavailable.new" "$unavailable"
}

export DEBIAN_FRONTEND=noninteractive
log=$(mktemp)
trap 'rm -f "$log"' EXIT

mapfile -t native < <(missing "${packages[@]}")
if [ ${#native[@]} -gt 0 ]; then
  echo "installing: ${native[*]}"
  update 3
  if ! apt-get install -y -q --no-install-recommends "${native[@]}" > "$log" 2>&1; then
    tail -n 30 "$log"
    echo "install-deps.sh: could not install ${native[*]}: $(apt_reason "$log")"
    exit 1
  fi
fi

# 32-bit Wine is made of 32-bit x86 programs, which some virtual machines refuse: there they
# run through qemu-i386 (one line says so), unless QEMU_I386=no.
[ ${#optional[@]} -eq 0 ] || bash scripts/qemu_i386.sh || true
for p in $(missing "${optional[@]}"); do
  if [[ $p == *:i386 ]] && why=$(bash scripts/x86_32_why_not.sh); then
    :
  else
    [[ $p != *:i386 ]] || dpkg --print-foreign-architectures | grep -qx i386 \
      || dpkg --add-architecture i386
    echo "installing: $p"
    update 1
    if apt-get install -y -q --no-install-recommends "$p" > "$log" 2>&1; then
      record "$p"
      continue
    fi
    why="apt-get install failed: $(apt_reason "$log")"
  fi
  echo "install-deps.sh: not installing $p, the tests that need it are skipped: $why"
  record "$p" "$why"
done
exit 0
