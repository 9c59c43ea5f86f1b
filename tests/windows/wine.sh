#!/usr/bin/env bash
# wine.sh - runs a Windows program under Wine, headless, in a Wine prefix of the build tree,
# making the prefix on first use.
#
#   wine.sh PREFIX_DIR ARCH [PROGRAM ARG...]     ARCH: win32 or win64
#
# Without a program it only makes sure the prefix exists. Parallel tests share the prefix:
# a lock keeps them from making it twice.
set -euo pipefail

prefix=$1 arch=$2
shift 2

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
exec wine "$@"
