#!/usr/bin/env bash
# no_wine32.sh - says why this machine cannot run 32-bit Windows programs under Wine and exits
# 0, or exits 1 when it can. The reason is one line, for the tests that then skip.
cd "$(dirname "$0")/.."
if why=$(bash scripts/x86_32_why_not.sh); then
  echo "$why, nor 32-bit Wine"
  exit 0
fi
dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed" && exit 1
why=$(awk -F '\t' '$1 == "wine32:i386" {print $2}' build/unavailable-packages.tsv 2>/dev/null)
echo "32-bit Wine (wine32:i386) is not installed: ${why:-scripts/install-deps.sh has not installed it}"
exit 0
