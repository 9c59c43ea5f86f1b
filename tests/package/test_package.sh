#!/usr/bin/env bash
# test_package.sh - the Octave package and the Windows bundle as users get them, made from the
# working tree by scripts/package.sh. Two halves, run side by side:
#   Octave: pkg install -local under a temporary HOME, without network; then, in Octave
#           (installed_package.m), the scenarios, the toolbox tests and test GraphPlugin against
#           the default and the indexed plug-ins, and pkg uninstall.
#   Wine:   the bundle unpacked: its files, checksums and PE headers, and the scenarios run by
#           the Windows test host of the win32 and win64 trees against every unpacked plug-in.
# Prints "ok <check>", "FAIL <check>" and what went wrong, or "skip <check>" (the 32-bit Wine
# runs, on a machine that does not run 32-bit x86 programs); the last line is
# "package: <N> passed, <M> failed, <S> skipped", and the exit status is 0 only when nothing failed.
set -uo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
start=$SECONDS
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

check() {  # WHAT COMMAND...: runs the command, its output shown only when it fails
  local what=$1 out
  shift
  if out=$("$@" 2>&1); then
    echo "ok $what"
  else
    echo "FAIL $what"
    tail -n 40 <<<"$out" | sed 's/^/    /'
  fi
}

# Octave 7.3 says this on stderr at every exit; it means nothing here.
octave_noise='^error: ignoring const execution_exception& while preparing to exit$'

echo "== package.sh"
if ! bash scripts/package.sh; then
  echo "FAIL scripts/package.sh"
  echo "package: 0 passed, 1 failed"
  exit 1
fi
version=$(sed -n -E '2s/^% Version ([0-9.]+) .*/\1/p' toolbox/Contents.m)
tarball=$root/build/dist/graphplugin-$version.tar.gz
zipfile=$root/build/dist/graphplugin-$version-windows.zip

named_by_the_version() {
  [ -f "$tarball" ] && [ -f "$zipfile" ] || { echo "no $tarball or $zipfile"; return 1; }
  local description
  description=$(tar -xzOf "$tarball" "graphplugin-$version/DESCRIPTION") || return 1
  grep -qx "Version: $version" <<<"$description" || { echo "DESCRIPTION: $description"; return 1; }
}

installs_cleanly() {  # pkg install -local, offline where the system lets us take the network away
  local offline=() out
  unshare -n true 2>/dev/null && offline=(unshare -n)
  out=$(OMP_NUM_THREADS=2 "${offline[@]}" nice -n 10 octave-cli --norc --no-gui --no-history \
          --eval "pkg install -local '$tarball'" 2>&1) || { echo "$out"; return 1; }
  # pkg names the NEWS file after installing a package that has one: that line is expected.
  local news="^For information about changes from previous versions of the graphplugin package"
  out=$(grep -v -E "$octave_noise|$news, run 'news graphplugin'\.\$" <<<"$out")
  [ -z "$out" ] || { echo "pkg install said:"; echo "$out"; return 1; }  # no warning either
}

octave_half() {
  export HOME=$work/home
  unset XDG_CONFIG_HOME XDG_DATA_HOME
  mkdir -p "$HOME"
  check "pkg install -local $(basename "$tarball"), offline, without a warning" installs_cleanly
  local out status run
  run="addpath('$root/tests/package'); exit(installed_package('$version', '$root') > 0)"
  out=$(nice -n 10 octave-cli --norc --no-gui --no-history --no-window-system --eval "$run" 2>&1)
  status=$?
  grep -v -E "$octave_noise" <<<"$out"
  if [ $status -ne 0 ] && ! grep -q '^FAIL ' <<<"$out"; then
    echo "FAIL installed_package.m stopped (status $status)"
  fi
}

