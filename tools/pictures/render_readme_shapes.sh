#!/usr/bin/env bash
# Renders the pictures of shapes shown in docs/shapes.md (docs/shapes/*.png) with the offline
# renderer. Each is the last frame of a 640 x 360 run at 33 ms a frame whose seed brings that
# shape at rest around that frame (the renderer's --trace tells which shape comes when).
#   tools/pictures/render_readme_shapes.sh [RENDERER]     default: build/release/orvessan-render
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
render=${1:-$root/build/release/orvessan-render}
out=$root/docs/shapes
mkdir -p "$out"
shots=(  # name seed frames
  "banner 19 1179"
  "emblem 12 2696"
  "yinyang 1 1224"
  "ringed-sphere 17 453"
  "torus 6 2612"
  "coil 7 2272"
)
for shot in "${shots[@]}"; do
  read -r name seed frames <<< "$shot"
  "$render" --size 640x360 --tick-step 33 --seed "$seed" --frames "$frames" --png "$out/$name.png"
  echo "wrote docs/shapes/$name.png"
done
