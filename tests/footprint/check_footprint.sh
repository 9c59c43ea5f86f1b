#!/usr/bin/env bash
# check_footprint.sh FILE LOW HIGH - fails unless the static data of a built plug-in (its .data
# and .bss sections: the buffers, grids and graph head that live as long as it is loaded) holds
# between LOW and HIGH bytes. A stray buffer, or a grid where none belongs, shows here.
set -euo pipefail
file=$1 low=$2 high=$3
bytes=$(size -A "$file" | awk '$1 == ".data" || $1 == ".bss" { sum += $2 } END { print sum + 0 }')
if [ "$bytes" -lt "$low" ] || [ "$bytes" -gt "$high" ]; then
  echo "$file: $bytes bytes of static data, expected $low..$high"
  exit 1
fi
echo "$file: $bytes bytes of static data (expected $low..$high)"
