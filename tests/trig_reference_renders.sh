#!/usr/bin/env bash
# The renderer's sine and cosine are the correctly rounded ones: long runs with many shapes of
# every kind, in every pixel format, give the same traces (every particle of every shape) and
# the same final frames as a renderer whose sine and cosine come from MPFR.
#   trig_reference_renders.sh REFERENCE_RENDERER RENDERER
set -u
reference=$1
renderer=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

cases=(
  "--format 32 --frames 6000 --tick-step 66 --seed 3"
  "--format 32 --size 800x600 --frames 6000 --tick-step 66 --seed 13"
  "--format 24 --size 500x375 --frames 6000 --tick-step 66 --seed 14"
  "--format 24 --size 333x217 --pitch 1003 --frames 6000 --tick-step 66 --seed 11"
  "--format 565 --size 640x400 --frames 6000 --tick-step 66 --seed 9 --hidden 100-300,2500-2600"
  "--format 565 --size 321x201 --frames 6000 --tick-step 66 --seed 5"
  "--format 555 --size 320x240 --frames 6000 --tick-step 66 --seed 7"
  "--format 555 --size 1024x768 --frames 6000 --tick-step 66 --seed 1 --tick-start 4294900000"
)
failures=0
: > kinds
for options in "${cases[@]}"; do
  # shellcheck disable=SC2086  # the options are words
  "$reference" $options --raw reference.raw --trace reference.trace || { echo "reference run failed: $options"; failures=$((failures + 1)); continue; }
  # shellcheck disable=SC2086
  "$renderer" $options --raw render.raw --trace render.trace || { echo "run failed: $options"; failures=$((failures + 1)); continue; }
  if ! cmp -s reference.raw render.raw || ! cmp -s reference.trace render.trace; then
    echo "FAIL (outputs differ): $options"
    cmp reference.trace render.trace | head -1
    cmp reference.raw render.raw | head -1
    failures=$((failures + 1))
  else
    echo "same bytes: $options ($(wc -l < render.trace) shapes)"
  fi
  grep -o '"kind":[0-9]*' render.trace | cut -d: -f2 >> kinds
done
seen=$(sort -n -u kinds | tr '\n' ' ')
if [ "$seen" != "0 1 2 3 4 5 6 7 8 9 10 " ]; then
  echo "FAIL: the runs showed the kinds $seen, not all eleven"
  failures=$((failures + 1))
fi
[ "$failures" -eq 0 ]
