#!/usr/bin/env bash
# demo.sh - installs what is missing, builds the three Octave plug-ins and the engine the demo
# calls and runs the demo session in octave-cli. One line per step; a step's output only when it fails.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS
log=$(mktemp)
trap 'rm -f "$log"' EXIT

step() {  # TEXT COMMAND...
  local text=$1
  shift
  echo "demo.sh: $text"
  "$@" > "$log" 2>&1 || { tail -n 60 "$log"; echo "demo.sh: failed: $text"; exit 1; }
}

step "installing the packages that are missing (scripts/install-deps.sh demo)" \
  bash scripts/install-deps.sh demo
# Without the tests and the benchmarks, whose libraries the demo does not need; test.sh turns
# them on again.
step "configuring the linux preset (build/cmake/linux)" \
  cmake --preset linux -DBUILD_TESTS=OFF -DBUILD_BENCHMARKS=OFF
step "building zelmot, ombrik, main and graphplugin_engine for Octave (build/octave)" \
  cmake --build --preset linux --target zelmot_octave ombrik_octave main_octave \
  graphplugin_engine_octave
echo "demo.sh: running demo/demo_session.m in octave-cli ($((SECONDS - start)) s so far)"
echo
octave-cli --norc --no-gui --no-history demo/demo_session.m
