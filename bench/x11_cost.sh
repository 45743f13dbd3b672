#!/usr/bin/env bash
# What the X11 saver costs: CPU time of the hack and of the X server together, over a while
# in an Xvfb, and the frame rate reached. A measurement, not a test.
#   bench/x11_cost.sh ORVESSAN [SECONDS [WxH [orvessan options...]]]
# defaults: 30 s, 1920x1080, --root with the default delay. Give a release build.
set -euo pipefail
saver=$1
seconds=${2:-30}
size=${3:-1920x1080}
shift $(($# < 3 ? $# : 3))
[ $# -gt 0 ] || set -- --root

tmp=$(mktemp -d)
pids=()
cleanup() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2> /dev/null || true; done
  rm -rf "$tmp"
}
trap cleanup EXIT
Xvfb -displayfd 5 -screen 0 "${size}x24" -nolisten tcp 5> "$tmp/display" > /dev/null 2>&1 &
xvfb=$!
pids+=($xvfb)
for _ in $(seq 100); do
  [ -s "$tmp/display" ] && break
  sleep 0.05
done
export DISPLAY=:$(head -n1 "$tmp/display")
"$saver" "$@" 2> "$tmp/frames" &
hack=$!
pids+=($hack)

# utime + stime of a process, in clock ticks (fields 14 and 15 of /proc/PID/stat).
cpu_ticks() { awk '{sub(/^.*\) /, ""); print $12 + $13}' "/proc/$1/stat"; }
frames() {
  kill -USR1 "$hack"
  sleep 0.2
  tail -1 "$tmp/frames" | awk '{print $2}'
}

sleep 2  # start-up and the first full frame are not the steady state
f0=$(frames)
h0=$(cpu_ticks $hack) x0=$(cpu_ticks $xvfb) t0=$(date +%s.%N)
sleep "$seconds"
f1=$(frames)
h1=$(cpu_ticks $hack) x1=$(cpu_ticks $xvfb) t1=$(date +%s.%N)
awk -v hz="$(getconf CLK_TCK)" -v h=$((h1 - h0)) -v x=$((x1 - x0)) -v f=$((f1 - f0)) \
  -v t0="$t0" -v t1="$t1" -v size="$size" -v args="$*" 'BEGIN {
    wall = t1 - t0
    printf "%s, orvessan %s, %.1f s: hack %.2f %%, X server %.2f %%, together %.2f %% of one core; %.1f frames/s\n",
      size, args, wall, 100 * h / hz / wall, 100 * x / hz / wall, 100 * (h + x) / hz / wall, f / wall
  }'
