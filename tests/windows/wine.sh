#!/usr/bin/env bash
# wine.sh - runs a Windows program under Wine, headless, in a Wine prefix under build/wine,
# making the prefix on first use.
#
#   wine.sh PREFIX_DIR ARCH [PROGRAM ARG...]     ARCH: win32 or win64
#
# Without a program it only makes sure the prefix exists. Parallel tests and the default and
# indexed trees share the prefix of their width:
# a lock keeps them from making it twice.
set -euo pipefail

prefix=$1 arch=$2
shift 2

# 32-bit Wine is made of 32-bit x86 Linux programs, and its package may not have installed: a
# machine without it skips the test (the code the tests of the win32 trees are marked with).
here=$(dirname "$0")
if [ "$arch" = win32 ] && why=$(bash "$here/../../scripts/no_wine32.sh"); then
  exec bash "$here/../skip.sh" "$why"
fi

# Each width runs its own loader. The plain wine command starts the 32-bit loader first once
# wine32 is installed, also for a 64-bit program, which is slow where 32-bit programs run
# emulated; the 64-bit files and their prefix never go through it.
loader=/usr/lib/wine/wine64
[ "$arch" = win32 ] && loader=/usr/lib/wine/wine
[ -x "$loader" ] || loader=wine

unset DISPLAY WAYLAND_DISPLAY
export WINEPREFIX=$prefix WINEARCH=$arch WINEDEBUG=-all
# no menu entries, no Mono or Gecko installer, no crash dialog
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d;winedbg.exe=d"

mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
if [ ! -f "$prefix/system.reg" ]; then
  echo "wine.sh: making the Wine prefix $prefix ($arch)"
  rm -rf "$prefix"
  t=$SECONDS
  "$loader" wineboot -i >/dev/null 2>&1 || { echo "wine.sh: wineboot failed"; exit 1; }
  wineserver -w
  echo "wine.sh: made in $((SECONDS - t)) s"
fi
flock -u 9
exec 9>&-

[ $# -eq 0 ] && exit 0
# A wineserver outlives its last program by a few seconds, and a program that starts as it
# leaves dies at once with "wine client error" (the trees share a prefix, so one tree's tests
# can start as another's server goes). Such a start is made again once the server is gone.
err=$(mktemp)
trap 'rm -f "$err"' EXIT
for attempt in 1 2; do
  status=0
  "$loader" "$@" 2> "$err" || status=$?
  if [ "$status" -ne 0 ] && [ "$attempt" -eq 1 ] && grep -q '^wine client error' "$err"; then
    echo "wine.sh: the wineserver left as the program started; starting it again" >&2
    wineserver -w || true
    continue
  fi
  cat "$err" >&2
  exit "$status"
done
