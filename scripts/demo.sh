#!/usr/bin/env bash
# demo.sh - installs what is missing, builds everything and runs the demo session in octave-cli
# against the built plug-ins.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
octave-cli --norc --no-gui demo/demo_session.m
