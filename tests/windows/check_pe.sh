#!/usr/bin/env bash
# check_pe.sh - reads the PE headers of Windows plug-ins with objdump -p and fails unless each
# file is built for the expected machine, exports mexFunction alone, imports only from libmx.dll,
# libmex.dll and Windows system DLLs, and (for main) does not import mxGetN.
#
#   check_pe.sh OBJDUMP MACHINE FILE...     MACHINE: i386 (.mexw32) or x86-64 (.mexw64)
#
# The deliverable is the file's base name. Prints one line per file, then what was wrong.
set -uo pipefail

objdump=$1 machine=$2
shift 2
[ $# -gt 0 ] || { echo "check_pe.sh: no file to check"; exit 2; }

# DLLs that every Windows has; anything else would have to ship beside the plug-in.
system_dll='^(kernel32|msvcrt|ntdll|advapi32|user32|ucrtbase|api-ms-win-.*)\.dll$'

status=0
for file in "$@"; do
  name=$(basename "$file"); name=${name%.*}
  dump=$("$objdump" -p "$file" 2>&1) || { echo "FAIL $file: objdump: $dump"; status=1; continue; }

  # "DLL function" pairs, one per import, and the exported names.
  imports=$(awk '
    /^\tDLL Name: / { dll = $3; next }
    dll != "" && /^\t[0-9a-f]+\t +[0-9]+ +[^ ]+$/ { print dll, $3; next }
    /^$/ { dll = "" }' <<<"$dump")
  exports=$(awk '
    /^\[Ordinal\/Name Pointer\] Table/ { on = 1; next }
    on && /^\t\[ *[0-9]+\] / { sub(/^\t\[ *[0-9]+\] /, ""); print; next }
    on { on = 0 }' <<<"$dump")
  format=$(sed -n 's/.*file format \(.*\)$/\1/p' <<<"$dump" | head -n 1)

  problems=()
  [ "$format" = "pei-$machine" ] || problems+=("machine: file format '$format', expected pei-$machine")
  [ "$exports" = "mexFunction" ] ||
    problems+=("exports: '$(tr '\n' ' ' <<<"$exports")', expected mexFunction alone")
  while read -r dll fn; do
    [ -n "$dll" ] || continue
    lower=$(tr 'A-Z' 'a-z' <<<"$dll")
    case "$lower" in
      libmx.dll|libmex.dll) ;;
      *) [[ "$lower" =~ $system_dll ]] || problems+=("import $fn from $dll: not a host or system DLL") ;;
    esac
    if [ "$name" = main ] && [ "$fn" = mxGetN ]; then
      problems+=("import mxGetN: main never asks for a column count")
    fi
  done <<<"$imports"
  grep -q '^libmx.dll ' <<<"$imports" || problems+=("no import from libmx.dll")

  if [ ${#problems[@]} -eq 0 ]; then
    echo "ok   $file: $format, exports mexFunction, imports from" \
      "$(cut -d' ' -f1 <<<"$imports" | sort -u | tr '\n' ' ')"
  else
    status=1
    echo "FAIL $file"
    printf '     %s\n' "${problems[@]}"
  fi
done
exit $status
