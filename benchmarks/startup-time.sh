#!/usr/bin/env bash
# How long the editor takes from launch until its window is on the screen, under Xvfb.
# Usage: benchmarks/startup-time.sh [runs] [program]
# Installs Xvfb and the X utilities it needs; builds nothing: build the editor first.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-10}
program=${2:-build/qt/velmor-editor}
title="Velmor Saved Game Editor (v1.5)"

for package in xvfb x11-utils; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    as_root=(); [ "$(id -u)" -ne 0 ] && as_root=(sudo)
    "${as_root[@]}" apt-get update -q
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q xvfb x11-utils
    break
  fi
done

display=:97
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null' EXIT
export DISPLAY=$display
until xwininfo -root >/dev/null 2>&1; do sleep 0.05; done

# The window counts as shown once the X server reports it viewable.
for ((run = 1; run <= runs; run++)); do
  start=$(date +%s%N)
  "$program" >/dev/null 2>&1 &
  editor=$!
  until xwininfo -name "$title" 2>/dev/null | grep -q "IsViewable"; do :; done
  end=$(date +%s%N)
  kill "$editor"
  wait "$editor" 2>/dev/null || true
  echo "run $run: $(((end - start) / 1000000)) ms"
done
