#!/usr/bin/env bash
# How long the whole velmor-save process takes to dump a saved game of 4,999 entries, timed over
# many runs with hyperfine. Builds an optimised velmor-save first.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-dependencies hyperfine
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-release --target velmor-save velmor_large_game
game=$(mktemp --suffix=.dkv)
trap 'rm -f "$game"' EXIT
build-release/benchmarks/velmor_large_game "$game"
hyperfine --shell=none --warmup 10 --runs 100 --output=null \
  "build-release/cli/velmor-save dump $game"
