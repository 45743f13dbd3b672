#!/usr/bin/env bash
# The offline renderer gives the same bytes everywhere: runs the native renderer and a
# Windows build of it (under Wine) with the same options and compares their raw frames and
# traces byte for byte.
#   compare_renders.sh NATIVE_RENDERER -- COMMAND TO RUN THE OTHER RENDERER...
set -u
native=$1
[ "$2" = -- ] || { echo "usage: compare_renders.sh NATIVE -- OTHER..." >&2; exit 2; }
shift 2
other=("$@")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

cases=(
  "--format 32 --frames 300"
  "--format 24 --size 333x217 --pitch 1003 --frames 500"
  "--format 565 --size 321x201 --frames 400 --hidden 5-50,300"
  "--format 555 --size 257x99 --frames 400 --tick-start 4294967000 --screen-width 1024"
  "--format 32 --size 641x479 --tick-start 4294960000 --tick-step 33 --frames 700 --seed 12345"
  "--format 24 --size 2x1 --frames 50"
  # Larger squares, whose rows some builds write several pixels at a time: 3 x 3 pixels of
  # 2 bytes, 5 x 5 of 4 bytes.
  "--format 565 --size 1000x600 --frames 300"
  "--format 32 --size 1600x300 --frames 300"
)
# Long runs in which shapes of many kinds come and go (every shape is traced): at least
# `min_shapes` shapes each, so that three or more have arrived, turned and left whole.
long_cases=(
  "--format 32 --frames 4000 --tick-step 33 --seed 3"
  "--format 24 --size 500x375 --frames 4000 --tick-step 33 --seed 11"
  "--format 565 --size 640x400 --frames 4000 --tick-step 33 --seed 7 --hidden 100-300,2500-2600"
  "--format 555 --size 320x240 --frames 4000 --tick-step 33 --seed 34 --tick-start 4294900000"
)
min_shapes=4
cases+=("${long_cases[@]}")
failures=0
for options in "${cases[@]}"; do
  # shellcheck disable=SC2086  # the options are words
  "$native" $options --raw native.raw --trace native.trace || { echo "native run failed: $options"; failures=$((failures + 1)); continue; }
  # shellcheck disable=SC2086
  "${other[@]}" $options --raw other.raw --trace other.trace
  status=$?
  [ "$status" -eq 77 ] && exit 77
  if [ "$status" -ne 0 ]; then
    echo "FAIL ($status): $options"
    failures=$((failures + 1))
  elif ! cmp -s native.raw other.raw || ! cmp -s native.trace other.trace; then
    echo "FAIL (outputs differ): $options"
    cmp native.raw other.raw | head -1
    cmp native.trace other.trace | head -1
    failures=$((failures + 1))
  elif [[ " ${long_cases[*]} " == *" $options "* ]] && [ "$(wc -l < native.trace)" -lt "$min_shapes" ]; then
    echo "FAIL (only $(wc -l < native.trace) shapes, expected $min_shapes or more): $options"
    failures=$((failures + 1))
  else
    echo "same bytes: $options ($(wc -c < native.raw) bytes, $(wc -l < native.trace) shapes)"
  fi
done
[ "$failures" -eq 0 ]
