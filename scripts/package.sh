#!/usr/bin/env bash
# package.sh - makes, from the working tree, the two things users install, in build/dist:
#   graphplugin-<version>.tar.gz          the Octave package: pkg install builds its plug-ins
#   graphplugin-<version>-windows.zip     the MATLAB bundle: the .mexw32/.mexw64 files, built here
#
#   bash scripts/package.sh           both
#   bash scripts/package.sh octave    the Octave package alone (no MinGW, no Wine needed)
#
# The version is the one on line 2 of toolbox/Contents.m. One line per step; a build's output
# only when it fails.
set -euo pipefail
cd "$(dirname "$0")/.."

case "${1:-all}" in
  all)    kinds=(octave windows) deps=package ;;
  octave) kinds=(octave)         deps=package-octave ;;
  *) echo "usage: package.sh [octave]" >&2; exit 2 ;;
esac

# "% Version 1.2.0 08-Dec-2026", the line MATLAB's ver reads, holds the one version number.
line=$(sed -n 2p toolbox/Contents.m)
form='^% Version ([0-9]+\.[0-9]+\.[0-9]+) ([0-9]{2}-[A-Z][a-z]{2}-[0-9]{4})[[:space:]]*$'
if [[ ! $line =~ $form ]]; then
  echo "package.sh: line 2 of toolbox/Contents.m is not '% Version <x.y.z> <dd-Mmm-yyyy>': $line"
  exit 1
fi
version=${BASH_REMATCH[1]}
day=$(date -u -d "${BASH_REMATCH[2]}" +%F)   # DESCRIPTION's Date, and every file's time
name=graphplugin-$version
dist=build/dist
stage=$dist/stage
echo "package: version $version of $day"

bash scripts/install-deps.sh "$deps"

# The Windows plug-ins, default and indexed, 32- and 64-bit, and the engine with them.
windows_presets=()
[[ " ${kinds[*]} " == *" windows "* ]] && windows_presets=(win32 win64 win32-indexed win64-indexed)
for p in "${windows_presets[@]}"; do
  echo "package: building the preset $p"
  log=build/package-$p.log
  mkdir -p build
  { [ -f "build/cmake/$p/CMakeCache.txt" ] || nice -n 10 cmake --preset "$p"; } > "$log" 2>&1 \
    || { cat "$log"; exit 1; }
  nice -n 10 cmake --build --preset "$p" -j2 \
    --target zelmot_windows ombrik_windows main_windows graphplugin_engine_windows \
    >> "$log" 2>&1 || { tail -n 60 "$log"; exit 1; }
  rm -f "$log"
done

root=$(pwd)
rm -rf "$stage"
toolbox=(toolbox/GraphPlugin.m toolbox/Contents.m toolbox/functionSignatures.json)

# Each archive holds one folder, $name, staged in $stage/<kind>, its files in name order and
# dated by the version line; the tarball, owned by nobody, is the same for the same tree.
files() {  # KIND: the staged files, listed in ../files-KIND.txt
  (cd "$stage/$1" && find "$name" -type f | LC_ALL=C sort > "../files-$1.txt")
}

# The help file of each plug-in, NAME.m, into each folder given: MATLAB and Octave show it for
# help NAME and run the plug-in beside it. Its capacities are read from the plug-in's settings.
setting() {  # NAME CONSTANT: the number set in deliverables/NAME/settings.h
  sed -n -E "s/^constexpr int +$2 *= *([0-9]+);.*/\1/p" "deliverables/$1/settings.h"
}
help_files() {  # DIR...
  local n points listed command7
  for n in zelmot ombrik main; do
    points=$(( $(setting "$n" PATH_COPY_LIMIT) / 2 + 1 ))  # x, y pairs up to the last index
    listed=$(( $(setting "$n" LIST_CAP) / 3 ))             # x, y, value per node
    if grep -q '^#define HAS_GRID 1' "deliverables/$n/settings.h"; then
      command7="loads the 500-by-500 grid: x from AX, y from AY, values from BX (vectors)"
    else
      command7="64-bit: sets every weight to the length of its edge; 32-bit: nothing"
    fi
    for dir in "$@"; do
      sed -e "s/@NAME@/$n/g" -e "s/@UPPER@/${n^^}/g" -e "s/@POINTS@/$points/g" \
          -e "s/@LISTED@/$listed/g" -e "s/@COMMAND7@/$command7/g" packaging/help/plugin.m.in \
          > "$dir/$n.m"
    done
  done
}

# The Octave package: its src/Makefile builds the indexed plug-ins into inst/, first on the
# path after pkg load, and the reference ones into inst/reference/.
echo "package: $dist/$name.tar.gz"
pkgdir=$stage/octave/$name
mkdir -p "$pkgdir/inst/reference" "$pkgdir/src/cmake"
sed -e "s/@VERSION@/$version/" -e "s/@DATE@/$day/" packaging/octave/DESCRIPTION \
  > "$pkgdir/DESCRIPTION"
cp COPYING NEWS packaging/octave/INDEX "$pkgdir/"
cp "${toolbox[@]}" "$pkgdir/inst/"
help_files "$pkgdir/inst" "$pkgdir/inst/reference"
cp packaging/octave/Makefile "$pkgdir/src/"
cp cmake/deliverables.cmake cmake/exports.map "$pkgdir/src/cmake/"
find graph gateway bulk engine deliverables -type f \( -name '*.cpp' -o -name '*.h' \) \
  | xargs cp --parents -t "$pkgdir/src/"
files octave
tar -C "$stage/octave" --owner=0 --group=0 --numeric-owner --mtime="$day 00:00Z" \
    --no-recursion -T "$stage/files-octave.txt" -cf - | gzip -n > "$dist/$name.tar.gz"

if [[ " ${kinds[*]} " != *" windows "* ]]; then
  rm -rf "$stage"
  echo "package: done"
  exit 0
fi

echo "package: $dist/$name-windows.zip"
bundle=$stage/windows/$name
mkdir -p "$bundle/indexed" "$bundle/private"
cp "${toolbox[@]}" "$bundle/"
help_files "$bundle" "$bundle/indexed"
# INSTALL.txt with Windows line ends, which every Notepad shows as lines
sed -e "s/@VERSION@/$version/" -e 's/$/\r/' packaging/windows/INSTALL.txt > "$bundle/INSTALL.txt"
for n in zelmot ombrik main; do
  for w in 32 64; do
    cp "build/windows/$n.mexw$w" "$bundle/"   # either MATLAB loads the files of its mexext
    cp "build/windows-indexed/$n.mexw$w" "$bundle/indexed/"
  done
done
for w in 32 64; do  # GraphPlugin's engine, which only its methods call
  cp "build/windows-indexed/graphplugin_engine.mexw$w" "$bundle/private/"
done
(cd "$bundle" && find . -type f | sed 's|^\./||' | LC_ALL=C sort | xargs sha256sum > ../sums \
   && mv ../sums SHA256SUMS.txt)
files windows
(cd "$stage/windows" && cmake -E tar cf "$root/$dist/$name-windows.zip" --format=zip \
   --mtime="$day 00:00Z" --files-from=../files-windows.txt)

rm -rf "$stage"
echo "package: done"
