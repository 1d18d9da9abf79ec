#!/usr/bin/env bash
# Takes screenshots of the diagram demo under a virtual screen with a window manager:
# out/diagram_frames.png, out/diagram_tools.png, out/diagram_increase.png.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ensure_packages.sh
ensure_packages cmake ninja-build g++ qt6-base-dev qt6-svg-dev fonts-liberation xvfb xauth openbox imagemagick libeigen3-dev
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j 2 --target diagram_demo
mkdir -p out
for mode in frames tools increase; do
  MODE=$mode xvfb-run -a -s "-screen 0 1600x900x24" sh -c \
    'openbox & wm=$!; sleep 1; build/tools/diagram_demo --$MODE & app=$!; sleep 4;
     import -window root out/diagram_$MODE.png; kill $app $wm' || true
  echo "out/diagram_$mode.png"
done