bundle_files() {  # the files a user unpacks, and nothing else
  local expected actual
  expected=$(printf '%s\n' Contents.m GraphPlugin.m INSTALL.txt SHA256SUMS.txt \
               functionSignatures.json {,indexed/}{main,ombrik,zelmot}.{m,mexw32,mexw64} \
               private/graphplugin_engine.{mexw32,mexw64} \
             | LC_ALL=C sort)
  actual=$(cd "$bundle" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
  [ "$expected" = "$actual" ] || { diff <(echo "$expected") <(echo "$actual"); return 1; }
  grep -q "graphplugin-$version-windows.zip" "$bundle/INSTALL.txt" \
    || { echo "INSTALL.txt does not name the bundle"; return 1; }
  [ "$(sed -n 2p "$bundle/Contents.m")" = "$(sed -n 2p toolbox/Contents.m)" ] \
    || { echo "Contents.m: another version line"; return 1; }
}

checksums_match() {  # every file but the list itself is listed, and matches
  (cd "$bundle" && sha256sum --strict -c SHA256SUMS.txt) || return 1
  [ "$(cut -c67- "$bundle/SHA256SUMS.txt" | LC_ALL=C sort)" = \
    "$(cd "$bundle" && find . -type f ! -name SHA256SUMS.txt | sed 's|^\./||' | LC_ALL=C sort)" ]
}

indexed_alone() {  # NM WIDTH: the index's code is in the indexed plug-ins, and only there
  local n file has
  for n in zelmot ombrik main; do
    for file in "$bundle/$n.mexw$2" "$bundle/indexed/$n.mexw$2"; do
      has=$("$1" "$file" | grep -c 'index_first') || true
      case $file in
        */indexed/*) [ "$has" -gt 0 ] || { echo "no index in $file"; return 1; } ;;
        *)           [ "$has" -eq 0 ] || { echo "an index in $file"; return 1; } ;;
      esac
    done
  done
}

quiet_build() {  # PRESET TARGET: builds it unless it is built, output only on failure
  local out
  if [ ! -f "build/cmake/$1/CMakeCache.txt" ]; then
    out=$(cmake --preset "$1" 2>&1) || { echo "$out"; return 1; }
  fi
  out=$(nice -n 10 cmake --build --preset "$1" -j2 --target "$2" 2>&1) || { echo "$out"; return 1; }
}

wine_half() {
  bundle=$work/bundle/graphplugin-$version
  mkdir -p "$work/bundle"
  (cd "$work/bundle" && cmake -E tar xf "$zipfile") || { echo "FAIL unpacking $zipfile"; return; }
  check "bundle: the files a user gets" bundle_files
  check "bundle: SHA256SUMS.txt lists every file, and they match" checksums_match
  local w machine triplet host n folder
  for w in 32 64; do
    machine=x86-64 triplet=x86_64-w64-mingw32
    [ $w = 32 ] && machine=i386 triplet=i686-w64-mingw32
    check "bundle: the .mexw$w files are PE $machine, exporting mexFunction alone" \
      bash tests/windows/check_pe.sh "$triplet-objdump" "$machine" \
           "$bundle"/*.mexw$w "$bundle"/indexed/*.mexw$w "$bundle"/private/*.mexw$w
    check "bundle: the .mexw$w files of indexed/ alone have the index" \
      indexed_alone "$triplet-nm" $w
    host=$root/build/cmake/win$w/tests/windows/bin/windows_host.exe
    check "the Windows test host of win$w" quiet_build "win$w" windows_host
    for folder in "" indexed/; do
      for n in zelmot ombrik main; do
        if [ $w = 32 ] && why=$(bash scripts/no_wine32.sh); then
          echo "skip bundle: $folder$n.mexw$w under Wine ($why)"
          continue
        fi
        check "bundle: $folder$n.mexw$w under Wine: scenarios" \
          bash tests/windows/wine.sh "$root/build/wine/win$w" "win$w" "$host" \
               "$bundle/$folder$n.mexw$w" "$n" "$root/tests/scenarios"
      done
    done
    if [ $w = 32 ] && why=$(bash scripts/no_wine32.sh); then
      echo "skip bundle: private/graphplugin_engine.mexw$w under Wine ($why)"
    else
      check "bundle: private/graphplugin_engine.mexw$w under Wine: the engine's session" \
        bash tests/windows/wine.sh "$root/build/wine/win$w" "win$w" "$host" \
             "$bundle/private/graphplugin_engine.mexw$w" engine
    fi
  done
}

echo "== checks"
check "the files are named by the version, DESCRIPTION says it" named_by_the_version \
  > "$work/names.out"
octave_half > "$work/octave.out" 2>&1 &
octave=$!
wine_half > "$work/wine.out" 2>&1
wait $octave
cat "$work/names.out" "$work/octave.out" "$work/wine.out" | tee "$work/all.out"
passed=$(grep -c '^ok ' "$work/all.out")
failed=$(grep -c '^FAIL ' "$work/all.out")
skipped=$(grep -c '^skip ' "$work/all.out")
echo "package: took $((SECONDS - start)) s"
echo "package: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
