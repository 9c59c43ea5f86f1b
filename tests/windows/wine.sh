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
if [ "$arch" = win32 ] && why=$(bash "$(dirname "$0")/../../scripts/no_wine32.sh"); then
  echo "skipped: $why"
  exit 125
fi

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
  wineboot -i >/dev/null 2>&1 || { echo "wine.sh: wineboot failed"; exit 1; }
  wineserver -w
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
  wine "$@" 2> "$err" || status=$?
  if [ "$status" -ne 0 ] && [ "$attempt" -eq 1 ] && grep -q '^wine client error' "$err"; then
    echo "wine.sh: the wineserver left as the program started; starting it again" >&2
    wineserver -w || true
    continue
  fi
  cat "$err" >&2
  exit "$status"
done
