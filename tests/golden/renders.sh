#!/usr/bin/env bash
# Byte-exact record of the offline renderer's output: renders.txt holds, per line, the SHA-256
# of the final raw frame and of the shape trace of one run, followed by that run's options.
#   renders.sh check  TABLE RENDERER [RUN PREFIX...]   every run still gives the recorded bytes
#   renders.sh update TABLE RENDERER [RUN PREFIX...]   rewrites the hashes and tells which changed
# The runs cover every pixel format, odd sizes and pitches (rows that start at any byte), hidden
# frames, tick counters about to wrap, every square size from 1 to 6 and all eleven shape kinds
# on screen in the final frame (arriving, at rest and leaving).
set -u
mode=${1:-}
table=${2:-}
if [ $# -lt 3 ] || { [ "$mode" != check ] && [ "$mode" != update ]; }; then
  echo "usage: renders.sh check|update TABLE RENDERER [RUN PREFIX...]" >&2
  exit 2
fi
shift 2
renderer=("$@")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
changed=0
output="$work/table"
while IFS= read -r line || [ -n "$line" ]; do
  if [[ -z "$line" || "$line" == \#* ]]; then
    echo "$line" >> "$output"
    continue
  fi
  read -r want_raw want_trace options <<< "$line"
  # shellcheck disable=SC2086  # the options are words
  if ! "${renderer[@]}" $options --raw "$work/raw" --trace "$work/trace"; then
    echo "FAIL (renderer failed): $options"
    failures=$((failures + 1))
    echo "$line" >> "$output"
    continue
  fi
  raw=$(sha256sum < "$work/raw" | cut -d' ' -f1)
  trace=$(sha256sum < "$work/trace" | cut -d' ' -f1)
  echo "$raw $trace $options" >> "$output"
  if [ "$raw" = "$want_raw" ] && [ "$trace" = "$want_trace" ]; then
    [ "$mode" = check ] && echo "same bytes: $options"
  else
    what=""
    [ "$raw" = "$want_raw" ] || what="frame"
    [ "$trace" = "$want_trace" ] || what="${what:+$what and }trace"
    if [ "$mode" = check ]; then
      echo "FAIL ($what differ): $options"
      failures=$((failures + 1))
    else
      echo "changed ($what): $options"
      changed=$((changed + 1))
    fi
  fi
done < "$table"

if [ "$mode" = update ]; then
  [ "$failures" -eq 0 ] || { echo "not updated: $failures runs failed" >&2; exit 1; }
  cp "$output" "$table"
  echo "$changed of the recorded runs changed"
fi
[ "$failures" -eq 0 ]
