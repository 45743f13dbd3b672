# shellcheck shell=bash
# A private X display and Wine session for a test that shows windows; source this file.
#   orv_gui_start CANARY.exe      starts them; returns 77 where this machine can't run programs
#                                 of the canary's width (the test is then skipped)
#   orv_gui_stop                  ends the Wine session and the display (install as EXIT trap)
#   orv_wait_window TITLE [S]     waits up to S seconds (default 20) for a window of exactly that
#                                 title; prints its X window id
#   orv_window_gone ID            true when that X window no longer exists
#   orv_screenshot FILE           the whole display as a PNG
#   orv_pixel FILE X Y            one pixel of a PNG as "R,G,B"
#   orv_fail TEXT                 reports a failed check; orv_result ends the test with its status
# The session uses its own Wine prefix, "$WINEPREFIX-gui": the tests that share it change its
# registry and stop its Wine server at their end, so CTest runs them one at a time (they hold
# the resource lock "orv_wine_gui").

orv_gui_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/wine/wine-env.sh
. "$orv_gui_here/../wine/wine-env.sh"
export WINEPREFIX="$WINEPREFIX-gui"
orv_gui_xvfb=""
orv_gui_dir=""

orv_gui_start() {
  local canary=$1
  orv_gui_dir=$(mktemp -d "${TMPDIR:-/tmp}/orv-gui.XXXXXX") || return 1
  # -displayfd: the server picks a free display number and writes it to fd 3.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$orv_gui_dir/display" \
    > "$orv_gui_dir/xvfb.log" 2>&1 &
  orv_gui_xvfb=$!
  for _ in $(seq 100); do
    grep -q '^[0-9][0-9]*$' "$orv_gui_dir/display" 2> /dev/null && break
    sleep 0.1
  done
  if ! grep -q '^[0-9][0-9]*$' "$orv_gui_dir/display"; then
    echo "Xvfb didn't start: $(cat "$orv_gui_dir/xvfb.log")" >&2
    return 1
  fi
  DISPLAY=":$(cat "$orv_gui_dir/display")"
  export DISPLAY
  orv_wine_prefix || return 1
  wine "$canary" > /dev/null 2>&1 < /dev/null
  if [ $? != 7 ]; then
    echo "skipped: this machine can't run $(basename "$canary")'s kind of Windows program" >&2
    return 77
  fi
}

orv_gui_stop() {
  wineserver -k > /dev/null 2>&1
  if [ -n "$orv_gui_xvfb" ]; then
    kill "$orv_gui_xvfb" 2> /dev/null
    wait "$orv_gui_xvfb" 2> /dev/null
  fi
  [ -n "$orv_gui_dir" ] && rm -rf "$orv_gui_dir"
}

orv_wait_window() {
  local title=$1 seconds=${2:-20} id
  for _ in $(seq $((seconds * 5))); do
    id=$(xdotool search --name "^$title\$" 2> /dev/null | head -n 1)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.2
  done
  return 1
}

orv_window_gone() {
  ! xdotool getwindowname "$1" > /dev/null 2>&1
}

orv_screenshot() {
  xwd -root -display "$DISPLAY" | /usr/bin/convert xwd:- "$1"
}

orv_pixel() {
  /usr/bin/convert "$1" -format '%[fx:int(255*p{'"$2,$3"'}.r)],%[fx:int(255*p{'"$2,$3"'}.g)],%[fx:int(255*p{'"$2,$3"'}.b)]' info:
}

orv_failures=0
orv_fail() {
  echo "FAIL: $*"
  orv_failures=$((orv_failures + 1))
}

orv_result() {
  [ "$orv_failures" = 0 ] && echo "$1: all checks passed"
  exit $((orv_failures > 0))
}
