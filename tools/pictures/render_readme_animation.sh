#!/usr/bin/env bash
# Renders the animated picture at the top of README.md (docs/orvessan.gif): 5 s of stars and
# a sphere with four rings turning, frames of the offline renderer at 25 frames a second
# joined by ImageMagick (Debian's imagemagick package).
#   tools/pictures/render_readme_animation.sh [RENDERER]   default: build/release/orvessan-render
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
render=${1:-$root/build/release/orvessan-render}
seed=3      # brings the ringed sphere in frame 70 (--trace tells)
first=110   # the sphere has arrived
count=125   # 5 s at 40 ms a frame
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for i in $(seq 0 $((count - 1))); do
  "$render" --size 480x270 --tick-step 40 --seed $seed --frames $((first + i)) \
    --png "$(printf '%s/frame%04d.png' "$tmp" "$i")"
done
# 4 hundredths of a second a frame, looping; each frame stored as its difference from the last.
/usr/bin/convert -delay 4 -loop 0 "$tmp"/frame*.png -layers Optimize "$root/docs/orvessan.gif"
echo "wrote docs/orvessan.gif ($(stat -c %s "$root/docs/orvessan.gif") bytes)"
